#include "store/profile_value.h"

#include "store/cp932.h"

namespace profile {

std::string_view Unquote(std::string_view text) {
    // Neither quote can be the trail byte of a double-byte character, so the last byte is
    // always a character of its own.
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

std::string Quoted(std::string_view value) {
    if (Unquote(value).size() == value.size()) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

std::string CleanValue(std::string_view value) {
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    std::size_t begin = 0;
    while (begin < clean.size() && cp932::IsBlank(static_cast<unsigned char>(clean[begin]))) ++begin;
    return clean.substr(begin);
}

std::string StringResult(const Lookup& found, std::string_view defaultValue, std::size_t maxBytes) {
    std::string_view result;
    if (found.kind == Lookup::Kind::Value) {
        result = Unquote(found.value);
    } else {
        std::size_t end = defaultValue.size();
        while (end > 0 && defaultValue[end - 1] == ' ') --end;
        result = Unquote(defaultValue.substr(0, end));
    }
    return std::string(cp932::CutToBytes(result, maxBytes));
}

std::int32_t IntResult(const Lookup& found, std::int32_t defaultValue) {
    if (found.kind != Lookup::Kind::Value) return defaultValue;
    const std::string_view text = cp932::CutToBytes(Unquote(found.value), kMaxReadBytes);
    return text.empty() ? defaultValue : ParseLeadingInt(text);
}

std::int32_t ParseLeadingInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && cp932::IsBlank(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::uint32_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

}  // namespace profile
