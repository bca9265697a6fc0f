#include "render/ruby.h"

#include <algorithm>

#include "render/logical_math.h"
#include "render/text_fit.h"
#include "store/cp932.h"

namespace {

bool IsSpaceAt(std::string_view text, std::size_t pos, std::size_t length) {
    return (length == 1 && text[pos] == ' ') || (length == 2 && text.compare(pos, 2, "\x81\x40") == 0);
}

// The ruby font for a name set in `nameFont`: the reading's face at sizePercent of its height.
LogFont RubyFont(const LogFont& nameFont, const Ruby& ruby) {
    const std::int64_t height = std::int64_t{HeightOf(nameFont)} * ruby.sizePercent / 100;
    LogFont font = WithHeight(ruby.font, std::max<std::int32_t>(1, Clamp32(height)));
    font.lfEscapement = 0;
    font.lfOrientation = 0;
    return font;
}

std::int32_t Width(Surface& surface, std::string_view text) { return text.empty() ? 0 : surface.MeasureText(text).width; }

}  // namespace

bool SetsRuby(const ItemTypesetting& typeset) { return typeset.ruby && !typeset.qr && !typeset.vertical; }

std::vector<std::pair<std::size_t, std::size_t>> SplitParts(std::string_view text) {
    std::vector<std::pair<std::size_t, std::size_t>> parts;
    std::size_t start = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = cp932::CharLength(text, pos);
        if (IsSpaceAt(text, pos, length)) {
            if (start != std::string_view::npos) parts.emplace_back(start, pos - start);
            start = std::string_view::npos;
        } else if (start == std::string_view::npos) {
            start = pos;
        }
        pos += length;
    }
    if (start != std::string_view::npos) parts.emplace_back(start, text.size() - start);
    return parts;
}

std::int32_t WidthWithRuby(Surface& surface, std::string_view name, const Ruby& ruby) {
    const LogFont nameFont = surface.GetFont();
    const std::int32_t nameWidth = Width(surface, name);
    surface.SetFont(RubyFont(nameFont, ruby));
    const std::int32_t rubyWidth = Width(surface, ruby.reading);
    surface.SetFont(nameFont);
    return std::max(nameWidth, rubyWidth);
}

void DrawRuby(Surface& surface, std::int32_t x, std::int32_t y, std::string_view name, const Ruby& ruby) {
    const LogFont nameFont = surface.GetFont();
    const auto nameParts = SplitParts(name);
    const auto readingParts = SplitParts(ruby.reading);
    // Where each name part lies along the line, measured in the name's font.
    std::vector<std::pair<std::int32_t, std::int32_t>> spans;  // offset, width
    if (nameParts.size() == readingParts.size() && nameParts.size() > 1) {
        for (const auto& [offset, length] : nameParts)
            spans.emplace_back(Width(surface, name.substr(0, offset)), Width(surface, name.substr(offset, length)));
    } else {
        spans.emplace_back(0, Width(surface, name));
    }
    const LogFont rubyFont = RubyFont(nameFont, ruby);
    surface.SetFont(rubyFont);
    surface.SetTextColor(ruby.color);
    const std::int32_t rubyHeight = surface.GetTextMetrics().height;
    const BackgroundMode mode = surface.GetBackgroundMode();
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const std::string_view part = spans.size() == 1 ? std::string_view(ruby.reading)
                                                        : std::string_view(ruby.reading).substr(readingParts[i].first,
                                                                                                readingParts[i].second);
        const std::int64_t left = std::int64_t{x} + spans[i].first + (std::int64_t{spans[i].second} - Width(surface, part)) / 2;
        surface.DrawRubyText(Clamp32(left), Clamp32(std::int64_t{y} + rubyHeight), part);
    }
    surface.SetBackgroundMode(mode);
    surface.SetFont(nameFont);
    surface.SetTextColor(0);
}
