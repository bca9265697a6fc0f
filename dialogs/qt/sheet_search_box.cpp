#include "dialogs/qt/sheet_search_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialogs/qt/model_dialog.h"
#include "dialogs/qt/sheet_preview_widget.h"
#include "sheets/slot_sheet.h"

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

SheetSearchBox::SheetSearchBox(SheetChooserModel& model, ModelDialog& dialog) : QWidget(&dialog), model_(model) {
    search_ = dialog.Field("search", [this] { model_.OnSearchEdited(); });
    search_->setPlaceholderText(QStringLiteral("メーカー、品番、サイズ (91x55)、面数 (10面)"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("products"));
    list_->setMinimumWidth(420);
    connect(list_, &QListWidget::currentRowChanged, this, [this, &dialog](int row) {
        if (row != model_.selected) dialog.Run([this, row] { model_.OnSelect(row); });
    });
    picture_ = new SheetPreviewWidget(
        [this](Surface& surface) {
            if (const sheets::SheetProduct* product = model_.Chosen()) DrawSheetPicture(*product, surface);
        },
        this);
    picture_->setObjectName(QStringLiteral("picture"));
    details_ = new QLabel(this);
    details_->setObjectName(QStringLiteral("details"));
    details_->setWordWrap(true);
    details_->setMinimumWidth(260);
    details_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("検索"), this));
    searchRow->addWidget(search_);
    auto* left = new QVBoxLayout;
    left->addLayout(searchRow);
    left->addWidget(list_);
    auto* right = new QVBoxLayout;
    right->addWidget(picture_);
    right->addWidget(details_, 1);
    auto* body = new QHBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(left, 1);
    body->addLayout(right);
}

void SheetSearchBox::TakeFields() { model_.search = search_->text().toStdString(); }

void SheetSearchBox::ShowFields() {
    if (search_->text() != Text(model_.search)) search_->setText(Text(model_.search));
    // Filling a list of a thousand rows anew at every selection would make it flicker.
    if (shownRows_ != model_.rows) {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const std::string& row : model_.rows) list_->addItem(Text(row));
        shownRows_ = model_.rows;
    }
    if (list_->currentRow() != model_.selected) {
        const QSignalBlocker block(list_);
        list_->setCurrentRow(model_.selected);
    }
    details_->setText(Text(model_.details));
    if (const sheets::SheetProduct* product = model_.Chosen())
        picture_->SetPaper(sheets::Hundredths(product->paperWidth), sheets::Hundredths(product->paperHeight));
    picture_->update();
}
