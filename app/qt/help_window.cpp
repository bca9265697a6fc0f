#include "app/qt/help_window.h"

#include <QUrl>

#include "app/qt/qt_text.h"
#include "app/qt/toolbar_icons.h"

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setWindowTitle(ToQt("ZUL Name Card ヘルプ"));
    setWindowIcon(ProgramIcon());
    setOpenExternalLinks(true);
    resize(640, 600);
}

void HelpWindow::ShowContents() {
    setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
    document()->setDocumentMargin(12);
    show();
    raise();
    activateWindow();
}
