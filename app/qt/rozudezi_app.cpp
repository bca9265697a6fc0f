#include "app/qt/rozudezi_app.h"

#include <QLibraryInfo>
#include <QLocale>

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>

#include "app/optical_media.h"
#include "app/qt/about_dialog.h"
#include "app/qt/file_failure_messages.h"
#include "app/qt/help_window.h"
#include "app/qt/qt_text.h"
#include "app/startup.h"
#include "dialogs/qt/calibration_dialog.h"
#include "dialogs/qt/dialog_palette.h"
#include "dialogs/qt/ui_font.h"
#include "render/qt/font_substitutes.h"
#include "store/program_data.h"

namespace {

class MessageBoxPlatform : public StartupPlatform {
public:
    bool ProgramOnOpticalMedia() const override { return OnOpticalMedia(ProgramFilePath()); }
    void ShowMessage(const std::string& text) override {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("ZUL Name Card"), ToQt(text), QMessageBox::Ok);
        box.exec();
    }
};

}  // namespace

CRozudeziApp::CRozudeziApp(int& argc, char** argv)
    : QApplication(argc, argv),
      failureMessages_(std::make_unique<FileFailureMessages>()),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setApplicationName(QStringLiteral("zulname"));
    // The program's offsets are measured from the paper's printable origin.
    printer_->setFullPage(true);
    InstallDialogPalette();
    InstallJapaneseUiFont();
    InstallFontSubstitutes();
    // Qt's own dialogs (colour, font, print) speak Japanese like the rest of the program.
    if (qtTranslations_.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&qtTranslations_);
}

CRozudeziApp::~CRozudeziApp() = default;

bool CRozudeziApp::Initialise() {
    MessageBoxPlatform platform;
    return ::Initialise(platform, userItems_);
}

bool CRozudeziApp::IsAvailable(CommandId command) const {
    return command == CommandId::About || command == CommandId::PrintSetup || command == CommandId::HelpIndex ||
           command == CommandId::CalibratePrinter;
}

void CRozudeziApp::Execute(CommandId command) {
    switch (command) {
        case CommandId::About: ShowAbout(); break;
        case CommandId::PrintSetup: SetUpPrinter(); break;
        case CommandId::CalibratePrinter: RunCalibrationDialog(activeWindow(), SettingsProfile(), *printer_); break;
        case CommandId::HelpIndex: ShowHelp(); break;
        default: break;
    }
}

void CRozudeziApp::ShowAbout() {
    CAboutDlg dialog(activeWindow());
    dialog.exec();
}

void CRozudeziApp::SetUpPrinter() {
    QPageSetupDialog dialog(printer_.get(), activeWindow());
    dialog.exec();
}

void CRozudeziApp::ShowHelp() {
    if (!help_) help_ = std::make_unique<HelpWindow>();
    help_->ShowContents();
}
