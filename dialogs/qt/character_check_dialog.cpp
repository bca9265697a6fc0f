#include "dialogs/qt/character_check_dialog.h"

#include "render/qt/face_glyphs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCharacterPoints = 28;

QString Text(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

CCharacterCheckDlg::CCharacterCheckDlg(cards::RecordCards cards, QWidget* parent)
    : ModelDialog(parent),
      model_(cards, character_check::AnyFaceDraws, UnihanVariants::Installed(), CardFaces(cards.FsPath(), FaceHasGlyph)) {
    setWindowTitle(QStringLiteral("文字チェック"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    table_ = new QTableWidget(0, 6, this);
    table_->setObjectName(QStringLiteral("findings"));
    table_->setHorizontalHeaderLabels({QStringLiteral("番号"), QStringLiteral("項目"), QStringLiteral("文字"),
                                       QStringLiteral("コード"), QStringLiteral("種類"), QStringLiteral("置き換え候補")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) { Run([this, row] { model_.OnSelect(row); }); });

    substitute_ = new QComboBox(this);
    substitute_->setObjectName(QStringLiteral("substitute"));
    substitute_->setEditable(true);
    connect(substitute_, &QComboBox::currentTextChanged, this, [this] { Run([this] { model_.OnSubstituteEdited(); }); });
    replace_ = Button(QStringLiteral("置き換える"), "replace", [this] { replaced_ = model_.OnReplace(false) || replaced_; });
    replaceAll_ = Button(QStringLiteral("すべて置き換える"), "replaceAll", [this] { replaced_ = model_.OnReplace(true) || replaced_; });
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* actions = new QHBoxLayout;
    actions->addWidget(new QLabel(QStringLiteral("置き換える文字"), this));
    actions->addWidget(substitute_, 1);
    actions->addWidget(replace_);
    actions->addWidget(replaceAll_);
    actions->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addLayout(actions);
    resize(720, 420);
    model_.OnOpen();
    ShowFields();
}

bool CCharacterCheckDlg::TakeFields() {
    model_.substitute = substitute_->currentText().toStdString();
    return true;
}

void CCharacterCheckDlg::ShowFields() {
    summary_->setText(Text(model_.summary));
    const QSignalBlocker blocker(table_);
    table_->setRowCount(static_cast<int>(model_.rows.size()));
    QFont large = font();
    large.setPointSize(kCharacterPoints);
    for (std::size_t r = 0; r < model_.rows.size(); ++r) {
        const CharacterCheckModel::Row& row = model_.rows[r];
        std::string substitutes;
        for (const std::string& s : row.substitutes) substitutes += (substitutes.empty() ? "" : " ") + s;
        const std::string cells[] = {row.card, row.item, row.character, row.code, row.kinds, substitutes};
        for (int c = 0; c < 6; ++c) {
            auto* cell = new QTableWidgetItem(Text(cells[c]));
            if (c == 2) cell->setFont(large);
            table_->setItem(static_cast<int>(r), c, cell);
        }
    }
    table_->resizeRowsToContents();
    table_->setCurrentCell(model_.selection, 0);
    const QSignalBlocker substituteBlocker(substitute_);
    substitute_->clear();
    if (model_.selection >= 0)
        for (const std::string& s : model_.rows[static_cast<std::size_t>(model_.selection)].substitutes) substitute_->addItem(Text(s));
    substitute_->setEditText(Text(model_.substitute));
    replace_->setEnabled(model_.replaceEnabled);
    replaceAll_->setEnabled(model_.replaceEnabled);
}

bool RunCharacterCheckDialog(QWidget* parent, cards::RecordCards cards) {
    CCharacterCheckDlg dialog(std::move(cards), parent);
    dialog.exec();
    return dialog.Replaced();
}
