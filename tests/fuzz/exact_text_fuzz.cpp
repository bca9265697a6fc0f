// Reads arbitrary bytes as the exact form of a text, and as UTF-8 typed or imported, checking what
// must hold for any text: the text read back after storing is the text stored, what reaches a
// list or a workbook is valid UTF-8 holding no NUL and no noncharacter, and a text made from
// UTF-8 is made again alike from its own UTF-8.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/codec.h"
#include "store/exact_text.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Whether every character of valid UTF-8 can stand in text.
bool OnlyTextCharacters(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = codec::DecodeUtf8(utf8, pos, code);
        if (length == 0 || code == 0 || (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE) return false;
        pos += length;
    }
    return true;
}

// As the item key and the exact key hold it, and read back.
std::string Stored(const std::string& exact) {
    return exact_text::FromStored(exact_text::Plain(exact), exact_text::HasEscapes(exact) ? exact : "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = exact_text::ToUtf8(bytes);
    Require(codec::IsValidUtf8(utf8), "the UTF-8 of a text is valid");
    Require(OnlyTextCharacters(utf8), "no stored text gives a character no text holds");
    Require(exact_text::ToUtf8(Stored(bytes)) == utf8, "a text reads back as it was stored");

    std::string exact;
    if (exact_text::FromUtf8(bytes, exact)) {
        const std::string typed = exact_text::ToUtf8(exact);
        Require(OnlyTextCharacters(typed), "typed text holds only characters");
        std::string again;
        Require(exact_text::FromUtf8(typed, again) && again == exact, "a typed text is made alike from its own UTF-8");
        Require(exact_text::ToUtf8(Stored(exact)) == typed, "a typed text reads back as it was stored");
    }
    return 0;
}
