#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Byte-level rules of code page 932 (Shift-JIS) text as stored in the program's files.
// Stored text is never decoded for parsing: a lead byte and the trail byte after it are one
// character, and a trail byte is never taken for syntax ("\", "[", "]") or folded to lower case.
namespace cp932 {

inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Length in bytes of the character starting at text[pos]: 2 for a lead byte followed by a valid
// trail byte, else 1 (a stray lead byte stands alone, so broken text is still walked safely).
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
        IsTrailByte(static_cast<unsigned char>(text[pos + 1])))
        return 2;
    return 1;
}

// Blanks as the profile files see them: 0x09-0x0D, space and 0x1A (the old end-of-file mark).
inline bool IsBlank(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

std::string_view TrimBlanks(std::string_view text);

// The longest prefix of at most maxBytes bytes that does not end inside a double-byte character.
std::string_view CutToBytes(std::string_view text, std::size_t maxBytes);

// ASCII A-Z folded to lower case, character-aware; every other byte is kept.
std::string FoldAsciiCase(std::string_view text);

// FoldAsciiCase(a) compared with FoldAsciiCase(b), byte by byte (<0, 0, >0), without copying.
int CompareFolded(std::string_view a, std::string_view b);

// Position of the first / last occurrence of the single-byte character c, character-aware,
// or npos.
std::size_t FindChar(std::string_view text, char c);
std::size_t FindLastChar(std::string_view text, char c);

}  // namespace cp932
