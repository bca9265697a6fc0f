#include "render/qt/stored_text.h"

#include <string>

#include "store/codec.h"

QString StoredToQString(std::string_view stored) {
    std::u16string utf16;
    codec::Cp932ToUtf16(stored, utf16);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}
