#include "editing/edit_session.h"

#include <algorithm>
#include <map>

#include "render/card.h"
#include "render/card_reading.h"
#include "store/card_operations.h"
#include "store/cp932.h"
#include "store/exact_text.h"
#include "store/items.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kSettingSection = "#Setting#";

cards::RecordCards CardsOf(const EditSession& session) {
    return cards::RecordCards(ProfileFile::AtStoredPath(session.Record().Path()).FsPath(),
                              ItemList(session.State().userItems));
}

// The keys that make a design read as `after` where it read as `before`: those changed or added,
// and those gone with an empty value.
cards::Design KeysChanged(const cards::Design& before, const cards::Design& after) {
    std::map<std::string, const std::string*> was;
    for (const cards::DesignKey& key : before) was.emplace(cp932::FoldAsciiCase(key.name), &key.value);
    cards::Design change;
    for (const cards::DesignKey& key : after) {
        const auto found = was.find(cp932::FoldAsciiCase(key.name));
        if (found == was.end() || *found->second != key.value) change.push_back(key);
        if (found != was.end()) was.erase(found);
    }
    for (const cards::DesignKey& key : before)
        if (was.count(cp932::FoldAsciiCase(key.name)) != 0) change.push_back({key.name, ""});
    return change;
}

}  // namespace

EditSession::EditSession(const std::vector<std::string>& userItems, std::function<Surface&()> measuringSurface)
    : measuringSurface_(std::move(measuringSurface)) {
    view_.settings = &settings_;
    view_.record = &record_;
    view_.userItems = userItems;
    view_.adjustX = settings_.ReadInt("Disp", "AdjustX", 98);
    view_.adjustY = settings_.ReadInt("Disp", "AdjustY", 98);
}

void EditSession::InputDialogClosed() {
    inputDialog_ = nullptr;
    view_.mode = ViewMode::SheetMode;
}

int EditSession::Follow(Follower follower) {
    followers_[nextFollower_] = std::move(follower);
    return nextFollower_++;
}

void EditSession::Tell(Change change, int by) {
    // A follower may stop following while it is told.
    const std::map<int, Follower> followers = followers_;
    for (const auto& [id, follower] : followers)
        if (id != by && followers_.count(id) != 0) follower(change);
}

void EditSession::SelectItem(const std::string& item, int by) {
    if (item == selectedItem_) return;
    selectedItem_ = item;
    Tell(Change::Selection, by);
}

void EditSession::StoredChanged(int by) { Tell(Change::Stored, by); }

std::int32_t EditSession::CurrentCard() const { return record_.ReadInt(kSettingSection, "CurID", 0); }

std::string EditSession::CurrentSection() const { return CardSectionName(CurrentCard()); }

CardValue EditSession::CardValueOf(const std::string& section) {
    view_.label = LabelSize(settings_, view_.slot);
    return ReadCard(view_, section);
}

std::vector<ItemBox> EditSession::ItemBoxesOf(const CardValue& card) {
    return DrawnItemBoxes(view_, measuringSurface_(), card);
}

Surface& EditSession::SurfaceWithItemFont(const std::string& item) {
    Surface& surface = measuringSurface_();
    LogFont font = surface.GetFont();
    ColorRef color = 0;
    if (CFontSetting::Load(view_.CurrentSection, ItemKey(view_.slotPrefix, item, ""), font, color, record_.Path()))
        surface.SetFont(font);
    return surface;
}

std::int32_t EditSession::ItemTextWidth(const std::string& item) {
    view_.CurrentSection = CurrentSection();
    Surface& surface = SurfaceWithItemFont(item);
    return MeasureTextWidth(view_, surface, exact_text::Read(record_, view_.CurrentSection, item));
}

std::int32_t EditSession::ItemTextHeight(const std::string& item) {
    Surface& surface = SurfaceWithItemFont(item);
    return MeasureTextHeight(view_, surface, exact_text::Read(record_, view_.CurrentSection, item));
}

std::vector<std::int32_t> EditSession::CardsSharingDesign() const {
    return CardsOf(*this).SharingDesign(CurrentCard(), view_.slot);
}

std::int32_t EditSession::CardCount() const { return CardsOf(*this).Count(); }

void EditSession::ResetScope() { scope_ = CardsSharingDesign().size() > 1 ? DesignScope::SameDesign : DesignScope::ThisCard; }

ScopedDesignChange::ScopedDesignChange(EditSession& session) : session_(session) {
    if (session.Scope() == DesignScope::SameDesign) sharing_ = session.CardsSharingDesign();
    if (session.Scope() == DesignScope::Everyone)
        before_ = CardsOf(session).DesignOf(session.CurrentCard(), session.State().slot);
}

std::int32_t ScopedDesignChange::Commit() {
    session_.Record().Flush();
    const std::int32_t current = session_.CurrentCard();
    if (before_) {
        const cards::RecordCards cards = CardsOf(session_);
        const std::int32_t slot = session_.State().slot;
        const cards::Design change = KeysChanged(*before_, cards.DesignOf(current, slot));
        std::vector<cards::RecordCards::CardDesign> others;
        for (std::int32_t card = 0; card < cards.Count() && !change.empty(); ++card)
            if (card != current) others.push_back({card, change, true});
        if (!others.empty()) cards.SetDesigns(others, slot, {});
        return static_cast<std::int32_t>(others.size()) + 1;
    }
    std::vector<std::int32_t> others = sharing_;
    others.erase(std::remove(others.begin(), others.end(), current), others.end());
    if (!others.empty()) CardsOf(session_).ApplyDesign(current, others, session_.State().slot);
    return static_cast<std::int32_t>(others.size()) + 1;
}
