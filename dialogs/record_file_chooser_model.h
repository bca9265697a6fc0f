#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/profiles.h"

// What the record-file chooser needs from the window system; tests put their own in its place.
class RecordFileChooserPlatform {
public:
    virtual ~RecordFileChooserPlatform() = default;
    virtual void Beep() = 0;
    virtual void FocusNameField() = 0;
};

// The record-file chooser: names a record file inside a cabinet folder, typed or picked from
// the files already there. It only returns the name; the caller composes the path.
class RecordFileChooserModel {
public:
    // All texts are stored text (code page 932). An empty cabinet is read as the current one
    // through record, an empty folder is composed from the cabinet, an empty preset offers the
    // name for a new record file.
    RecordFileChooserModel(RecordFileChooserPlatform& platform, const RecordProfile& record, std::string cabinet,
                           std::string folder, std::string presetName);

    // Fields exchanged with the controls.
    std::string name;                // the name field
    bool nameStorable = true;        // false when the typed name holds text code page 932 cannot
    std::string cabinetText;         // the cabinet shown
    std::vector<std::string> files;  // the file list, sorted

    void OnOpen();
    // Copies the entry into the name field; the dialog stays open.
    void OnDoubleClick(int index);
    // True when the dialog closes with the name.
    bool OnOk();
    // Escape or closing the window.
    void OnCancel();

    // The chosen file name once the dialog has closed with OK.
    const std::optional<std::string>& Result() const { return result_; }

private:
    bool NameIsUsable() const;

    RecordFileChooserPlatform& platform_;
    const RecordProfile& record_;
    std::string cabinet_;
    std::string folder_;
    std::string presetName_;
    std::optional<std::string> result_;
};
