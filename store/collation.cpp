#include "store/collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <vector>

#include "store/codec.h"
#include "store/exact_text.h"

JapaneseCollation::JapaneseCollation() {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open("ja", &status);
    if (U_FAILURE(status)) collator_ = nullptr;
}

JapaneseCollation::~JapaneseCollation() {
    if (collator_ != nullptr) ucol_close(collator_);
}

std::string JapaneseCollation::SortKey(std::string_view cp932) const {
    std::string utf8;
    if (collator_ == nullptr || !codec::Cp932ToUtf8(exact_text::Plain(cp932), utf8)) return "\xff" + std::string(cp932);
    utf8 = exact_text::ToUtf8(cp932);
    // A code page 932 character is at most two UTF-16 units.
    std::vector<UChar> text(utf8.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(text.data(), static_cast<int32_t>(text.size()), &length, utf8.data(), static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status)) return "\xff" + std::string(cp932);
    std::string key(64, '\0');
    for (;;) {
        const int32_t needed = ucol_getSortKey(collator_, text.data(), length, reinterpret_cast<uint8_t*>(key.data()),
                                               static_cast<int32_t>(key.size()));
        if (needed <= static_cast<int32_t>(key.size())) {
            // The key ends in a zero byte that is not part of the order.
            key.resize(needed > 0 ? static_cast<std::size_t>(needed - 1) : 0);
            return key;
        }
        key.resize(static_cast<std::size_t>(needed));
    }
}
