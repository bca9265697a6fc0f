#include "designs/back_design.h"

#include "store/card_design.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"

namespace designs {
namespace {

// Both back sections rewritten by change in one write of the record file.
bool RewriteBack(const cards::RecordCards& record, const std::function<bool(profile::ProfileDocument&)>& change) {
    return profile::ProfileService::Instance().Rewrite(
        record.FsPath(), [&](const profile::ProfileDocument& doc) -> std::optional<profile::ProfileDocument> {
            profile::ProfileDocument changed = doc;
            if (!change(changed)) return std::nullopt;
            return changed;
        });
}

cards::Design SectionKeysOf(const profile::ProfileDocument& doc, const std::string& name, const cards::TextKeys& texts,
                            std::int32_t slot) {
    const std::size_t section = doc.FindSection(name);
    if (section == profile::ProfileDocument::kNoSection) return {};
    return cards::DesignOf(doc, section, texts, slot);
}

}  // namespace

bool SetBack(const SettingsProfile& settings, const cards::RecordCards& record, const Design& design, std::int32_t slot) {
    const LabelExtent size = LabelSize(settings, slot);
    const cards::TextKeys texts(record.Items());
    const std::string S = std::to_string(slot);
    const cards::SectionKeys card{BackSectionName(S), CardKeysFor(design, slot, size)};
    const cards::SectionKeys frame{BackFrameSectionName(S), FrameKeysFor(design, size)};
    return RewriteBack(record, [&](profile::ProfileDocument& doc) {
        const bool cardChanged = cards::ReplaceSectionKeys(
            doc, card, [&](std::string_view key) { return cards::InDesign(key, texts, slot); });
        return cards::ReplaceSectionKeys(doc, frame) || cardChanged;
    });
}

bool RemoveBack(const cards::RecordCards& record, std::int32_t slot) {
    return RewriteBack(record, [&](profile::ProfileDocument& doc) {
        const std::string S = std::to_string(slot);
        const bool cardChanged = cards::ReplaceSectionKeys(doc, {BackSectionName(S), {}});
        return cards::ReplaceSectionKeys(doc, {BackFrameSectionName(S), {}}) || cardChanged;
    });
}

std::optional<Design> BackOf(const SettingsProfile& settings, const cards::RecordCards& record, std::int32_t slot) {
    const profile::ProfileDocument& doc = profile::ProfileService::Instance().Document(record.FsPath());
    const std::string S = std::to_string(slot);
    const cards::Design card = SectionKeysOf(doc, BackSectionName(S), cards::TextKeys(record.Items()), slot);
    if (card.empty()) return std::nullopt;
    const cards::Design frame = SectionKeysOf(doc, BackFrameSectionName(S), cards::TextKeys({}), cards::kAllSlots);
    return DesignFromCard(card, slot, frame, LabelSize(settings, slot));
}

}  // namespace designs
