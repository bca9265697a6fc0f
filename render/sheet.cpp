#include "render/sheet.h"

#include <algorithm>

#include "render/card.h"
#include "render/card_reading.h"
#include "render/cut_marks.h"
#include "render/empty_sheet.h"
#include "render/logical_math.h"
#include "store/color_setting.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kSettingSection = "#Setting#";
constexpr std::int32_t kGridSpacing = 10;
// Bounds that keep hand-edited numbers from turning a drawing into an endless one: a million
// cards to look through for names, and guide lines over 500 inches.
constexpr std::int32_t kMaxCardNumber = 999999;
constexpr std::int32_t kMaxGuideLines = 5000;

// The key of the screen page and the last page: the slot prefix and the record file's path.
std::string PageKey(const ViewState& view) { return view.slotPrefix + view.record->Path(); }

std::int64_t CardsPerPage(const SheetLayout& layout) { return std::int64_t{layout.columns} * layout.rows; }

void DrawGuideLines(const ViewState& view, Surface& surface, const SheetLayout& layout, ColorRef color) {
    const Pen previous = surface.GetPen();
    // Every inch from the tag's edge a dash-dot line, every half inch dash-dot-dot, else dots.
    const auto penFor = [color](std::int32_t k) {
        const PenStyle style = k % 10 == 9 ? PenStyle::DashDot : k % 5 == 4 ? PenStyle::DashDotDot : PenStyle::Dot;
        return Pen{style, 1, color};
    };
    const std::int32_t W = view.label.width, H = view.label.height;
    const std::int32_t vertical = std::min(W / kGridSpacing, kMaxGuideLines);
    for (std::int32_t k = 0; k < vertical; ++k) {
        surface.SetPen(penFor(k));
        const std::int32_t x = Clamp32(std::int64_t{layout.left} + (k + 1) * kGridSpacing);
        surface.DrawLine(x, Clamp32(-std::int64_t{layout.top} + 5), x, Clamp32(-std::int64_t{layout.top} - H - 5));
        surface.SetPen(previous);
    }
    const std::int32_t horizontal = std::min(H / kGridSpacing, kMaxGuideLines);
    for (std::int32_t j = 0; j < horizontal; ++j) {
        surface.SetPen(penFor(j));
        const std::int32_t y = Clamp32(-std::int64_t{layout.top} - (j + 1) * kGridSpacing);
        surface.DrawLine(layout.left, y, Clamp32(std::int64_t{layout.left} + W + layout.gapH + kGridSpacing), y);
        surface.SetPen(previous);
    }
}

// Cut lines, crop marks and fold lines use the surface's own thin black pen.
constexpr Pen kCutPen{PenStyle::Solid, 0, 0};

// The sheet pages of the view's cards at the layout, at least 1.
std::int64_t SheetPages(const ViewState& view, const SheetLayout& layout) {
    const std::int64_t cards = std::max<std::int64_t>(static_cast<std::int64_t>(ViewCardList(view).size()), 1);
    const std::int64_t perPage = CardsPerPage(layout);
    return (cards + perPage - 1) / perPage;
}

// A face of the card at (x, y) turned half a turn in its place.
template <typename Draw>
void Turned(Surface& surface, std::int32_t x, std::int32_t y, LabelExtent face, const Draw& draw) {
    surface.TurnHalfAbout(x, y, Clamp32(std::int64_t{x} + face.width), Clamp32(std::int64_t{y} - face.height));
    draw();
    surface.TurnUpright();
}

// Both faces of a folded card in the cell at (x, y), the cut marks around the cell and its fold.
// Folded over a horizontal line, the face above the fold turns over the top to stand behind the
// other: it is printed upside down so that both read upright. Folded over a vertical line, the
// left face turns about an upright axis, which keeps its top at the top: both are printed upright.
void DrawFoldedCell(ViewState& view, Surface& surface, const SheetLayout& layout, std::int32_t x, std::int32_t y) {
    const LabelExtent face = layout.label;
    const LogicalPoint upright = UprightFaceOffset(layout);
    view.noCutLine = true;
    if (layout.fold == Fold::TopBottom)
        Turned(surface, x, y, face, [&] { DrawCard(view, surface, x, y); });
    else
        DrawCard(view, surface, x, y);
    DrawCard(view, surface, Clamp32(std::int64_t{x} + upright.x), Clamp32(std::int64_t{y} - upright.y));
    view.noCutLine = layout.noCutLine;
    surface.SetPen(kCutPen);
    DrawCutMarks(view, surface, x, y, CellExtent(layout));
    if (!layout.foldLine) return;
    surface.SetPen({PenStyle::Dot, 0, 0});
    if (layout.fold == Fold::TopBottom)
        surface.DrawLine(x, Clamp32(std::int64_t{y} - face.height), Clamp32(std::int64_t{x} + face.width),
                         Clamp32(std::int64_t{y} - face.height));
    else
        surface.DrawLine(Clamp32(std::int64_t{x} + face.width), y, Clamp32(std::int64_t{x} + face.width),
                         Clamp32(std::int64_t{y} - face.height));
    surface.SetPen(kCutPen);
}

// The back of the card whose cell lies at (x, y) on the back page. A folded card's back is its
// inside, behind the face the paper turns over to fold (the upper face, or the right one, which
// a left/right card shows in front). It reads upright when the paper is turned over along the
// fold (horizontal: the short edge, vertical: the long edge of the sheet pages as they are laid
// out), so it is turned half a turn when the printer turns the paper over the other edge.
void DrawBackCell(ViewState& view, Surface& surface, const SheetLayout& layout, std::int32_t x, std::int32_t y) {
    const CardValue back = ReadCardBack(view, view.CurrentSection);
    if (layout.fold == Fold::None) {
        DrawCardValue(view, surface, x, y, back);
        return;
    }
    const bool longEdge = layout.duplex == Duplex::LongEdge;
    // Turned over the long edge, columns are mirrored and rows are not; over the short edge the
    // other way round. The face behind which the inside lies is the upper one of a top/bottom
    // card, the first half of its cell, and the right one of a left/right card, its second half:
    // either way the back cell's second half over the short edge, its first over the long one.
    const LogicalPoint offset = longEdge ? LogicalPoint{} : UprightFaceOffset(layout);
    const std::int32_t faceX = Clamp32(std::int64_t{x} + offset.x), faceY = Clamp32(std::int64_t{y} - offset.y);
    if (longEdge == (layout.fold == Fold::TopBottom))
        Turned(surface, faceX, faceY, layout.label, [&] { DrawCardValue(view, surface, faceX, faceY, back); });
    else
        DrawCardValue(view, surface, faceX, faceY, back);
}

}  // namespace

bool PrintsBacks(const ViewState& view, const SheetLayout& layout) {
    return layout.duplex != Duplex::None && HasBack(*view.record, view.slotPrefix);
}

void DrawSheetPage(ViewState& view, Surface& surface, const SheetLayout& layout,
                   const std::vector<std::string>& cards, PageSide side) {
    // Cut marks go on the fronts only.
    view.noCutLine = layout.noCutLine || side == PageSide::Back;
    view.cropMarks = layout.cropMarks;
    surface.SetPen(kCutPen);
    const LabelExtent cell = CellExtent(layout);
    const std::int64_t columns = std::max(layout.columns, 1);  // a layout made by hand may have none
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const std::int64_t row = static_cast<std::int64_t>(i) / columns;
        const std::int64_t column = static_cast<std::int64_t>(i) % columns;
        std::int64_t x = layout.left + column * (std::int64_t{cell.width} + layout.gapH);
        std::int64_t y = -std::int64_t{layout.top} - row * (std::int64_t{cell.height} + layout.gapV);
        view.CurrentSection = cards[i];
        if (side == PageSide::Back) {
            // Behind the front: mirrored about the paper's centre line the paper turns over.
            if (layout.duplex == Duplex::ShortEdge)
                y = -std::int64_t{layout.paper.height} + cell.height - y;
            else
                x = std::int64_t{layout.paper.width} - cell.width - x;
            DrawBackCell(view, surface, layout, Clamp32(x), Clamp32(y));
        } else if (layout.fold == Fold::None) {
            DrawCard(view, surface, Clamp32(x), Clamp32(y));
        } else {
            DrawFoldedCell(view, surface, layout, Clamp32(x), Clamp32(y));
        }
    }
}

std::vector<std::string> CardList(const RecordProfile& record) {
    // The order is one value holding every entry, however long it grows.
    const std::vector<std::string> order = SplitBarList(record.ReadFullString("Current", "PrintOrder", ""));
    return order.empty() ? NamedCards(record) : order;
}

std::vector<std::string> NamedCards(const RecordProfile& record) {
    std::vector<std::string> cards;
    const std::string& name = FixedItems().front();
    const std::int32_t max = std::min(record.ReadInt(kSettingSection, "Max", 0), kMaxCardNumber);
    for (std::int32_t card = 0; card <= max; ++card) {
        std::string section = CardSectionName(card);
        if (!record.ReadString(section, name, "").empty()) cards.push_back(std::move(section));
    }
    return cards;
}

const std::vector<std::string>& ViewCardList(const ViewState& view) {
    CardListCache& cache = view.cardList;
    const std::uint64_t version = view.record->Version();
    if (cache.path != view.record->Path() || cache.version != version || version == 0) {
        cache.cards = CardList(*view.record);
        cache.path = view.record->Path();
        cache.version = version;
    }
    return cache.cards;
}

std::int32_t SheetPageCount(const ViewState& view) {
    const profile::ProfileSnapshot snapshot;
    return Clamp32(SheetPages(view, ReadSheetLayout(view)));
}

std::int32_t PrintPageCount(const ViewState& view) {
    const profile::ProfileSnapshot snapshot;
    const SheetLayout layout = ReadSheetLayout(view);
    return Clamp32(SheetPages(view, layout) * (PrintsBacks(view, layout) ? 2 : 1));
}

void UseRecordSlot(ViewState& view) {
    view.slotPrefix = view.record->ReadString(kSettingSection, "Label", "1");
    view.slot = view.record->ReadInt(kSettingSection, "Label", 1);
}

bool IsBackPage(ViewState& view, std::int32_t page) {
    const profile::ProfileSnapshot snapshot;
    UseRecordSlot(view);
    return page % 2 == 0 && PrintsBacks(view, ReadSheetLayout(view));
}

void DrawSheet(ViewState& view, Surface& surface) {
    const profile::ProfileSnapshot snapshot;
    const SettingsProfile& settings = *view.settings;
    const RecordProfile& record = *view.record;
    UseRecordSlot(view);
    SheetLayout layout = ReadSheetLayout(view);
    view.label = layout.label;

    if (view.mode == ViewMode::CardMode) {
        ColorRef guideColor = Rgb(255, 0, 0);
        CColorSetting::LoadTextFromSettings("Edit Options", "EditLineColor", guideColor, 255, 0, 0);
        DrawGuideLines(view, surface, layout, guideColor);
        layout.columns = layout.rows = 1;
        layout.fold = Fold::None;  // one tag is edited upright
        DrawSheetPage(view, surface, layout, {CardSectionName(record.ReadInt(kSettingSection, "CurID", 0))});
        return;
    }

    const std::vector<std::string>& cards = ViewCardList(view);
    const std::int64_t perPage = CardsPerPage(layout);
    const std::int64_t lastPage = (static_cast<std::int64_t>(cards.size()) + perPage - 1) / perPage;
    std::int64_t page = surface.IsPrinting() ? view.printPage : settings.ReadInt("CurPage", PageKey(view), 1);
    page = std::max<std::int64_t>(page, 1);
    // Two-sided, a job's even pages are the backs of the sheet pages before them.
    PageSide side = PageSide::Front;
    if (surface.IsPrinting() && PrintsBacks(view, layout)) {
        side = page % 2 == 0 ? PageSide::Back : PageSide::Front;
        page = (page + 1) / 2;
    }
    if (lastPage == 0) {
        if (page > 1) settings.WriteInt("CurPage", PageKey(view), 1);
        settings.WriteInt("MaxPage", PageKey(view), 1);
        settings.Flush();
        if (!surface.IsPrinting()) DrawEmptySheet(layout, surface);
        return;
    }
    if (page > lastPage) {
        // The page asked for lies past the cards: show the last page that has cards, and
        // remember it as both the screen page and the last page.
        page = lastPage;
        settings.WriteInt("CurPage", PageKey(view), Clamp32(page));
        settings.WriteInt("MaxPage", PageKey(view), Clamp32(page));
        settings.Flush();
    }
    const std::int64_t first = (page - 1) * perPage;
    const std::int64_t end = std::min<std::int64_t>(first + perPage, static_cast<std::int64_t>(cards.size()));
    DrawSheetPage(view, surface, layout, std::vector<std::string>(cards.begin() + first, cards.begin() + end), side);
}
