#include "dialogs/design_previews.h"

#include "store/codec.h"
#include "store/exact_text.h"
#include "store/label_sizes.h"

namespace {

// A person to show when the record has none yet, with a number for the QR code.
PlannedCard SampleCard() {
    PlannedCard card;
    card.texts = {{"氏名", "山田 太郎"}, {"読み", "やまだ たろう"}, {"所属", "株式会社サンプル"}, {"肩書き", "営業部"},
                  {"その他1", "0001"}};
    return card;
}

PlannedCard PersonOf(const cards::RecordCards& record, std::int32_t card) {
    PlannedCard person;
    if (card < 0 || card >= record.Count()) return SampleCard();
    const cards::CardTexts texts = record.Texts(card);
    for (std::size_t item = 0; item < texts.size() && item < record.Items().size(); ++item) {
        std::string name;
        if (texts[item].empty() || !codec::Cp932ToUtf8(record.Items()[item], name)) continue;
        person.texts.emplace_back(std::move(name), exact_text::ToUtf8(texts[item]));
    }
    return person.texts.empty() ? SampleCard() : person;
}

}  // namespace

void DesignPreviews::Make(const SettingsProfile& settings, const cards::RecordCards& record, std::int32_t slot,
                          std::int32_t card, const std::vector<designs::Design>& designs) {
    records_.clear();
    ImportPlan plan;
    plan.cards.push_back(PersonOf(record, card));
    const LabelExtent size = LabelSize(settings, slot);
    for (const designs::Design& design : designs) {
        auto preview = std::make_unique<TemporaryRecord>();
        std::string problem;
        if (!preview->Make(record.FsPath(), plan, designs::CardKeysFor(design, slot, size), problem,
                           {designs::FrameSectionFor(design, slot, size)}))
            preview->Remove();
        records_.push_back(std::move(preview));
    }
}

const std::string& DesignPreviews::FsPath(std::size_t index) const {
    static const std::string none;
    return index < records_.size() ? records_[index]->FsPath() : none;
}
