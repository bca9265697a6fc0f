#include "sheets/recorded_sheet.h"

#include <charconv>
#include <tuple>

#include "render/sheet_layout.h"
#include "render/slot_paper.h"
#include "sheets/catalogue.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"

namespace sheets {
namespace {

constexpr const char* kSettingSection = "#Setting#";
constexpr const char* kOptions = "PrintOptions";
constexpr std::size_t kFieldCount = 8;  // and the fold of folded cards

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

bool ParseInt(std::string_view text, std::int32_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

void WriteSlotSettings(const SettingsProfile& settings, std::int32_t slot, const RecordedSheet& sheet) {
    const std::string S = std::to_string(slot);
    StoreLabelSize(settings, slot, {std::to_string(sheet.width), std::to_string(sheet.height)});
    settings.WriteInt(kOptions, S + "Column", sheet.columns);
    settings.WriteInt(kOptions, S + "Line", sheet.rows);
    settings.WriteInt(kOptions, S + "GapH", sheet.gapH);
    settings.WriteInt(kOptions, S + "GapV", sheet.gapV);
    // An empty paper reads as none stored, as before any sheet was chosen.
    settings.WriteString(kOptions, S + "Paper", sheet.paper);
    settings.WriteInt(kOptions, S + "NoCutLine", sheet.noCutLine ? 1 : 0);
    PrintSides sides = ReadPrintSides(settings, slot);
    if (sides.fold != sheet.fold) {
        sides.fold = sheet.fold;
        WritePrintSides(settings, slot, sides);
    }
}

}  // namespace

bool RecordedSheet::operator==(const RecordedSheet& other) const {
    return std::tie(width, height, columns, rows, gapH, gapV, paper, noCutLine, fold) ==
           std::tie(other.width, other.height, other.columns, other.rows, other.gapH, other.gapV, other.paper,
                    other.noCutLine, other.fold);
}

RecordedSheet SlotSettings(const SettingsProfile& settings, std::int32_t slot) {
    // Read as the sheet drawing reads them, so that what is recorded is what prints.
    const RecordProfile noRecord;
    ViewState view;
    view.settings = &settings;
    view.record = &noRecord;
    view.slotPrefix = std::to_string(slot);
    const SheetLayout layout = ReadSheetLayout(view);
    RecordedSheet sheet;
    sheet.width = layout.label.width;
    sheet.height = layout.label.height;
    sheet.columns = layout.columns;
    sheet.rows = layout.rows;
    sheet.gapH = layout.gapH;
    sheet.gapV = layout.gapV;
    sheet.noCutLine = layout.noCutLine;
    sheet.fold = layout.fold;
    const std::string paper = settings.ReadString(kOptions, view.slotPrefix + "Paper", "");
    if (ParsePaper(paper)) sheet.paper = paper;
    return sheet;
}

std::string SheetSummary(const RecordedSheet& sheet) {
    return MillimetreText(sheet.width * kMillimetresPerHundredth) + "×" +
           MillimetreText(sheet.height * kMillimetresPerHundredth) + "mm " + std::to_string(sheet.columns) + "×" +
           std::to_string(sheet.rows) + "面";
}

std::string RecordedSheetText(const RecordedSheet& sheet) {
    std::string text;
    for (const std::int32_t number : {sheet.width, sheet.height, sheet.columns, sheet.rows, sheet.gapH, sheet.gapV})
        text += std::to_string(number) + ",";
    text += sheet.paper + "," + (sheet.noCutLine ? "1" : "0");
    if (sheet.fold != Fold::None) text += "," + std::to_string(static_cast<std::int32_t>(sheet.fold));
    return text;
}

std::string RecordedSheetKey(std::int32_t slot) { return "Sheet" + std::to_string(slot); }

std::optional<RecordedSheet> ParseRecordedSheet(std::string_view text) {
    const std::vector<std::string_view> fields = Fields(text);
    if (fields.size() != kFieldCount && fields.size() != kFieldCount + 1) return std::nullopt;
    RecordedSheet sheet;
    std::int32_t* numbers[] = {&sheet.width, &sheet.height, &sheet.columns, &sheet.rows, &sheet.gapH, &sheet.gapV};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        if (!ParseInt(fields[i], *numbers[i])) return std::nullopt;
    // Columns and rows as the drawing reads them: at least one; no length past what a sheet
    // template may give.
    if (sheet.columns < 1 || sheet.rows < 1 || std::int64_t{sheet.columns} * sheet.rows > kMaxLabelsPerSheet)
        return std::nullopt;
    for (const std::int32_t length : {sheet.width, sheet.height, sheet.gapH, sheet.gapV})
        if (length != BoundedLength(length)) return std::nullopt;
    sheet.paper = std::string(fields[6]);
    if (!sheet.paper.empty() && !ParsePaper(sheet.paper)) return std::nullopt;
    if (fields[7] != "0" && fields[7] != "1") return std::nullopt;
    sheet.noCutLine = fields[7] == "1";
    if (fields.size() > kFieldCount) {
        if (fields[8] != "1" && fields[8] != "2") return std::nullopt;
        sheet.fold = fields[8] == "1" ? Fold::TopBottom : Fold::LeftRight;
    }
    return sheet;
}

bool RecordSlotSheet(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot) {
    return record.WriteString(kSettingSection, RecordedSheetKey(slot), RecordedSheetText(SlotSettings(settings, slot)));
}

AdoptedSheets AdoptRecordedSheets(const SettingsProfile& settings, const RecordProfile& record) {
    AdoptedSheets adopted;
    if (record.Path().empty()) return adopted;
    const profile::JoinedUndo oneStep(settings.FsPath(), record.ReadFsPath());
    for (std::int32_t slot = 1; slot <= kLabelSlotCount; ++slot) {
        const std::string text = record.ReadString(kSettingSection, RecordedSheetKey(slot), "");
        if (text.empty()) continue;
        const std::optional<RecordedSheet> sheet = ParseRecordedSheet(text);
        if (!sheet) {
            adopted.damaged.push_back(slot);
        } else if (*sheet != SlotSettings(settings, slot)) {
            WriteSlotSettings(settings, slot, *sheet);
            adopted.slots.push_back(slot);
        }
    }
    return adopted;
}

}  // namespace sheets
