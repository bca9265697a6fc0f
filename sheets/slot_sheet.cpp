#include "sheets/slot_sheet.h"

#include <cmath>

#include "sheets/catalogue.h"
#include "sheets/recorded_sheet.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"
#include "store/profile_value.h"
#include "render/sheet_layout.h"

namespace sheets {
namespace {

constexpr const char* kOptions = "PrintOptions";

// A gap from the rounded step; a negative one is held as 0.
std::int32_t Gap(std::int32_t count, std::int32_t step, std::int32_t label, const char* caption,
                 std::vector<std::string>& adjustments) {
    if (count < 2) return 0;
    const std::int32_t gap = step - label;
    if (gap >= 0) return gap;
    adjustments.push_back(std::string(caption) + "の隙間 " + std::to_string(gap) + " は 0 にしました（ラベルが重なります）");
    return 0;
}

std::string Text(std::int32_t value) { return std::to_string(value); }

}  // namespace

SlotSheet ToSlotSheet(const SheetProduct& product) {
    SlotSheet sheet;
    // A folded card's label is both faces: the slot holds one, and the gaps lie between cards.
    const bool folded = product.fold != Fold::None;
    const std::int32_t across = product.fold == Fold::LeftRight ? 2 : 1, down = product.fold == Fold::TopBottom ? 2 : 1;
    sheet.fold = product.fold;
    sheet.width = Hundredths(product.width / across);
    sheet.height = Hundredths(product.height / down);
    sheet.columns = product.columns;
    sheet.rows = product.rows;
    // A card's two rounded faces may be a hundredth longer than the rounded card: its gap is the
    // product's, rounded, rather than a step that would overlap the cards.
    const auto step = [folded](double pitch, double card, std::int32_t cell) {
        return folded ? cell + Hundredths(pitch - card) : Hundredths(pitch);
    };
    const std::int32_t cellWidth = sheet.width * across, cellHeight = sheet.height * down;
    sheet.gapH = Gap(product.columns, step(product.pitchX, product.width, cellWidth), cellWidth, "左右", sheet.adjustments);
    sheet.gapV = Gap(product.rows, step(product.pitchY, product.height, cellHeight), cellHeight, "上下", sheet.adjustments);
    sheet.top = Hundredths(product.top);
    sheet.left = Hundredths(product.left);
    sheet.paper = MillimetreText(product.paperWidth) + "x" + MillimetreText(product.paperHeight);
    // The user's saved sheets may be plain paper cut by hand: their cut lines stay as they are.
    // Folded cards are cut from plain paper or card along their cut lines.
    if (product.source != SheetSource::Saved) sheet.noCutLine = !folded;
    return sheet;
}

std::vector<SettingChange> ApplySlotSheet(const SettingsProfile& settings, const RecordProfile& record,
                                          std::int32_t slot, const SlotSheet& sheet) {
    const std::string S = std::to_string(slot);
    // The settings and the offsets go back together with one undo in the record file.
    const profile::JoinedUndo oneStep(settings.FsPath(), record.ReadFsPath());
    std::vector<SettingChange> changes;
    const auto put = [&changes](const char* caption, std::string before, const std::string& after, bool written) {
        if (before != after || !written) changes.push_back({caption, std::move(before), written ? after : "（保存できません）"});
    };
    const LabelSizeTexts size = StoredLabelSize(settings, slot);
    const bool sizeWritten = StoreLabelSize(settings, slot, {Text(sheet.width), Text(sheet.height)});
    put("幅", size.width, Text(sheet.width), sizeWritten);
    put("高さ", size.height, Text(sheet.height), sizeWritten);
    const struct {
        const char* caption;
        std::string key, defaultValue, value;
    } options[] = {{"横に", S + "Column", "2", Text(sheet.columns)}, {"縦に", S + "Line", "5", Text(sheet.rows)},
                   {"左右の隙間", S + "GapH", "0", Text(sheet.gapH)},  {"上下の隙間", S + "GapV", "0", Text(sheet.gapV)},
                   {"用紙", S + "Paper", "210x297", sheet.paper}};
    for (const auto& option : options) {
        const std::string before = settings.ReadString(kOptions, option.key, option.defaultValue);
        put(option.caption, before, option.value, settings.WriteString(kOptions, option.key, option.value));
    }
    // Written only when it changes, so that unfolded sheets add nothing to the settings.
    const auto foldName = [](Fold fold) { return std::string(fold == Fold::TopBottom ? "上下" : fold == Fold::LeftRight ? "左右" : "なし"); };
    const Fold foldBefore = ReadPrintSides(settings, slot).fold;
    if (foldBefore != sheet.fold)
        put("折り", foldName(foldBefore), foldName(sheet.fold),
            settings.WriteInt(kOptions, S + "Fold", static_cast<std::int32_t>(sheet.fold)));
    if (sheet.noCutLine) {
        const auto shown = [](bool noCutLine) { return std::string(noCutLine ? "なし" : "あり"); };
        const std::string before = shown(SlotSettings(settings, slot).noCutLine);
        put("切り取り線", before, shown(*sheet.noCutLine), settings.WriteInt(kOptions, S + "NoCutLine", *sheet.noCutLine ? 1 : 0));
    }
    const struct {
        const char* caption;
        const char* key;
        std::int32_t value;
    } offsets[] = {{"上から", "Top", sheet.top}, {"左から", "Left", sheet.left}};
    for (const auto& offset : offsets) {
        const std::string before = record.ReadString("Option", offset.key, "10");
        put(offset.caption, before, Text(offset.value), record.WriteString("Option", offset.key, Text(offset.value)));
    }
    RecordSlotSheet(settings, record, slot);
    settings.Flush();
    record.Flush();
    return changes;
}

void RecordSheetInDocument(profile::ProfileDocument& record, std::int32_t slot, const SlotSheet& sheet) {
    RecordedSheet recorded;
    recorded.width = sheet.width;
    recorded.height = sheet.height;
    recorded.columns = sheet.columns;
    recorded.rows = sheet.rows;
    recorded.gapH = sheet.gapH;
    recorded.gapV = sheet.gapV;
    recorded.paper = sheet.paper;
    recorded.noCutLine = sheet.noCutLine.value_or(false);
    recorded.fold = sheet.fold;
    record.Set("#Setting#", RecordedSheetKey(slot), RecordedSheetText(recorded));
    record.Set("Option", "Top", Text(sheet.top));
    record.Set("Option", "Left", Text(sheet.left));
}

SheetProduct CurrentSheet(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot,
                          const std::string& name) {
    const std::string S = std::to_string(slot);
    const LabelExtent size = LabelSize(settings, slot);
    SheetProduct product;
    product.maker = "保存";
    product.part = name;
    product.source = SheetSource::Saved;
    product.paperId = "Other";
    const PaperMillimetres paper = SlotPaper(settings, S);
    product.paperWidth = paper.width;
    product.paperHeight = paper.height;
    // A folded slot holds one face: the product's label is the whole card.
    product.fold = ReadPrintSides(settings, slot).fold;
    const LabelExtent card{size.width * (product.fold == Fold::LeftRight ? 2 : 1),
                           size.height * (product.fold == Fold::TopBottom ? 2 : 1)};
    product.width = card.width * kMillimetresPerHundredth;
    product.height = card.height * kMillimetresPerHundredth;
    product.columns = GridCount(settings.ReadString(kOptions, S + "Column", "2"));
    product.rows = GridCount(settings.ReadString(kOptions, S + "Line", "5"));
    // A length and a gap of 32 bits each: their sum is exact in a double.
    const auto pitch = [&](std::int32_t length, const char* gapKey) {
        const std::int64_t gap = profile::ParseLeadingInt(settings.ReadString(kOptions, S + gapKey, "0"));
        return static_cast<double>(length + gap) * kMillimetresPerHundredth;
    };
    product.pitchX = pitch(card.width, "GapH");
    product.pitchY = pitch(card.height, "GapV");
    product.top = record.ReadInt("Option", "Top", 10) * kMillimetresPerHundredth;
    product.left = record.ReadInt("Option", "Left", 10) * kMillimetresPerHundredth;
    return product;
}

}  // namespace sheets
