#include "store/codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "store/cp932.h"

namespace codec {
namespace {

// One conversion descriptor per direction, opened on first use. The program runs on one thread.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Convert(std::string_view in, std::string& out) {
        out.clear();
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char chunk[1024];
        while (srcLeft > 0) {
            char* dst = chunk;
            std::size_t dstLeft = sizeof chunk;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(chunk, static_cast<std::size_t>(dst - chunk));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
        }
        char* dst = chunk;
        std::size_t dstLeft = sizeof chunk;
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
        out.append(chunk, static_cast<std::size_t>(dst - chunk));
        return true;
    }

private:
    iconv_t cd_;
};

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kUndefined = 0xFFFF;  // a noncharacter: no code page 932 character maps to it
constexpr std::size_t kSingleBytes = 0x10000;  // single bytes follow the 256 × 256 pairs

// The code unit of UTF-8 text holding one character of the Basic Multilingual Plane (as every
// code page 932 character is), else kUndefined.
char16_t OneBmpCharacter(std::string_view utf8) {
    char32_t code = 0;
    return DecodeUtf8(utf8, 0, code) == utf8.size() && code < 0x10000 ? static_cast<char16_t>(code) : kUndefined;
}

// Every one- and two-byte character, converted once through iconv.
const std::vector<char16_t>& DecodeTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> units(kSingleBytes + 0x100, kUndefined);
        std::string utf8;
        for (unsigned lead = 0; lead < 0x100; ++lead) {
            const char single = static_cast<char>(lead);
            if (Cp932ToUtf8(std::string_view(&single, 1), utf8)) units[kSingleBytes + lead] = OneBmpCharacter(utf8);
            if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0; trail < 0x100; ++trail) {
                if (!cp932::IsTrailByte(static_cast<unsigned char>(trail))) continue;
                const char pair[2] = {single, static_cast<char>(trail)};
                if (Cp932ToUtf8(std::string_view(pair, 2), utf8)) units[(lead << 8) | trail] = OneBmpCharacter(utf8);
            }
        }
        return units;
    }();
    return table;
}

}  // namespace

void Cp932ToUtf16(std::string_view text, std::u16string& utf16) {
    const std::vector<char16_t>& table = DecodeTable();
    utf16.clear();
    utf16.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = cp932::CharLength(text, pos);
        const auto first = static_cast<unsigned char>(text[pos]);
        const std::size_t index =
            length == 2 ? (std::size_t{first} << 8) | static_cast<unsigned char>(text[pos + 1]) : kSingleBytes + first;
        const char16_t unit = table[index];
        utf16 += unit == kUndefined ? kReplacement : unit;
        pos += length;
    }
}

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8) {
    static Converter converter("UTF-8", "CP932");
    return converter.Convert(cp932, utf8);
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932) {
    static Converter converter("CP932", "UTF-8");
    return converter.Convert(utf8, cp932);
}

bool Utf16ToUtf8(std::string_view utf16, bool bigEndian, std::string& utf8) {
    static Converter little("UTF-8", "UTF-16LE");
    static Converter big("UTF-8", "UTF-16BE");
    return (bigEndian ? big : little).Convert(utf16, utf8);
}

std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& code) {
    const auto c = static_cast<unsigned char>(text[pos]);
    std::size_t extra;
    char32_t min;
    if (c < 0x80) {
        code = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + extra >= text.size()) return 0;
    char32_t value = c & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto t = static_cast<unsigned char>(text[pos + k]);
        if ((t & 0xC0) != 0x80) return 0;
        value = (value << 6) | (t & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    code = value;
    return extra + 1;
}

std::size_t ValidUtf8Length(std::string_view text) {
    std::size_t pos = 0;
    char32_t ignored;
    for (std::size_t length; pos < text.size() && (length = DecodeUtf8(text, pos, ignored)) > 0;) pos += length;
    return pos;
}

bool IsValidUtf8(std::string_view text) { return ValidUtf8Length(text) == text.size(); }

}  // namespace codec


namespace codec {

std::string FirstUnstorableCharacter(std::string_view utf8) {
    std::string ignored;
    char32_t code;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::string_view character = utf8.substr(pos, std::max<std::size_t>(DecodeUtf8(utf8, pos, code), 1));
        if (!Utf8ToCp932(character, ignored)) return std::string(character);
        pos += character.size();
    }
    return {};
}

std::string Utf8(std::string_view cp932) {
    std::string out;
    Cp932ToUtf8(cp932, out);
    return out;
}

std::string Sjis(std::string_view utf8) {
    std::string out;
    Utf8ToCp932(utf8, out);
    return out;
}

}  // namespace codec
