#include "render/qt/stored_text.h"

#include <string>

#include "store/exact_text.h"

QString StoredToQString(std::string_view stored) {
    const std::u16string utf16 = exact_text::ToUtf16(stored);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}
