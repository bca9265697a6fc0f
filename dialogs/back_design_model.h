#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designs/design_library.h"
#include "dialogs/design_chooser_model.h"
#include "dialogs/design_previews.h"
#include "store/profiles.h"

// "裏面のデザイン": the back of every tag of the view's label slot. The rows are the back the
// slot has now (when it has one), "なし", "現在のカードから" (the current card's design, the
// back made like the front) and the designs of the library, each with a tag drawn from the
// record; OK puts the chosen one on the back in one step of undo.
class BackDesignModel {
public:
    BackDesignModel(const designs::DesignLibrary& library, const SettingsProfile& settings, DesignTarget target,
                    DesignChooserPlatform& platform);

    // Fields exchanged with the controls.
    std::vector<DesignRow> rows;
    int selected = -1;
    std::string description;  // of the chosen row
    bool okEnabled = false;
    int listVersion = 0;  // changes whenever the rows are made again, with their tags

    void OnOpen();
    void OnSelect(int row);
    // Stores the chosen back; true when the dialog closes.
    bool OnOk();

    // The record file to draw the row's tag from (file-system path), empty for "なし".
    const std::string& PreviewFsPath(int row) const;
    std::int32_t Slot() const { return target_.slot; }

private:
    // The design of a row; nothing for "なし".
    const std::optional<designs::Design>& DesignOfRow(int row) const;
    void Show();

    const designs::DesignLibrary& library_;
    const SettingsProfile& settings_;
    DesignTarget target_;
    DesignChooserPlatform& platform_;
    std::vector<std::optional<designs::Design>> designs_;  // one per row
    bool hasCurrent_ = false;                              // the first row is the back as it is
    DesignPreviews previews_;
};
