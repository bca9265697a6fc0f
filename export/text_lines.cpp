#include "export/text_lines.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "store/cp932.h"

namespace export_tool {

namespace {

int HexDigit(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// The code point of an escape "&#xHEX;" at pos and its length, or a length of 0.
std::size_t EscapeAt(std::string_view exact, std::size_t pos, char32_t& code) {
    if (exact.compare(pos, 3, "&#x") != 0) return 0;
    code = 0;
    std::size_t end = pos + 3;
    for (; end < exact.size() && end - pos < 12 && std::isxdigit(static_cast<unsigned char>(exact[end])); ++end)
        code = code * 16 + static_cast<char32_t>(HexDigit(exact[end]));
    return end < exact.size() && exact[end] == ';' && end > pos + 3 ? end + 1 - pos : 0;
}

bool JoinsPrevious(char32_t code) {
    return (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF) || code == 0x3099 || code == 0x309A ||
           code == 0x200D;
}

// A last line at most this many times wider than its room is condensed; a wider one is cut.
constexpr std::int32_t kMostCondensed = 2;

}  // namespace

std::vector<std::size_t> CharacterStarts(std::string_view exact) {
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < exact.size();) {
        char32_t code = 0;
        const std::size_t escape = EscapeAt(exact, pos, code);
        if (escape == 0 || !JoinsPrevious(code) || starts.empty()) starts.push_back(pos);
        pos += escape != 0 ? escape : cp932::CharLength(exact, pos);
    }
    return starts;
}

std::vector<std::string> WrapToWidth(Surface& surface, std::string_view exact, std::int32_t room, std::size_t maxLines) {
    if (exact.empty() || room <= 0 || maxLines == 0) return {std::string(exact)};
    // No character is narrower than a quarter of the font's height: a line never holds more.
    const std::int32_t em = std::max<std::int32_t>(1, std::abs(surface.GetFont().lfHeight));
    const std::size_t mostPerLine = static_cast<std::size_t>(std::max<std::int64_t>(1, std::int64_t{room} * 4 / em));
    const std::vector<std::size_t> starts = CharacterStarts(exact);
    // A text of more characters than any line holds, megabytes perhaps, is never measured whole.
    if (starts.size() <= mostPerLine && surface.MeasureText(exact).width <= room) return {std::string(exact)};
    const auto byteAt = [&](std::size_t character) { return character < starts.size() ? starts[character] : exact.size(); };
    std::vector<std::string> lines;
    std::size_t first = 0;
    while (first < starts.size() && lines.size() + 1 < maxLines) {
        // The most characters from `first` that fit, found by halving; at least one.
        std::size_t fits = 1, tooMany = std::min(starts.size() - first, mostPerLine) + 1;
        while (tooMany - fits > 1) {
            const std::size_t middle = (fits + tooMany) / 2;
            const std::string_view line = exact.substr(byteAt(first), byteAt(first + middle) - byteAt(first));
            (surface.MeasureText(line).width <= room ? fits : tooMany) = middle;
        }
        lines.emplace_back(exact.substr(byteAt(first), byteAt(first + fits) - byteAt(first)));
        first += fits;
    }
    if (first >= starts.size()) return lines;
    std::string rest(exact.substr(byteAt(first)));
    const std::size_t mostInLast = mostPerLine * kMostCondensed;
    if (starts.size() - first > mostInLast) rest = std::string(exact.substr(byteAt(first), byteAt(first + mostInLast) - byteAt(first))) + "\x81\x63";
    lines.push_back(std::move(rest));
    return lines;
}

}  // namespace export_tool
