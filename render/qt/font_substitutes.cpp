#include "render/qt/font_substitutes.h"

#include <QFont>
#include <QString>
#include <QStringList>

void InstallFontSubstitutes() {
    static const char* const kGothic[] = {"ＭＳ ゴシック", "MS Gothic", "ＭＳ Ｐゴシック", "MS PGothic", "FixedSys"};
    static const char* const kMincho[] = {"ＭＳ 明朝", "MS Mincho", "ＭＳ Ｐ明朝", "MS PMincho"};
    for (const char* face : kGothic) QFont::insertSubstitution(QString::fromUtf8(face), QStringLiteral("IPAGothic"));
    // IPAmj Mincho, when installed, draws the most kanji of the JIS X 0213 and IVS variants in names.
    for (const char* face : kMincho)
        QFont::insertSubstitutions(QString::fromUtf8(face),
                                   QStringList{QStringLiteral("IPAmjMincho"), QStringLiteral("IPAMincho")});
}
