#include "render/sheet.h"

#include <algorithm>

#include "render/card.h"
#include "render/empty_sheet.h"
#include "render/logical_math.h"
#include "store/color_setting.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/profile_value.h"
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

}  // namespace

void DrawSheetPage(ViewState& view, Surface& surface, const SheetLayout& layout,
                   const std::vector<std::string>& cards) {
    view.noCutLine = layout.noCutLine;
    view.cropMarks = layout.cropMarks;
    // Cut lines and crop marks use the surface's own thin black pen.
    surface.SetPen({PenStyle::Solid, 0, 0});
    const std::int64_t columns = std::max(layout.columns, 1);  // a layout made by hand may have none
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const std::int64_t row = static_cast<std::int64_t>(i) / columns;
        const std::int64_t column = static_cast<std::int64_t>(i) % columns;
        const std::int32_t x = Clamp32(layout.left + column * (std::int64_t{layout.label.width} + layout.gapH));
        const std::int32_t y = Clamp32(-std::int64_t{layout.top} - row * (std::int64_t{layout.label.height} + layout.gapV));
        view.CurrentSection = cards[i];
        DrawCard(view, surface, x, y);
    }
}

std::int32_t GridCount(std::string_view stored) { return std::max(profile::ParseLeadingInt(stored), 1); }

SheetLayout ReadSheetLayout(const ViewState& view) {
    const SettingsProfile& settings = *view.settings;
    const std::string& L = view.slotPrefix;
    SheetLayout layout;
    layout.columns = GridCount(settings.ReadString("PrintOptions", L + "Column", "2"));
    layout.rows = GridCount(settings.ReadString("PrintOptions", L + "Line", "5"));
    layout.label = {profile::ParseLeadingInt(settings.ReadString("Card", L + "w", "358")),
                    profile::ParseLeadingInt(settings.ReadString("Card", L + "h", "216"))};
    layout.top = view.record->ReadInt("Option", "Top", 10);
    layout.left = view.record->ReadInt("Option", "Left", 10);
    layout.gapH = settings.ReadInt("PrintOptions", L + "GapH", 0);
    layout.gapV = settings.ReadInt("PrintOptions", L + "GapV", 0);
    layout.noCutLine = profile::ParseLeadingInt(settings.ReadString("PrintOptions", L + "NoCutLine", "0")) == 1;
    layout.cropMarks = view.record->ReadInt("Option", "Tombo", 0) != 0;
    return layout;
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

std::int32_t PrintPageCount(const ViewState& view) {
    const profile::ProfileSnapshot snapshot;
    const std::int64_t cards = std::max<std::int64_t>(static_cast<std::int64_t>(ViewCardList(view).size()), 1);
    const std::int64_t perPage = CardsPerPage(ReadSheetLayout(view));
    return Clamp32((cards + perPage - 1) / perPage);
}

void DrawSheet(ViewState& view, Surface& surface) {
    const profile::ProfileSnapshot snapshot;
    const SettingsProfile& settings = *view.settings;
    const RecordProfile& record = *view.record;
    view.slotPrefix = record.ReadString(kSettingSection, "Label", "1");
    view.slot = record.ReadInt(kSettingSection, "Label", 1);
    SheetLayout layout = ReadSheetLayout(view);
    view.label = layout.label;

    if (view.mode == ViewMode::CardMode) {
        ColorRef guideColor = Rgb(255, 0, 0);
        CColorSetting::LoadTextFromSettings("Edit Options", "EditLineColor", guideColor, 255, 0, 0);
        DrawGuideLines(view, surface, layout, guideColor);
        layout.columns = layout.rows = 1;
        DrawSheetPage(view, surface, layout, {CardSectionName(record.ReadInt(kSettingSection, "CurID", 0))});
        return;
    }

    const std::vector<std::string>& cards = ViewCardList(view);
    const std::int64_t perPage = CardsPerPage(layout);
    const std::int64_t lastPage = (static_cast<std::int64_t>(cards.size()) + perPage - 1) / perPage;
    std::int64_t page = surface.IsPrinting() ? view.printPage : settings.ReadInt("CurPage", PageKey(view), 1);
    page = std::max<std::int64_t>(page, 1);
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
    DrawSheetPage(view, surface, layout, std::vector<std::string>(cards.begin() + first, cards.begin() + end));
}

void DrawCutMarks(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y) {
    if (view.noCutLine) return;
    const std::int64_t W = view.label.width, H = view.label.height;
    const auto line = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
        surface.DrawLine(Clamp32(x + x1), Clamp32(y + y1), Clamp32(x + x2), Clamp32(y + y2));
    };
    if (!view.cropMarks) {
        line(0, 0, 0, -H);
        line(0, -H, W, -H);
        line(W, -H, W, 0);
        line(W, 0, 0, 0);
        return;
    }
    // Four L-shaped corner marks on the outline, each arm a tenth of an inch.
    constexpr std::int64_t arm = 10;
    line(0, 0, 0, -arm);
    line(0, -H + arm, 0, -H);
    line(0, -H, arm, -H);
    line(W - arm, -H, W, -H);
    line(W, -H, W, -H + arm);
    line(W, -arm, W, 0);
    line(W, 0, W - arm, 0);
    line(arm, 0, 0, 0);
}
