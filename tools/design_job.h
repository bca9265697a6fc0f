#pragma once

#include <string>
#include <vector>

#include "export/record_settings.h"
#include "tools/export_options.h"
#include "tools/list_record.h"

namespace export_tool {

// What `zulname-export --list LIST --design NAME [--sheet MAKER PART]` draws: every row of the
// list with a design of the library, fitted to the labels of the sheet, from a record file and a
// copy of the settings in memory. The record file gives its layout and print options and may be
// missing; the sheet named, else the one recorded in the record file, else the built-in default,
// is recorded in the copy of the record file, so the sheet is drawn as a recorded one is.
class DesignJob {
public:
    // recordStoredPath: the record file, empty for none. False, with the exit status and a
    // one-line problem, when the design or the sheet is unknown or the files cannot be made.
    bool Make(const Options& options, const std::string& recordStoredPath, int& status, std::string& problem,
              std::vector<std::string>& notes);

    // The record file and the settings to draw with (file-system paths).
    const std::string& RecordFsPath() const { return list_.FsPath(); }
    const std::string& SettingsFsPath() const { return settings_.FsPath(); }

private:
    ListRecord list_;
    RecordSettings settings_;
};

}  // namespace export_tool
