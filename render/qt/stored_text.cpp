#include "render/qt/stored_text.h"

#include <string>

#include "store/codec.h"
#include "store/cp932.h"

QString StoredToQString(std::string_view stored) {
    std::string utf8;
    if (codec::Cp932ToUtf8(stored, utf8)) return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QString text;
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t length = cp932::CharLength(stored, pos);
        if (codec::Cp932ToUtf8(stored.substr(pos, length), utf8))
            text += QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        else
            text += QChar::ReplacementCharacter;
        pos += length;
    }
    return text;
}
