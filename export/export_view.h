#pragma once

#include <string>

#include "export/record_location.h"
#include "render/card_image.h"
#include "render/view_state.h"
#include "store/profiles.h"

namespace export_tool {

// What the view holds while it draws, set up as the view sets itself up on a record file, with
// a 96-dpi screen, reading the given settings. Drawing updates the view state.
class ExportView {
public:
    ExportView(const RecordLocation& location, ViewMode mode, SettingsProfile settings = SettingsProfile());
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
