#include "app/qt/help_window.h"

#include <QFile>
#include <QUrl>

#include "store/program_data.h"
#include "app/qt/qt_text.h"
#include "app/qt/toolbar_icons.h"

std::string ContentsPagePath() { return ProgramDataFolder() + "/help/index.html"; }

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setWindowTitle(ToQt("ZUL Name Card ヘルプ"));
    setWindowIcon(ProgramIcon());
    setOpenExternalLinks(true);
    resize(640, 600);
}

void HelpWindow::ShowContents() {
    setSource(QUrl::fromLocalFile(QFile::decodeName(ContentsPagePath().c_str())));
    document()->setDocumentMargin(12);
    show();
    raise();
    activateWindow();
}
