#include "dialogs/decorative_line_model.h"

namespace {

constexpr const char* kSuffixes[DecorativeLineModel::kFieldCount] = {"sx", "sy", "ex", "ey", "Width"};
// No line is drawn while all four coordinates are 0; a new line is one hundredth of an inch wide.
constexpr const char* kDefaults[DecorativeLineModel::kFieldCount] = {"0", "0", "0", "0", "1"};

}  // namespace

DecorativeLineModel::DecorativeLineModel(DecorationPlatform& platform, const RecordProfile& record,
                                         std::int32_t line, std::int32_t slot, std::string section)
    : platform_(platform),
      record_(record),
      base_(std::to_string(slot) + "Line" + std::to_string(line)),
      section_(std::move(section)) {}

std::string DecorativeLineModel::Key(std::string_view suffix) const { return base_ + std::string(suffix); }

void DecorativeLineModel::OnOpen() {
    for (std::size_t i = 0; i < kFieldCount; ++i) fields[i] = record_.ReadString(section_, Key(kSuffixes[i]), kDefaults[i]);
    // A line without a stored colour draws black.
    CColorSetting::LoadFromRecord(section_, Key("Col"), color, Rgb(0, 0, 0), record_.Path());
}

void DecorativeLineModel::OnColor() {
    const std::optional<ColorRef> chosen = platform_.ChooseColor(Rgb(0, 0, 0));
    if (!chosen) return;
    color = *chosen;
    CColorSetting::SaveToRecord(section_, Key("Col"), color, record_.Path());
    record_.Flush();
    platform_.RefreshAllViews();
}

void DecorativeLineModel::WriteFields() {
    for (std::size_t i = 0; i < kFieldCount; ++i) record_.WriteString(section_, Key(kSuffixes[i]), fields[i]);
    record_.Flush();
}

void DecorativeLineModel::OnUpdateView() {
    WriteFields();
    platform_.RefreshAllViews();
}

void DecorativeLineModel::OnOk() { WriteFields(); }
