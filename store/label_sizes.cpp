#include "store/label_sizes.h"

#include "store/profile_value.h"

namespace {
constexpr const char* kSettingSection = "#Setting#";
constexpr const char* kLabelKey = "Label";
}  // namespace

LabelExtent LabelSize(const SettingsProfile& settings, std::int32_t slot) {
    const std::string digit = std::to_string(slot);
    return {profile::ParseLeadingInt(settings.ReadString("Card", digit + "w", "358")),
            profile::ParseLeadingInt(settings.ReadString("Card", digit + "h", "216"))};
}

std::int32_t StoredSlot(const RecordProfile& record) { return record.ReadInt(kSettingSection, kLabelKey, 0); }

std::int32_t CurrentSlot(const RecordProfile& record) {
    const std::int32_t slot = StoredSlot(record);
    return slot == 2 || slot == 3 ? slot : 1;
}

bool SetCurrentSlot(const RecordProfile& record, std::int32_t slot) {
    return record.WriteInt(kSettingSection, kLabelKey, slot);
}

std::string SlotPrefix(const RecordProfile& record) { return record.ReadString(kSettingSection, kLabelKey, "1"); }
