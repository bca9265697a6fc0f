#include "dialogs/qt/sheet_chooser_dialog.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "dialogs/qt/sheet_preview_widget.h"
#include "sheets/slot_sheet.h"

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

CSheetChooserDlg::CSheetChooserDlg(sheets::SheetCatalogue& catalogue, const SettingsProfile& settings,
                                   const RecordProfile& record, std::int32_t slot, QWidget* parent)
    : ModelDialog(parent), model_(catalogue, settings, record, slot, *this) {
    setWindowTitle(QStringLiteral("用紙を選ぶ"));
    heading_ = new QLabel(this);
    search_ = Field("search", [this] { model_.OnSearchEdited(); });
    search_->setPlaceholderText(QStringLiteral("メーカー、品番、サイズ (91x55)、面数 (10面)"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("products"));
    list_->setMinimumWidth(420);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row != model_.selected) Run([this, row] { model_.OnSelect(row); });
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
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);

    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button(QStringLiteral("この設定を用紙として保存"), "saveCurrent", [this] { model_.OnSaveCurrent(); }));
    bottom->addWidget(buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);

    // Room for the picture and every line of the details, with their notes.
    resize(820, 600);
    model_.OnOpen();
    ShowFields();
}

void CSheetChooserDlg::accept() {
    if (!TakeFields()) return;
    if (model_.OnOk()) QDialog::accept();
    ShowFields();
}

bool CSheetChooserDlg::TakeFields() {
    model_.search = search_->text().toStdString();
    return true;
}

void CSheetChooserDlg::ShowFields() {
    heading_->setText(Text(model_.heading));
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
    ok_->setEnabled(model_.okEnabled);
}

void CSheetChooserDlg::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, windowTitle(), Text(text), QMessageBox::Ok, this);
    box.exec();
}

std::optional<std::string> CSheetChooserDlg::AskSheetName() {
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("この設定を用紙として保存"));
    dialog.setLabelText(QStringLiteral("用紙の名前"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().trimmed().toStdString();
}

sheets::SheetCatalogue& ProgramCatalogue() {
    static sheets::SheetCatalogue catalogue;
    static bool loaded = false;
    if (!loaded) {
        catalogue.Load(sheets::DefaultSources());
        for (const std::string& warning : catalogue.Warnings()) qWarning("label sheets: skipped %s", warning.c_str());
        loaded = true;
    }
    return catalogue;
}

bool RunSheetChooser(QWidget* parent, const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot) {
    CSheetChooserDlg dialog(ProgramCatalogue(), settings, record, slot, parent);
    return dialog.exec() == QDialog::Accepted;
}
