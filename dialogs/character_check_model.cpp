#include "dialogs/character_check_model.h"

#include <algorithm>

#include "store/codec.h"
#include "store/font_setting.h"
#include "store/items.h"
#include "store/profiles.h"
#include "store/storage_layout.h"

character_check::OwnFaceCheck CardFaces(const std::string& recordFsPath,
                                        std::function<bool(const std::string&, char32_t)> faceHas) {
    return [record = ProfileFile(recordFsPath), faceHas = std::move(faceHas)](std::int32_t card, const std::string& item,
                                                                               char32_t code) {
        const std::string slot = record.ReadString("#Setting#", "Label", "1");
        const std::string face = record.ReadString(CardSectionName(card), ItemKey(slot, item, "FontFace"), "");
        return faceHas(face.empty() ? DefaultFaceName() : face, code);
    };
}

CharacterCheckModel::CharacterCheckModel(cards::RecordCards cards, character_check::GlyphCheck drawable,
                                         const UnihanVariants& variants, character_check::OwnFaceCheck ownFace)
    : cards_(std::move(cards)), drawable_(std::move(drawable)), ownFace_(std::move(ownFace)), variants_(variants) {}

void CharacterCheckModel::OnOpen() {
    findings_ = character_check::Check(cards_, drawable_, variants_, ownFace_);
    rows.clear();
    for (const character_check::Finding& finding : findings_)
        rows.push_back({CardSectionName(finding.card), codec::Utf8(finding.item), finding.character,
                        character_check::CodePoint(finding.code), character_check::KindWords(finding.kinds),
                        finding.substitutes});
    summary = rows.empty() ? "印刷に気をつける文字はありません" : std::to_string(rows.size()) + " 件の文字があります";
    OnSelect(rows.empty() ? -1 : std::min(std::max(selection, 0), static_cast<int>(rows.size()) - 1));
}

void CharacterCheckModel::OnSelect(int row) {
    selection = row >= 0 && row < static_cast<int>(rows.size()) ? row : -1;
    substitute = selection >= 0 && !rows[static_cast<std::size_t>(selection)].substitutes.empty()
                     ? rows[static_cast<std::size_t>(selection)].substitutes.front()
                     : std::string();
    Update();
}

void CharacterCheckModel::OnSubstituteEdited() { Update(); }

void CharacterCheckModel::Update() {
    replaceEnabled = selection >= 0 && !substitute.empty() && codec::IsValidUtf8(substitute) &&
                     substitute != rows[static_cast<std::size_t>(selection)].character;
}

bool CharacterCheckModel::OnReplace(bool everyCard) {
    if (!replaceEnabled) return false;
    const character_check::Finding& finding = findings_[static_cast<std::size_t>(selection)];
    const cards::Outcome outcome = character_check::Replace(cards_, finding.item, finding.character, substitute,
                                                            everyCard ? std::nullopt : std::optional<std::int32_t>(finding.card));
    OnOpen();
    return outcome && outcome.changed > 0;
}

bool CharacterCheckModel::AnyMissingFace() const {
    return std::any_of(findings_.begin(), findings_.end(),
                       [](const character_check::Finding& f) { return (f.kinds & character_check::kNoFace) != 0; });
}
