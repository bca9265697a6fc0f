#include "dialogs/back_design_model.h"

#include "designs/back_design.h"
#include "designs/record_designs.h"

BackDesignModel::BackDesignModel(const designs::DesignLibrary& library, const SettingsProfile& settings,
                                 DesignTarget target, DesignChooserPlatform& platform)
    : library_(library), settings_(settings), target_(std::move(target)), platform_(platform) {}

void BackDesignModel::OnOpen() {
    rows.clear();
    designs_.clear();
    const auto add = [this](DesignRow row, std::optional<designs::Design> design) {
        rows.push_back(std::move(row));
        designs_.push_back(std::move(design));
    };
    std::optional<designs::Design> current = designs::BackOf(settings_, target_.cards, Slot());
    hasCurrent_ = current.has_value();
    if (hasCurrent_) add({"今の裏面", "いま印刷される裏面です。", false}, std::move(current));
    add({"なし", "裏面に何も印刷しません。", false}, std::nullopt);
    const bool cardThere = target_.currentCard >= 0 && target_.currentCard < target_.cards.Count();
    if (cardThere)
        add({"現在のカードから", "今のカードと同じデザインを裏面にします。", false},
            designs::DesignOfCard(settings_, target_.cards, target_.currentCard));
    for (designs::Entry& entry : library_.List()) {
        DesignRow row = DesignRowOf(entry);
        add(std::move(row), std::move(entry.design));
    }

    std::vector<designs::Design> looks;
    for (const std::optional<designs::Design>& design : designs_)
        if (design) looks.push_back(*design);
    previews_.Make(settings_, target_.cards, Slot(), target_.currentCard, looks);
    ++listVersion;
    selected = 0;
    Show();
}

void BackDesignModel::OnSelect(int row) {
    selected = row >= 0 && row < static_cast<int>(rows.size()) ? row : -1;
    Show();
}

const std::optional<designs::Design>& BackDesignModel::DesignOfRow(int row) const {
    return designs_[static_cast<std::size_t>(row)];
}

void BackDesignModel::Show() {
    okEnabled = selected >= 0;
    description = "裏面のデザインを選んでください。";
    if (!okEnabled) return;
    const DesignRow& row = rows[static_cast<std::size_t>(selected)];
    description = row.name + ": " + row.description;
}

bool BackDesignModel::OnOk() {
    if (selected < 0) return false;
    if (hasCurrent_ && selected == 0) return true;
    const std::optional<designs::Design>& design = DesignOfRow(selected);
    const bool written = design ? designs::SetBack(settings_, target_.cards, *design, Slot())
                                : designs::RemoveBack(target_.cards, Slot());
    if (!written) {
        platform_.ShowMessage("ファイルに書き込めませんでした。");
        return false;
    }
    return true;
}

const std::string& BackDesignModel::PreviewFsPath(int row) const {
    // The previews are made for the rows with a design, in row order.
    std::size_t index = 0;
    for (int each = 0; each < row; ++each)
        if (DesignOfRow(each)) ++index;
    return previews_.FsPath(row < 0 || row >= static_cast<int>(rows.size()) || !DesignOfRow(row) ? designs_.size() : index);
}
