#include "dialogs/qt/dialog_palette.h"

#include <QApplication>

namespace {

const QColor kBackground(192, 192, 192);
// About 4.4 : 1 against the background: readable, yet clearly lighter than the black of
// enabled captions.
const QColor kDisabledText(80, 80, 80);

}  // namespace

QPalette DialogPalette(QPalette base) {
    base.setColor(QPalette::Window, kBackground);
    base.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
    base.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        base.setColor(QPalette::Disabled, role, kDisabledText);
    return base;
}

void InstallDialogPalette() { QApplication::setPalette(DialogPalette(QApplication::palette()), "QDialog"); }
