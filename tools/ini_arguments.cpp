#include "tools/ini_arguments.h"

#include "store/codec.h"

namespace ini_tool {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Unescape(std::string_view argument, std::string& bytes, std::string& reason) {
    bytes.clear();
    for (std::size_t pos = 0; pos < argument.size(); ++pos) {
        const std::string_view escape = argument.substr(pos + 1, 3);
        if (argument[pos] != '\\') {
            bytes += argument[pos];
        } else if (escape.substr(0, 1) == "\\") {
            bytes += '\\';
            pos += 1;
        } else if (escape.size() == 3 && escape[0] == 'x' && HexDigit(escape[1]) >= 0 && HexDigit(escape[2]) >= 0) {
            bytes += static_cast<char>(HexDigit(escape[1]) * 16 + HexDigit(escape[2]));
            pos += 3;
        } else {
            reason = "bad escape in \"" + std::string(argument) + "\" (use \\xHH for a byte, \\\\ for a backslash)";
            return false;
        }
    }
    // Names and values end at a NUL byte in the file, so one cannot be stored faithfully.
    if (bytes.find('\0') != std::string::npos) {
        reason = "a NUL byte (\\x00) cannot be stored";
        return false;
    }
    return true;
}

}  // namespace

bool ArgumentBytes(std::string_view argument, bool raw, std::string& bytes, std::string& reason) {
    if (raw) return Unescape(argument, bytes, reason);
    if (codec::Utf8ToCp932(argument, bytes)) return true;
    reason = "\"" + std::string(argument) + "\" cannot be written in code page 932";
    return false;
}

bool OutputText(std::string_view stored, bool raw, std::string& text) {
    if (!raw) return codec::Cp932ToUtf8(stored, text);
    text.assign(stored);
    return true;
}

}  // namespace ini_tool
