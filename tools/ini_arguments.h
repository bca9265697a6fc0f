#pragma once

#include <string>
#include <string_view>

// How zulname-ini turns command-line text into the code page 932 bytes of a profile file, and
// stored bytes back into text for the terminal.
namespace ini_tool {

// Text in UTF-8, or with `raw` bytes as given where "\xHH" stands for any byte and "\\" for a
// backslash. False, with the reason, when the text cannot be stored.
bool ArgumentBytes(std::string_view argument, bool raw, std::string& bytes, std::string& reason);

// Stored bytes as UTF-8, or unchanged with `raw`. False when they are not code page 932 text.
bool OutputText(std::string_view stored, bool raw, std::string& text);

}  // namespace ini_tool
