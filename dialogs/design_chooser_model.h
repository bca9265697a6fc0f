#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "designs/design_library.h"
#include "dialogs/design_previews.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// What the design dialogs need from the window system; tests put their own in its place.
// Texts and paths are UTF-8.
class DesignChooserPlatform {
public:
    virtual ~DesignChooserPlatform() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool Confirm(const std::string& question) = 0;
    // A design's name typed by the user, starting from `current`; nothing when cancelled.
    virtual std::optional<std::string> AskName(const std::string& title, const std::string& current) = 0;
    // A file to write a design to, suggesting `fileName`; a file to read one from.
    virtual std::optional<std::string> AskExportPath(const std::string& fileName) = 0;
    virtual std::optional<std::string> AskImportPath() = 0;
};

// The cards a design goes to: the record file, the view's label slot, the current card and the
// cards selected in the roster (none while it shows no selection).
struct DesignTarget {
    cards::RecordCards cards;
    std::int32_t slot = 1;
    std::int32_t currentCard = 0;
    std::vector<std::int32_t> selectedCards{};
};

// A design as the gallery lists it (UTF-8).
struct DesignRow {
    std::string name, description;
    bool builtIn = false;
};
DesignRow DesignRowOf(const designs::Entry& entry);

// "デザインを選ぶ": every design of the library, each with a tag drawn from the record, and
// the choice of the cards and label sizes it goes to; OK puts it on them in one step of undo.
class DesignChooserModel {
public:
    DesignChooserModel(const designs::DesignLibrary& library, const SettingsProfile& settings, DesignTarget target,
                       DesignChooserPlatform& platform);

    // Fields exchanged with the controls.
    std::vector<DesignRow> rows;
    int selected = -1;
    std::string description;        // of the chosen design
    bool toSelection = false;       // "選択したカード (N枚)", else "全員"
    bool selectionEnabled = false;  // the roster has a selection
    std::string selectionCaption;
    bool allSizes = false;          // "すべてのラベルサイズ", else "このラベルサイズ"
    bool okEnabled = false;
    bool renameEnabled = false, deleteEnabled = false, exportEnabled = false;
    int listVersion = 0;  // changes whenever the designs are read again, with their tags

    void OnOpen();
    void OnSelect(int row);
    // Applies the chosen design and tells how many cards changed; true when the dialog closes.
    bool OnOk();
    void OnRename();
    void OnDelete();
    void OnExport();
    void OnImport();
    // "今のカードを保存": the current card's design becomes a design of the user's.
    void OnSaveCurrent();

    // The record file to draw the row's tag from (file-system path), empty when there is none.
    const std::string& PreviewFsPath(int row) const;
    std::int32_t Slot() const { return target_.slot; }

private:
    // Reads the library again and chooses the design named `name` (code page 932) if it is there.
    void Reload(const std::string& name);
    void Show();
    const designs::Entry* Chosen() const;

    const designs::DesignLibrary& library_;
    const SettingsProfile& settings_;
    DesignTarget target_;
    DesignChooserPlatform& platform_;
    std::vector<designs::Entry> entries_;
    DesignPreviews previews_;
};

// "デザインとして保存": the design of the current card (with the slot's frame) kept in the
// library under a name the user types. The name saved (code page 932); nothing when cancelled
// or refused (the user has been told why).
std::optional<std::string> SaveCardDesign(const designs::DesignLibrary& library, const SettingsProfile& settings,
                                          const DesignTarget& target, DesignChooserPlatform& platform);
