#include "designs/record_designs.h"

#include "store/card_deck.h"
#include "store/codec.h"
#include "store/label_sizes.h"
#include "store/locations.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"

namespace designs {
namespace {

profile::ProfileService& Service() { return profile::ProfileService::Instance(); }

std::vector<std::int32_t> Slots(std::int32_t slot) {
    if (slot != cards::kAllSlots) return {slot};
    return {1, 2, 3};
}

// The card keys and frame sections of design for the slots, each scaled to its label size.
void KeysForSlots(const SettingsProfile& settings, const Design& design, std::int32_t slot, cards::Design& card,
                  std::vector<cards::SectionKeys>& frames) {
    for (const std::int32_t each : Slots(slot)) {
        const LabelExtent size = LabelSize(settings, each);
        const cards::Design keys = CardKeysFor(design, each, size);
        card.insert(card.end(), keys.begin(), keys.end());
        frames.push_back(FrameSectionFor(design, each, size));
    }
}

}  // namespace

cards::Outcome ApplyToRecord(const SettingsProfile& settings, const cards::RecordCards& record, const Design& design,
                             const std::vector<std::int32_t>& targets, std::int32_t slot) {
    cards::Design card;
    std::vector<cards::SectionKeys> frames;
    KeysForSlots(settings, design, slot, card, frames);
    return record.SetDesign(targets, slot, card, frames);
}

std::int32_t RecordSlot(const std::string& recordFsPath) {
    RecordProfile record;
    std::string stored;
    if (locations::FsPathToStored(recordFsPath, stored)) record.SetPath(stored);
    return CurrentSlot(record);
}

Design DesignOfCard(const SettingsProfile& settings, const cards::RecordCards& record, std::int32_t card) {
    const std::int32_t slot = RecordSlot(record.FsPath());
    const profile::ProfileDocument& doc = Service().Document(record.FsPath());
    cards::Design frame;
    if (const std::size_t section = doc.FindSection(FrameSectionName(slot)); section != profile::ProfileDocument::kNoSection)
        frame = cards::DesignOf(doc, section, cards::TextKeys({}), cards::kAllSlots);
    return DesignFromCard(record.DesignOf(card, slot), slot, frame, LabelSize(settings, slot));
}

std::optional<Design> DefaultDesign(const SettingsProfile& settings, const DesignLibrary& library) {
    const std::string fallback = codec::Sjis(kDefaultDesignName);
    const std::string chosen = settings.ReadString("Option", "DefaultDesign", fallback);
    if (std::optional<Entry> entry = library.Find(chosen.empty() ? fallback : chosen)) return std::move(entry->design);
    if (std::optional<Entry> entry = library.Find(fallback)) return std::move(entry->design);
    return std::nullopt;
}

bool StartRecordFile(const SettingsProfile& settings, const std::string& recordFsPath, const DesignLibrary& library) {
    const std::optional<Design> design = DefaultDesign(settings, library);
    if (!design) return true;
    cards::Design card;
    std::vector<cards::SectionKeys> frames;
    KeysForSlots(settings, *design, cards::kAllSlots, card, frames);
    return Service().Rewrite(recordFsPath, [&](const profile::ProfileDocument& doc) -> std::optional<profile::ProfileDocument> {
        for (std::size_t section = 1; section < doc.SectionCount(); ++section) {
            const std::string_view name = doc.SectionName(section);
            if (cards::CardNumberOf(name) || name == FrameSectionName(1) || name == FrameSectionName(2) ||
                name == FrameSectionName(3))
                return std::nullopt;
        }
        profile::ProfileDocument started = doc;
        if (doc.Find("#Setting#", "Max").kind == profile::Lookup::Kind::Missing) started.Set("#Setting#", "Max", "0");
        for (const cards::SectionKeys& frame : frames)
            for (const cards::DesignKey& key : frame.keys) started.Set(frame.section, key.name, key.value);
        for (const cards::DesignKey& key : card) started.Set(CardSectionName(0), key.name, key.value);
        return started;
    });
}

bool StartCurrentRecordFile(const SettingsProfile& settings, const RecordProfile& record) {
    if (record.Path().empty()) return true;
    return StartRecordFile(settings, ProfileFile::AtStoredPath(record.Path()).FsPath(), DesignLibrary::Installed());
}

}  // namespace designs
