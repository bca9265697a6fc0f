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
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (utf8.size() == 1 && byte(0) < 0x80) return byte(0);
    if (utf8.size() == 2) return static_cast<char16_t>(((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F));
    if (utf8.size() == 3)
        return static_cast<char16_t>(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F));
    return kUndefined;
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

std::size_t ValidUtf8Length(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra;
        unsigned int min;
        if (c < 0x80) {
            ++i;
            continue;
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
            return i;
        }
        if (i + extra >= text.size()) return i;
        unsigned int code = c & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) return i;
            code = (code << 6) | (t & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
        i += extra + 1;
    }
    return i;
}

bool IsValidUtf8(std::string_view text) { return ValidUtf8Length(text) == text.size(); }

}  // namespace codec


namespace codec {

std::string FirstUnstorableCharacter(std::string_view utf8) {
    std::string ignored;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[pos]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        length = std::min(length, utf8.size() - pos);
        const std::string_view character = utf8.substr(pos, length);
        if (!Utf8ToCp932(character, ignored)) return std::string(character);
        pos += length;
    }
    return {};
}

std::string Sjis(std::string_view utf8) {
    std::string out;
    Utf8ToCp932(utf8, out);
    return out;
}

}  // namespace codec
