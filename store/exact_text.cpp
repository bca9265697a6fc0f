#include "store/exact_text.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>

#include "store/codec.h"
#include "store/cp932.h"

namespace exact_text {

namespace {

constexpr std::string_view kEscapeStart = "&#x";
const std::string& Geta() {
    static const std::string geta = codec::Sjis("〓");
    return geta;
}

// Whether a code point can stand in text: not NUL, not half of a surrogate pair, not one of the
// noncharacters (U+FDD0…U+FDEF, and the last two of each plane), none of which a list, a workbook
// or a drawing can hold.
bool IsTextCharacter(std::uint32_t code) {
    return code != 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF) && !(code >= 0xFDD0 && code <= 0xFDEF) &&
           (code & 0xFFFE) != 0xFFFE;
}

// Valid UTF-8 with each character no text can hold shown as the replacement character.
std::string TextCharactersOnly(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = std::max<std::size_t>(codec::DecodeUtf8(utf8, pos, code), 1);
        text += IsTextCharacter(code) ? utf8.substr(pos, length) : std::string_view("\xEF\xBF\xBD");
        pos += length;
    }
    return text;
}

std::size_t CodePoints(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::size_t Cp932Characters(std::string_view cp932) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < cp932.size(); pos += cp932::CharLength(cp932, pos)) ++count;
    return count;
}

// The escape at pos, if there is one: its code point and its length. Only the few bytes an
// escape can span are looked at, so that walking a long text stays linear.
bool EscapeAt(std::string_view exact, std::size_t pos, char32_t& code, std::size_t& length) {
    if (exact.compare(pos, kEscapeStart.size(), kEscapeStart) != 0) return false;
    const std::size_t digits = pos + kEscapeStart.size();
    const std::size_t end = exact.substr(0, digits + 7).find(';', digits);
    if (end == std::string_view::npos || end == digits) return false;
    std::uint32_t value = 0;
    const auto [stop, error] = std::from_chars(exact.data() + digits, exact.data() + end, value, 16);
    if (error != std::errc() || stop != exact.data() + end || !IsTextCharacter(value)) return false;
    code = value;
    length = end + 1 - pos;
    return true;
}

// Walks the exact form: runs of code page 932 text and escaped characters, in order.
template <typename Run, typename Escaped>
void Walk(std::string_view exact, Run run, Escaped escaped) {
    std::size_t start = 0;
    for (std::size_t pos = exact.find('&'); pos != std::string_view::npos; pos = exact.find('&', pos)) {
        char32_t code = 0;
        std::size_t length = 0;
        if (!EscapeAt(exact, pos, code, length)) {
            ++pos;
            continue;
        }
        run(exact.substr(start, pos - start));
        escaped(code);
        pos += length;
        start = pos;
    }
    run(exact.substr(start));
}

}  // namespace

std::string KeyOf(std::string_view item) { return std::string(item) + std::string(kKeySuffix); }

bool IsKeyOf(std::string_view key, std::string_view item) {
    return key.size() == item.size() + kKeySuffix.size() && cp932::CompareFolded(key.substr(0, item.size()), item) == 0 &&
           cp932::CompareFolded(key.substr(item.size()), kKeySuffix) == 0;
}

std::string Nfc(std::string_view utf8) {
    if (!codec::IsValidUtf8(utf8)) return std::string(utf8);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    std::string normal;
    if (U_SUCCESS(status)) {
        nfc->normalize(icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size()))),
                       status)
            .toUTF8String(normal);
    }
    return U_SUCCESS(status) ? normal : std::string(utf8);
}

bool FromUtf8(std::string_view utf8, std::string& exact) {
    if (!codec::IsValidUtf8(utf8)) return false;
    const std::string normal = Nfc(TextCharactersOnly(utf8));
    exact.clear();
    std::string whole;
    if (normal.find(kEscapeStart) == std::string::npos && codec::Utf8ToCp932(normal, whole) &&
        Cp932Characters(whole) == CodePoints(normal)) {
        exact = whole;
        return true;
    }
    // Character by character: what code page 932 holds is stored as it is, the rest escaped.
    for (std::size_t pos = 0; pos < normal.size();) {
        char32_t code = 0;
        const std::size_t length = codec::DecodeUtf8(normal, pos, code);
        const std::string_view character(normal.data() + pos, length);
        std::string stored;
        // The converter leaves out some characters it cannot map (tag characters): those are
        // escaped too, or the text would lose them and its neighbours could form an escape.
        if (normal.compare(pos, kEscapeStart.size(), kEscapeStart) != 0 && codec::Utf8ToCp932(character, stored) &&
            !stored.empty()) {
            exact += stored;
        } else {
            char digits[8];
            const auto [end, error] = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(code), 16);
            exact += std::string(kEscapeStart) + std::string(digits, end) + ";";
        }
        pos += length;
    }
    return true;
}

std::u16string ToUtf16(std::string_view exact) {
    std::u16string wide;
    Walk(
        exact,
        [&](std::string_view run) {
            std::u16string part;
            codec::Cp932ToUtf16(run, part);
            // A NUL byte in a stored text is no character a list or a workbook can hold.
            std::replace(part.begin(), part.end(), u'\0', u'\uFFFD');
            wide += part;
        },
        [&](char32_t code) {
            const icu::UnicodeString one(static_cast<UChar32>(code));
            wide.append(reinterpret_cast<const char16_t*>(one.getBuffer()), static_cast<std::size_t>(one.length()));
        });
    return wide;
}

std::string ToUtf8(std::string_view exact) {
    const std::u16string wide = ToUtf16(exact);
    std::string utf8;
    icu::UnicodeString(false, reinterpret_cast<const UChar*>(wide.data()), static_cast<std::int32_t>(wide.size()))
        .toUTF8String(utf8);
    return utf8;
}

std::string Plain(std::string_view exact) {
    std::string plain;
    Walk(
        exact, [&](std::string_view run) { plain += run; },
        [&](char32_t code) {
            // An escaped "&" stands for itself; every other escaped character is one 〓.
            plain += code == U'&' ? std::string("&") : Geta();
        });
    return plain;
}

bool HasEscapes(std::string_view exact) {
    bool any = false;
    Walk(exact, [](std::string_view) {}, [&](char32_t) { any = true; });
    return any;
}

std::vector<Character> Characters(std::string_view exact) {
    std::vector<Character> characters;
    std::size_t next = 0;  // where the next escape starts: the end of the run before it
    Walk(
        exact,
        [&](std::string_view run) {
            const std::size_t base = static_cast<std::size_t>(run.data() - exact.data());
            for (std::size_t pos = 0; pos < run.size(); pos += std::max<std::size_t>(cp932::CharLength(run, pos), 1))
                characters.push_back({base + pos, 0});
            next = base + run.size();
        },
        [&](char32_t code) { characters.push_back({next, code}); });
    return characters;
}

std::string FromStored(std::string_view itemText, std::string_view exactKeyText) {
    if (!exactKeyText.empty() && Plain(exactKeyText) == itemText) return std::string(exactKeyText);
    // A stored text that happens to hold an escape keeps it as text.
    if (itemText.find(kEscapeStart) == std::string_view::npos) return std::string(itemText);
    std::string exact;
    for (std::size_t pos = 0; pos < itemText.size(); ++pos) {
        if (itemText.compare(pos, kEscapeStart.size(), kEscapeStart) == 0)
            exact += "&#x26;";
        else
            exact += itemText[pos];
    }
    return exact;
}

}  // namespace exact_text
