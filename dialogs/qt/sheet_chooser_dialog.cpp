#include "dialogs/qt/sheet_chooser_dialog.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "dialogs/qt/sheet_search_box.h"


namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

CSheetChooserDlg::CSheetChooserDlg(sheets::SheetCatalogue& catalogue, const SettingsProfile& settings,
                                   const RecordProfile& record, std::int32_t slot, QWidget* parent)
    : ModelDialog(parent), model_(catalogue, settings, record, slot, *this) {
    setWindowTitle(QStringLiteral("用紙を選ぶ"));
    heading_ = new QLabel(this);
    box_ = new SheetSearchBox(model_, *this);

    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button(QStringLiteral("この設定を用紙として保存"), "saveCurrent", [this] { model_.OnSaveCurrent(); }));
    bottom->addWidget(buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(box_, 1);
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
    box_->TakeFields();
    return true;
}

void CSheetChooserDlg::ShowFields() {
    heading_->setText(Text(model_.heading));
    box_->ShowFields();
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
