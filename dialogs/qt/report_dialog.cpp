#include "dialogs/qt/report_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

void ShowReport(QWidget* parent, const QString& text) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("ZUL Name Card"));
    auto* report = new QPlainTextEdit(&dialog);
    report->setObjectName(QStringLiteral("report"));
    report->setReadOnly(true);
    // A message box wraps long lines and cuts off what its measure misses; lines here stay whole.
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    report->setPlainText(text.trimmed());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(report);
    layout->addWidget(buttons);

    const QFontMetrics metrics = report->fontMetrics();
    const QStringList lines = report->toPlainText().split('\n');
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    // Room for the document's margins, the frame and a scroll bar beside the lines.
    const int chrome = 2 * static_cast<int>(report->document()->documentMargin()) + 2 * report->frameWidth() +
                       report->verticalScrollBar()->sizeHint().width() + metrics.averageCharWidth();
    const QSize screen = (parent ? parent->screen() : dialog.screen())->availableGeometry().size();
    report->setMinimumSize(std::min(widest + chrome, screen.width() * 4 / 5),
                           std::min(static_cast<int>(lines.size() + 1) * metrics.lineSpacing() + chrome,
                                    screen.height() * 3 / 5));
    dialog.exec();
}
