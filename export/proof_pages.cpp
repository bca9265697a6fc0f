#include "export/proof_pages.h"

#include <algorithm>

#include "export/text_lines.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/font_setting.h"

namespace export_tool {

namespace {

// A4 in hundredths of an inch, the columns and the rows of the list.
constexpr std::int32_t kPageWidth = 827, kPageHeight = 1169;
constexpr std::int32_t kMargin = 50, kHeader = 60, kMinRowHeight = 105;
constexpr std::int32_t kRoomForRows = kPageHeight - 2 * kMargin - kHeader;
constexpr std::int32_t kLeft = kMargin + 70, kRight = kPageWidth / 2 + 40, kColumnGap = 10;
constexpr std::int32_t kNameEm = 36, kTextEm = 14, kNoteEm = 11;
constexpr std::int32_t kLineGap = 6, kRowPadding = 12;
// However long a text is, its row still fits on a page.
constexpr std::size_t kMostFieldLines = 4, kMostNoteLines = 12;
constexpr ColorRef kNoteColor = Rgb(200, 0, 0);

std::string Exact(const std::string& utf8) {
    std::string exact;
    exact_text::FromUtf8(utf8, exact);
    return exact;
}

void UseFont(Surface& surface, std::int32_t em) {
    LogFont font = DefaultItemFont();
    font.lfHeight = -em;
    surface.SetFont(font);
}

std::int32_t Height(const std::vector<ProofBlock>& blocks) {
    std::int32_t height = 0;
    for (const ProofBlock& block : blocks) height += static_cast<std::int32_t>(block.lines.size()) * (block.em + kLineGap);
    return height;
}

// A line of text from (x, y) within room: one still too wide is condensed to fit.
void Text(Surface& surface, std::int32_t em, std::int32_t x, std::int32_t y, std::int32_t room, const std::string& exact,
          ColorRef color = 0) {
    UseFont(surface, em);
    surface.SetTextColor(color);
    const std::int32_t width = surface.MeasureText(exact).width;
    if (width > room && room > 0) surface.SetTextScale(std::max(1, static_cast<std::int32_t>(std::int64_t{room} * 100 / width)));
    surface.DrawText(x, -y, exact);
    surface.SetTextScale(100);
}

void DrawBlocks(Surface& surface, const std::vector<ProofBlock>& blocks, std::int32_t x, std::int32_t y, std::int32_t room) {
    for (const ProofBlock& block : blocks)
        for (const std::string& line : block.lines) {
            Text(surface, block.em, x, y, room, line, block.color);
            y += block.em + kLineGap;
        }
}

class RowMaker {
public:
    explicit RowMaker(Surface& measuring) : measuring_(measuring) {}

    // A field always takes its line, empty or not, so that rows line up.
    ProofBlock Field(std::int32_t em, std::int32_t room, const std::string& exact, std::size_t most = kMostFieldLines) {
        UseFont(measuring_, em);
        return {em, 0, WrapToWidth(measuring_, exact, room, most)};
    }

    ProofRow Entry(const ProofEntry& entry) {
        ProofRow row;
        row.card = entry.card;
        const std::int32_t leftRoom = kRight - kColumnGap - kLeft, rightRoom = kPageWidth - kMargin - kRight;
        const std::string name = entry.honorific.empty() ? entry.name : entry.name + codec::Sjis("　") + entry.honorific;
        row.left = {Field(kTextEm, leftRoom, entry.reading), Field(kNameEm, leftRoom, name)};
        row.right = {Field(kTextEm, rightRoom, entry.affiliation), Field(kTextEm, rightRoom, entry.title),
                     Field(kTextEm, rightRoom, entry.latin)};
        if (!entry.notes.empty()) {
            std::string notes;
            for (const std::string& note : entry.notes) notes += (notes.empty() ? "" : "　") + note;
            ProofBlock block = Field(kNoteEm, kPageWidth - kMargin - kLeft, Exact(notes), kMostNoteLines);
            block.color = kNoteColor;
            row.below.push_back(std::move(block));
        }
        row.height = std::max(kMinRowHeight, std::max(Height(row.left), Height(row.right)) + Height(row.below) + kRowPadding);
        return row;
    }

    ProofRow Gone(const std::string& utf8) {
        ProofRow row;
        ProofBlock block = Field(kNoteEm, kPageWidth - 2 * kMargin, Exact(utf8));
        block.color = kNoteColor;
        row.below.push_back(std::move(block));
        row.height = Height(row.below);
        return row;
    }

private:
    Surface& measuring_;
};

}  // namespace

ProofLayout LayOutProof(const Proof& proof, Surface& measuring) {
    ProofLayout layout;
    layout.whose = proof.whose;
    RowMaker make(measuring);
    layout.rows.reserve(proof.entries.size() + proof.gone.size());
    for (const ProofEntry& entry : proof.entries) layout.rows.push_back(make.Entry(entry));
    for (const std::string& line : proof.gone) layout.rows.push_back(make.Gone(line));
    std::int32_t used = kRoomForRows;
    for (std::size_t row = 0; row < layout.rows.size(); ++row) {
        if (used + layout.rows[row].height > kRoomForRows) {
            layout.pageStarts.push_back(row);
            used = 0;
        }
        used += layout.rows[row].height;
    }
    if (layout.pageStarts.empty()) layout.pageStarts.push_back(0);
    return layout;
}

std::int32_t ProofPageCount(const ProofLayout& layout) { return static_cast<std::int32_t>(layout.pageStarts.size()); }

PageDrawer ProofPages(const ProofLayout& layout, const std::string& title, const std::string& date) {
    return [&layout, title, date](Surface& surface, std::int32_t page) {
        surface.BeginPage(page);
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        surface.SetPen({PenStyle::Solid, 0, 0});
        const std::int32_t pages = ProofPageCount(layout);
        Text(surface, kTextEm, kMargin, kMargin, kPageWidth - 2 * kMargin,
             Exact("校正一覧　" + title + "　" + layout.whose + "　" + date + "　" + std::to_string(page) + " / " +
                   std::to_string(pages) + " ページ"));
        surface.DrawLine(kMargin, -(kMargin + kHeader - 10), kPageWidth - kMargin, -(kMargin + kHeader - 10));
        const std::size_t index = static_cast<std::size_t>(std::clamp(page, 1, pages) - 1);
        const std::size_t first = layout.pageStarts[index];
        const std::size_t end = index + 1 < layout.pageStarts.size() ? layout.pageStarts[index + 1] : layout.rows.size();
        std::int32_t top = kMargin + kHeader;
        for (std::size_t at = first; at < end; ++at) {
            const ProofRow& row = layout.rows[at];
            if (row.card.empty()) {
                DrawBlocks(surface, row.below, kMargin, top, kPageWidth - 2 * kMargin);
                top += row.height;
                continue;
            }
            Text(surface, kTextEm, kMargin, top + 4, kLeft - kMargin, row.card);
            DrawBlocks(surface, row.left, kLeft, top, kRight - kColumnGap - kLeft);
            DrawBlocks(surface, row.right, kRight, top, kPageWidth - kMargin - kRight);
            DrawBlocks(surface, row.below, kLeft, top + std::max(Height(row.left), Height(row.right)), kPageWidth - kMargin - kLeft);
            top += row.height;
            surface.DrawLine(kMargin, -(top - 8), kPageWidth - kMargin, -(top - 8));
        }
    };
}

}  // namespace export_tool
