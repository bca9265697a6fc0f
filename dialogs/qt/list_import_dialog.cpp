#include "dialogs/qt/list_import_dialog.h"

#include "dialogs/qt/card_preview_widget.h"
#include "dialogs/qt/report_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

void ShowChoices(QComboBox* combo, const std::vector<std::string>& choices, int index) {
    QStringList texts;
    for (const std::string& choice : choices) texts.append(Text(choice));
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown.append(combo->itemText(i));
    if (shown != texts) {
        combo->clear();
        combo->addItems(texts);
    }
    combo->setCurrentIndex(index);
}

QButtonGroup* Radios(QWidget* parent, QBoxLayout* layout, const char* name, const std::vector<const char*>& captions) {
    auto* group = new QButtonGroup(parent);
    group->setObjectName(QString::fromLatin1(name));
    int id = 0;
    for (const char* caption : captions) {
        auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
        radio->setObjectName(QString::fromLatin1(name) + QString::number(id));
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    return group;
}

}  // namespace

CListImportDlg::CListImportDlg(const SettingsProfile& settings, RecordProfile& record, ListImportPlatform& platform,
                               QWidget* parent)
    : ModelDialog(parent), model_(settings, record, platform) {
    setWindowTitle(QStringLiteral("差し込み印刷設定"));
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("path"));
    connect(path_, &QLineEdit::editingFinished, this, [this] {
        if (!showing_ && Text(model_.path) != path_->text()) Run([this] { model_.OnPathEntered(); });
    });
    format_ = new QLabel(this);
    format_->setObjectName(QStringLiteral("format"));
    encoding_ = Combo("encoding", &ListImportModel::OnEncodingChanged);
    sheet_ = Combo("sheet", &ListImportModel::OnSheetChanged);
    header_ = new QCheckBox(QStringLiteral("1 行目は見出し"), this);
    header_->setObjectName(QStringLiteral("hasHeader"));
    connect(header_, &QCheckBox::toggled, this, [this] {
        if (!showing_) Run([this] { model_.OnHeaderToggled(); });
    });
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("preview"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setMinimumSize(640, 220);
    kana_ = Combo("kana", &ListImportModel::OnMappingChanged);

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel(QStringLiteral("名簿ファイル"), this));
    file->addWidget(path_, 1);
    file->addWidget(Button(QStringLiteral("参照..."), "browse", [this] { model_.OnBrowse(); }));
    auto* detected = new QHBoxLayout;
    detected->addWidget(format_, 1);
    detected->addWidget(new QLabel(QStringLiteral("文字コード"), this));
    detected->addWidget(encoding_);
    detected->addWidget(new QLabel(QStringLiteral("シート"), this));
    detected->addWidget(sheet_);
    detected->addWidget(header_);

    auto* where = new QGroupBox(QStringLiteral("取り込み先"), this);
    auto* whereLayout = new QVBoxLayout(where);
    destination_ = Radios(where, whereLayout, "destination", {"今の記録ファイルに追加", "今の記録ファイルのカードと置き換え", "新しい記録ファイル"});
    newFile_ = Field("newFileName");
    whereLayout->addWidget(newFile_);
    connect(destination_, &QButtonGroup::idClicked, this, [this] {
        if (!showing_) Run([this] { model_.OnDestinationChanged(); });
    });
    auto* look = new QGroupBox(QStringLiteral("デザイン"), this);
    auto* lookLayout = new QVBoxLayout(look);
    design_ = Radios(look, lookLayout, "design", {"現在のカード", "番号を指定したカード", "登録済みのデフォルト", "なし"});
    designCard_ = Field("designCard");
    lookLayout->addWidget(designCard_);
    connect(design_, &QButtonGroup::idClicked, this, [this] {
        if (!showing_) Run([this] { model_.OnDestinationChanged(); });
    });
    auto* readings = new QHBoxLayout;
    readings->addWidget(new QLabel(QStringLiteral("読みの仮名"), this));
    readings->addWidget(kana_);
    readings->addStretch();

    tag_ = new CardPreviewWidget(this);
    tag_->setObjectName(QStringLiteral("tag"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(where);
    choices->addWidget(look);
    choices->addWidget(tag_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addLayout(detected);
    layout->addWidget(new QLabel(QStringLiteral("列ごとに取り込む項目を選んでください"), this));
    layout->addWidget(table_, 1);
    layout->addLayout(readings);
    layout->addLayout(choices);
    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    layout->addWidget(buttons);

    model_.OnOpen();
    ShowFields();
}

QComboBox* CListImportDlg::Combo(const char* name, void (ListImportModel::*handler)()) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    connect(combo, &QComboBox::currentIndexChanged, this, [this, handler] {
        if (!showing_) Run([this, handler] { (model_.*handler)(); });
    });
    return combo;
}

void CListImportDlg::accept() {
    if (!TakeFields()) return;
    if (model_.OnOk()) {
        QDialog::accept();
        return;
    }
    ShowFields();
}

bool CListImportDlg::TakeFields() {
    model_.path = path_->text().toStdString();
    model_.encoding = std::max(encoding_->currentIndex(), 0);
    model_.sheet = std::max(sheet_->currentIndex(), 0);
    model_.hasHeader = header_->isChecked();
    for (std::size_t c = 0; c < columns_.size() && c < model_.columnTargets.size(); ++c)
        model_.columnTargets[c] = std::max(columns_[c]->currentIndex(), 0);
    model_.kana = std::max(kana_->currentIndex(), 0);
    model_.destination = std::max(destination_->checkedId(), 0);
    model_.newFileName = newFile_->text().toStdString();
    model_.design = std::max(design_->checkedId(), 0);
    model_.designCard = designCard_->text().toStdString();
    return true;
}

void CListImportDlg::ShowTable() {
    const int width = static_cast<int>(model_.columnNames.size());
    if (static_cast<int>(columns_.size()) != width || table_->columnCount() != width) {
        table_->clear();
        table_->setColumnCount(width);
        columns_.clear();
        for (int c = 0; c < width; ++c) {
            auto* combo = new QComboBox(table_);
            combo->setObjectName(QStringLiteral("column%1").arg(c));
            connect(combo, &QComboBox::currentIndexChanged, this, [this] {
                if (!showing_) Run([this] { model_.OnMappingChanged(); });
            });
            columns_.push_back(combo);
        }
    }
    QStringList names;
    for (const std::string& name : model_.columnNames) names.append(Text(name));
    table_->setHorizontalHeaderLabels(names);
    table_->setRowCount(1 + static_cast<int>(model_.preview.size()));
    QStringList rowNames{QStringLiteral("項目")};
    for (std::size_t r = 0; r < model_.preview.size(); ++r) rowNames.append(QString::number(r + 1));
    table_->setVerticalHeaderLabels(rowNames);
    for (int c = 0; c < width; ++c) {
        const auto column = static_cast<std::size_t>(c);
        ShowChoices(columns_[column], model_.columnChoices[column], model_.columnTargets[column]);
        if (table_->cellWidget(0, c) != columns_[column]) table_->setCellWidget(0, c, columns_[column]);
        for (std::size_t r = 0; r < model_.preview.size(); ++r)
            table_->setItem(static_cast<int>(r) + 1, c, new QTableWidgetItem(Text(model_.preview[r][column])));
    }
    table_->resizeColumnsToContents();
}

void CListImportDlg::ShowFields() {
    showing_ = true;
    if (path_->text() != Text(model_.path)) path_->setText(Text(model_.path));
    format_->setText(Text(model_.formatText));
    ShowChoices(encoding_, model_.encodingChoices, model_.encoding);
    encoding_->setEnabled(model_.encodingEnabled);
    ShowChoices(sheet_, model_.sheetChoices, model_.sheet);
    sheet_->setEnabled(model_.sheetEnabled);
    header_->setChecked(model_.hasHeader);
    ShowTable();
    ShowChoices(kana_, model_.kanaChoices, model_.kana);
    destination_->button(model_.destination)->setChecked(true);
    if (newFile_->text() != Text(model_.newFileName)) newFile_->setText(Text(model_.newFileName));
    newFile_->setEnabled(model_.newFileNameEnabled);
    design_->button(model_.design)->setChecked(true);
    if (designCard_->text() != Text(model_.designCard)) designCard_->setText(Text(model_.designCard));
    designCard_->setEnabled(model_.designCardEnabled);
    ok_->setEnabled(model_.okEnabled);
    tag_->SetRecord(model_.TagPreview());
    showing_ = false;
}

QtListImportPlatform::QtListImportPlatform(QWidget* parent) : parent_(parent) {}
QtListImportPlatform::~QtListImportPlatform() = default;

std::optional<std::string> QtListImportPlatform::ChooseListFile(const std::string& folder) {
    const QString chosen = QFileDialog::getOpenFileName(
        parent_, QStringLiteral("名簿ファイルを開く"), Text(folder),
        QStringLiteral("名簿 (*.csv *.tsv *.txt *.xlsx *.ods);;すべてのファイル (*)"));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

void QtListImportPlatform::ShowMessage(const std::string& text) {
    QMessageBox::information(parent_, QStringLiteral("ZUL Name Card"), Text(text));
}

void QtListImportPlatform::ShowReport(const std::string& text) { ::ShowReport(parent_, Text(text)); }

std::optional<UnencodablePolicy> QtListImportPlatform::AskUnencodable(const std::string& listing) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ZUL Name Card"),
                    QStringLiteral("名札に保存できない文字があります。"), QMessageBox::NoButton, parent_);
    box.setDetailedText(Text(listing));
    box.setInformativeText(Text(listing));
    QPushButton* skip = box.addButton(QStringLiteral("その行を飛ばす"), QMessageBox::AcceptRole);
    QPushButton* replace = box.addButton(QStringLiteral("〓に置き換える"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == skip) return UnencodablePolicy::SkipRow;
    if (box.clickedButton() == replace) return UnencodablePolicy::Replace;
    return std::nullopt;
}

bool QtListImportPlatform::Progress(double share) {
    if (share >= 1.0) {
        progress_.reset();
        return true;
    }
    // Shown only when the reading takes more than a second.
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(QStringLiteral("名簿を読んでいます..."), QStringLiteral("中止"), 0,
                                                      100, parent_);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(1000);
    }
    progress_->setValue(static_cast<int>(share * 100));
    return !progress_->wasCanceled();
}

bool RunListImportDialog(QWidget* parent, const SettingsProfile& settings, RecordProfile& record) {
    QtListImportPlatform platform(parent);
    CListImportDlg dialog(settings, record, platform, parent);
    return dialog.exec() == QDialog::Accepted;
}
