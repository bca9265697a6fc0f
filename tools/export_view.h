#pragma once

#include <string>

#include "render/card_image.h"
#include "render/view_state.h"
#include "store/profiles.h"

namespace export_tool {

// Where the record file to draw is: its stored (code page 932) path and its cabinet.
struct RecordLocation {
    std::string storedPath;
    std::string cabinet;  // empty when given on the command line
};

// The record file named on the command line (a file-system path), else the current cabinet's
// current record file of the settings file. False, with the reason, when there is none or it
// does not exist.
bool FindRecordFile(const std::string& commandLinePath, RecordLocation& location, std::string& problem);

// What the view holds while it draws, set up as the view sets itself up on a record file, with
// a 96-dpi screen. Drawing updates the view state.
class ExportView {
public:
    ExportView(const RecordLocation& location, ViewMode mode);
    ExportView(const ExportView&) = delete;
    ExportView& operator=(const ExportView&) = delete;

    ViewState& View() { return view_; }

private:
    SettingsProfile settings_;
    RecordProfile record_;
    CardImageCache images_;
    ViewState view_;
};

}  // namespace export_tool
