#pragma once

#include <string>
#include <string_view>

// Conversion between the code page 932 bytes of stored text and the UTF-8 of file names,
// terminals and widgets. Both directions are strict: text that the other side cannot hold is
// reported, never replaced by "?".
namespace codec {

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8);
// Stored text for display: each character code page 932 does not define (a stray or broken
// byte) becomes U+FFFD, the rest converts as Cp932ToUtf8 does. A table built once makes this
// several times faster than a conversion through iconv for each text.
void Cp932ToUtf16(std::string_view cp932, std::u16string& utf16);
bool Utf8ToCp932(std::string_view utf8, std::string& cp932);
// UTF-16 without a byte-order mark, in the byte order given.
bool Utf16ToUtf8(std::string_view utf16, bool bigEndian, std::string& utf8);

// The character of UTF-8 text at byte pos (in range): its code point in code and its length in
// bytes, or 0 when the bytes there are not a valid UTF-8 sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& code);

bool IsValidUtf8(std::string_view text);
// The length of the longest valid UTF-8 prefix, ending before the first invalid sequence.
std::size_t ValidUtf8Length(std::string_view text);

// The first character of UTF-8 text that code page 932 cannot hold (as UTF-8), or an empty
// string when it can hold all of it. A byte that is not UTF-8 is returned on its own.
std::string FirstUnstorableCharacter(std::string_view utf8);

}  // namespace codec

namespace codec {

// The program's own Japanese texts are written in UTF-8 in the sources; this gives their stored
// form. Only for texts known to exist in code page 932.
std::string Sjis(std::string_view utf8);
// Stored text as UTF-8 for display: as far as it converts (all of it unless it is damaged).
std::string Utf8(std::string_view cp932);

}  // namespace codec
