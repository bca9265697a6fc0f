#include "render/sheet_layout.h"

#include <algorithm>

#include "render/logical_math.h"
#include "render/slot_paper.h"
#include "store/label_sizes.h"
#include "store/profile_value.h"

LabelExtent CellExtent(const SheetLayout& layout) {
    const LabelExtent face = layout.label;
    switch (layout.fold) {
        case Fold::TopBottom: return {face.width, Clamp32(std::int64_t{face.height} * 2)};
        case Fold::LeftRight: return {Clamp32(std::int64_t{face.width} * 2), face.height};
        case Fold::None: break;
    }
    return face;
}

LogicalPoint UprightFaceOffset(const SheetLayout& layout) {
    switch (layout.fold) {
        case Fold::TopBottom: return {0, layout.label.height};
        case Fold::LeftRight: return {layout.label.width, 0};
        case Fold::None: break;
    }
    return {};
}

std::int32_t GridCount(std::string_view stored) { return std::max(profile::ParseLeadingInt(stored), 1); }

SheetLayout ReadSheetLayout(const ViewState& view) {
    const SettingsProfile& settings = *view.settings;
    const std::string& L = view.slotPrefix;
    SheetLayout layout;
    layout.columns = GridCount(settings.ReadString("PrintOptions", L + "Column", "2"));
    layout.rows = GridCount(settings.ReadString("PrintOptions", L + "Line", "5"));
    layout.label = {BoundedLength(profile::ParseLeadingInt(settings.ReadString("Card", L + "w", "358"))),
                    BoundedLength(profile::ParseLeadingInt(settings.ReadString("Card", L + "h", "216")))};
    layout.top = BoundedLength(view.record->ReadInt("Option", "Top", 10));
    layout.left = BoundedLength(view.record->ReadInt("Option", "Left", 10));
    layout.gapH = BoundedLength(settings.ReadInt("PrintOptions", L + "GapH", 0));
    layout.gapV = BoundedLength(settings.ReadInt("PrintOptions", L + "GapV", 0));
    layout.noCutLine = profile::ParseLeadingInt(settings.ReadString("PrintOptions", L + "NoCutLine", "0")) == 1;
    layout.cropMarks = view.record->ReadInt("Option", "Tombo", 0) != 0;
    const PrintSides sides = ReadPrintSides(settings, profile::ParseLeadingInt(L));
    layout.fold = sides.fold;
    layout.foldLine = sides.foldLine;
    layout.duplex = view.duplex.value_or(sides.duplex);
    const PaperMillimetres paper = SlotPaper(settings, L);
    layout.paper = {Hundredths(paper.width), Hundredths(paper.height)};
    return layout;
}
