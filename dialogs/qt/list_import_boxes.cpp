#include "dialogs/qt/list_import_boxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/qt/model_dialog.h"

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

}  // namespace

ListFileBox::ListFileBox(ListImportModel& model, ModelDialog& dialog, std::function<void()> browse,
                         std::function<void()> pathEntered)
    : QWidget(&dialog), model_(model), dialog_(dialog) {
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("path"));
    connect(path_, &QLineEdit::editingFinished, this, [this, pathEntered = std::move(pathEntered)] {
        if (!showing_ && Text(model_.path) != path_->text()) dialog_.Run(pathEntered);
    });
    format_ = new QLabel(this);
    format_->setObjectName(QStringLiteral("format"));
    format_->setWordWrap(true);
    encoding_ = Combo("encoding", &ListImportModel::OnEncodingChanged);
    sheet_ = Combo("sheet", &ListImportModel::OnSheetChanged);
    header_ = new QCheckBox(QStringLiteral("1 行目は見出し"), this);
    header_->setObjectName(QStringLiteral("hasHeader"));
    connect(header_, &QCheckBox::toggled, this, [this] {
        if (!showing_) dialog_.Run([this] { model_.OnHeaderToggled(); });
    });
    auto* browseButton = new QPushButton(QStringLiteral("参照..."), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, [this, browse = std::move(browse)] { dialog_.Run(browse); });

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel(QStringLiteral("名簿ファイル"), this));
    file->addWidget(path_, 1);
    file->addWidget(browseButton);
    auto* detected = new QHBoxLayout;
    detected->addWidget(format_, 1);
    detected->addWidget(new QLabel(QStringLiteral("文字コード"), this));
    detected->addWidget(encoding_);
    detected->addWidget(new QLabel(QStringLiteral("シート"), this));
    detected->addWidget(sheet_);
    detected->addWidget(header_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(file);
    layout->addLayout(detected);
}

QComboBox* ListFileBox::Combo(const char* name, void (ListImportModel::*handler)()) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    connect(combo, &QComboBox::currentIndexChanged, this, [this, handler] {
        if (!showing_) dialog_.Run([this, handler] { (model_.*handler)(); });
    });
    return combo;
}

void ListFileBox::TakeFields() {
    model_.path = path_->text().toStdString();
    model_.encoding = std::max(encoding_->currentIndex(), 0);
    model_.sheet = std::max(sheet_->currentIndex(), 0);
    model_.hasHeader = header_->isChecked();
}

void ListFileBox::ShowFields() {
    showing_ = true;
    if (path_->text() != Text(model_.path)) path_->setText(Text(model_.path));
    format_->setText(Text(model_.formatText));
    ShowChoices(encoding_, model_.encodingChoices, model_.encoding);
    encoding_->setEnabled(model_.encodingEnabled);
    ShowChoices(sheet_, model_.sheetChoices, model_.sheet);
    sheet_->setEnabled(model_.sheetEnabled);
    header_->setChecked(model_.hasHeader);
    showing_ = false;
}

ColumnMappingBox::ColumnMappingBox(ListImportModel& model, ModelDialog& dialog)
    : QWidget(&dialog), model_(model), dialog_(dialog) {
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("preview"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setMinimumSize(640, 220);
    kana_ = new QComboBox(this);
    kana_->setObjectName(QStringLiteral("kana"));
    connect(kana_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) dialog_.Run([this] { model_.OnMappingChanged(); });
    });
    auto* readings = new QHBoxLayout;
    readings->addWidget(new QLabel(QStringLiteral("読みの仮名"), this));
    readings->addWidget(kana_);
    readings->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("列ごとに取り込む項目を選んでください"), this));
    layout->addWidget(table_, 1);
    layout->addLayout(readings);
}

void ColumnMappingBox::TakeFields() {
    for (std::size_t c = 0; c < columns_.size() && c < model_.columnTargets.size(); ++c)
        model_.columnTargets[c] = std::max(columns_[c]->currentIndex(), 0);
    model_.kana = std::max(kana_->currentIndex(), 0);
}

void ColumnMappingBox::ShowFields() {
    showing_ = true;
    ShowTable();
    ShowChoices(kana_, model_.kanaChoices, model_.kana);
    showing_ = false;
}

void ColumnMappingBox::ShowTable() {
    const int width = static_cast<int>(model_.columnNames.size());
    if (static_cast<int>(columns_.size()) != width || table_->columnCount() != width) {
        table_->clear();
        table_->setColumnCount(width);
        columns_.clear();
        for (int c = 0; c < width; ++c) {
            auto* combo = new QComboBox(table_);
            combo->setObjectName(QStringLiteral("column%1").arg(c));
            connect(combo, &QComboBox::currentIndexChanged, this, [this] {
                if (!showing_) dialog_.Run([this] { model_.OnMappingChanged(); });
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
