#include "lists/text_encoding.h"

#include <cstdint>

#include "store/codec.h"
#include "store/cp932.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Counts lines and characters of text that ends just before a bad character. CR LF, CR and LF
// each end a line. charLength gives the length of the character at a position.
template <typename CharLength>
void LocateEnd(std::string_view text, CharLength charLength, ListError& error) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t length = charLength(text, i);
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++line;
            column = 1;
        } else if (c != '\r') {
            ++column;
        }
        i += length;
    }
    error.line = line;
    error.column = column;
}

std::size_t Utf8CharLength(std::string_view text, std::size_t pos) {
    std::size_t length = 1;
    while (pos + length < text.size() && (static_cast<unsigned char>(text[pos + length]) & 0xC0) == 0x80) ++length;
    return length;
}

bool DecodeUtf8(std::string_view bytes, std::string& utf8, ListError& error) {
    const std::size_t valid = codec::ValidUtf8Length(bytes);
    if (valid == bytes.size()) {
        utf8.assign(bytes);
        return true;
    }
    LocateEnd(bytes.substr(0, valid), Utf8CharLength, error);
    error.message = "UTF-8 として読めない文字があります";
    return false;
}

// The length of the valid code page 932 text at the start of bytes: the first line that does
// not convert is taken apart character by character.
std::size_t ValidCp932Length(std::string_view bytes) {
    std::size_t lineStart = 0;
    std::string ignored;
    while (lineStart < bytes.size()) {
        std::size_t lineEnd = bytes.find('\n', lineStart);
        lineEnd = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
        if (!codec::Cp932ToUtf8(bytes.substr(lineStart, lineEnd - lineStart), ignored)) {
            std::size_t i = lineStart;
            while (i < lineEnd) {
                const std::size_t length = cp932::CharLength(bytes, i);
                if (!codec::Cp932ToUtf8(bytes.substr(i, length), ignored)) return i;
                i += length;
            }
        }
        lineStart = lineEnd;
    }
    return bytes.size();
}

bool DecodeCp932(std::string_view bytes, std::string& utf8, ListError& error) {
    if (codec::Cp932ToUtf8(bytes, utf8)) return true;
    LocateEnd(bytes.substr(0, ValidCp932Length(bytes)), cp932::CharLength, error);
    error.message = "CP932 (Shift_JIS) として読めない文字があります";
    return false;
}

// Where UTF-16 stops being valid: an odd last byte or a surrogate without its partner.
std::size_t ValidUtf16Length(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t i) -> std::uint16_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<std::uint16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        const std::uint16_t u = unit(i);
        if (u >= 0xDC00 && u <= 0xDFFF) return i;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= bytes.size() || unit(i + 2) < 0xDC00 || unit(i + 2) > 0xDFFF) return i;
            i += 2;
        }
        i += 2;
    }
    return i;
}

bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::string& utf8, ListError& error) {
    if (bytes.size() % 2 == 0 && codec::Utf16ToUtf8(bytes, bigEndian, utf8)) return true;
    std::string prefix;
    codec::Utf16ToUtf8(bytes.substr(0, ValidUtf16Length(bytes, bigEndian)), bigEndian, prefix);
    LocateEnd(prefix, Utf8CharLength, error);
    error.message = "UTF-16 として読めない文字があります";
    return false;
}

}  // namespace

const char* EncodingLabel(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8: return "UTF-8";
        case TextEncoding::Utf8Bom: return "UTF-8 (BOM)";
        case TextEncoding::Utf16Le: return "UTF-16 LE";
        case TextEncoding::Utf16Be: return "UTF-16 BE";
        case TextEncoding::Cp932: return "CP932";
    }
    return "";
}

std::optional<EncodingGuess> DetectEncoding(std::string_view bytes, ListError& error) {
    if (StartsWith(bytes, kUtf8Bom)) return EncodingGuess{TextEncoding::Utf8Bom, false};
    if (StartsWith(bytes, kUtf16LeBom)) return EncodingGuess{TextEncoding::Utf16Le, false};
    if (StartsWith(bytes, kUtf16BeBom)) return EncodingGuess{TextEncoding::Utf16Be, false};
    if (bytes.find('\0') != std::string_view::npos) {
        error = {"テキストの名簿ではありません", 0, 0};
        return std::nullopt;
    }
    const bool utf8 = codec::IsValidUtf8(bytes);
    const bool cp932 = ValidCp932Length(bytes) == bytes.size();
    if (utf8) return EncodingGuess{TextEncoding::Utf8, cp932 && !IsAscii(bytes)};
    if (cp932) return EncodingGuess{TextEncoding::Cp932, false};
    ListError asUtf8, asCp932;
    std::string ignored;
    DecodeUtf8(bytes, ignored, asUtf8);
    DecodeCp932(bytes, ignored, asCp932);
    error = {"文字コードを判別できません (UTF-8: " + std::to_string(asUtf8.line) + " 行 " +
                 std::to_string(asUtf8.column) + " 列、CP932: " + std::to_string(asCp932.line) + " 行 " +
                 std::to_string(asCp932.column) + " 列で読めません)",
             0, 0};
    return std::nullopt;
}

bool DecodeText(std::string_view bytes, TextEncoding encoding, std::string& utf8, ListError& error) {
    switch (encoding) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8Bom:
            if (StartsWith(bytes, kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
            return DecodeUtf8(bytes, utf8, error);
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool bigEndian = encoding == TextEncoding::Utf16Be;
            if (StartsWith(bytes, bigEndian ? kUtf16BeBom : kUtf16LeBom)) bytes.remove_prefix(2);
            return DecodeUtf16(bytes, bigEndian, utf8, error);
        }
        case TextEncoding::Cp932:
            return DecodeCp932(bytes, utf8, error);
    }
    return false;
}
