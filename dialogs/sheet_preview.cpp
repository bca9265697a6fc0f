#include "dialogs/sheet_preview.h"

#include <algorithm>
#include <string>
#include <vector>

#include "store/profile_service.h"

void DrawSheetPreview(const ViewState& view, std::int32_t slot, const SheetLayout& layout, Surface& surface) {
    const profile::ProfileSnapshot snapshot;
    // A copy, so that the view keeps its own slot, size and current section.
    ViewState preview = view;
    preview.mode = ViewMode::SheetMode;
    preview.slot = slot;
    preview.slotPrefix = std::to_string(slot);
    preview.label = layout.label;
    const std::vector<std::string>& cards = ViewCardList(view);
    const auto perPage = static_cast<std::size_t>(std::int64_t{std::max(layout.columns, 1)} * std::max(layout.rows, 1));
    DrawSheetPage(preview, surface, layout,
                  std::vector<std::string>(cards.begin(), cards.begin() + std::min(perPage, cards.size())));
}
