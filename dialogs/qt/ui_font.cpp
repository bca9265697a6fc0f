#include "dialogs/qt/ui_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

namespace {

// Proportional first, as the desktop's own fonts are; both have Latin letters too.
const char* const kJapaneseFamilies[] = {"IPAPGothic", "IPAGothic"};

}  // namespace

QFont JapaneseUiFont(QFont desktop, const QStringList& installed) {
    if (QFontDatabase::writingSystems(QFontInfo(desktop).family()).contains(QFontDatabase::Japanese)) return desktop;
    for (const char* family : kJapaneseFamilies) {
        if (!installed.contains(QString::fromLatin1(family))) continue;
        desktop.setFamilies({QString::fromLatin1(family)});
        return desktop;
    }
    return desktop;
}

void InstallJapaneseUiFont() { QApplication::setFont(JapaneseUiFont(QApplication::font(), QFontDatabase::families())); }
