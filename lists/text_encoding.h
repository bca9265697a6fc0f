#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lists/list_error.h"

// The encodings a text list may be written in, and turning its bytes into UTF-8.
enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Cp932 };

// "UTF-8", "UTF-8 (BOM)", "UTF-16 LE", "UTF-16 BE", "CP932": what the import shows.
const char* EncodingLabel(TextEncoding encoding);

// What the bytes of a text list say about their encoding.
struct EncodingGuess {
    TextEncoding encoding = TextEncoding::Utf8;
    // Valid both as UTF-8 and as code page 932 with characters beyond ASCII: UTF-8 was taken, and
    // the user should be told to check.
    bool ambiguous = false;
};

// A byte-order mark decides; without one, UTF-8 when the bytes are valid UTF-8, else code page
// 932 when they are valid there. Nothing when they are neither (error says where each fails) or
// when they hold NUL bytes without a UTF-16 mark (not a text list).
std::optional<EncodingGuess> DetectEncoding(std::string_view bytes, ListError& error);

// The bytes as UTF-8, without a byte-order mark. False, with the line and column of the first
// character that cannot be read, when the bytes are not valid in that encoding.
bool DecodeText(std::string_view bytes, TextEncoding encoding, std::string& utf8, ListError& error);
