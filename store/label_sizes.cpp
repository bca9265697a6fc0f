#include "store/label_sizes.h"

#include "store/profile_value.h"

namespace {
constexpr const char* kSettingSection = "#Setting#";
constexpr const char* kLabelKey = "Label";
constexpr const char* kCardSection = "Card";

std::int32_t SlotInUse(std::int32_t stored) { return stored == 2 || stored == 3 ? stored : 1; }
}  // namespace

LabelExtent LabelSize(const SettingsProfile& settings, std::int32_t slot) {
    const LabelSizeTexts size = StoredLabelSize(settings, slot);
    return {BoundedLength(profile::ParseLeadingInt(size.width)), BoundedLength(profile::ParseLeadingInt(size.height))};
}

LabelSizeTexts DefaultLabelSize() { return {"358", "216"}; }

LabelSizeTexts StoredLabelSize(const SettingsProfile& settings, std::int32_t slot) {
    const std::string digit = std::to_string(slot);
    const LabelSizeTexts fallback = DefaultLabelSize();
    return {settings.ReadString(kCardSection, digit + "w", fallback.width),
            settings.ReadString(kCardSection, digit + "h", fallback.height)};
}

bool StoreLabelSize(const SettingsProfile& settings, std::int32_t slot, const LabelSizeTexts& size) {
    const std::string digit = std::to_string(slot);
    const bool width = settings.WriteString(kCardSection, digit + "w", size.width);
    return settings.WriteString(kCardSection, digit + "h", size.height) && width;
}

std::int32_t StoredSlot(const RecordProfile& record) { return record.ReadInt(kSettingSection, kLabelKey, 0); }

std::int32_t CurrentSlot(const RecordProfile& record) { return SlotInUse(StoredSlot(record)); }

std::int32_t CurrentSlot(const profile::ProfileDocument& record) {
    return SlotInUse(profile::IntResult(record.Find(kSettingSection, kLabelKey), 0));
}

bool SetCurrentSlot(const RecordProfile& record, std::int32_t slot) {
    return record.WriteInt(kSettingSection, kLabelKey, slot);
}

std::string SlotPrefix(const RecordProfile& record) { return record.ReadString(kSettingSection, kLabelKey, "1"); }
