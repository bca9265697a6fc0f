#pragma once

#include <string>
#include <vector>

#include "store/memory_file.h"

namespace export_tool {

// The settings an export draws with: a copy of the settings file in memory, with the sheets
// recorded in the record file put in as opening the record file in the program puts them in
// (see sheets::AdoptRecordedSheets), so that a record file prints the same with any settings
// folder. The settings file itself is only read.
class RecordSettings {
public:
    // recordStoredPath: the record file (stored path). False, with a one-line problem, when the
    // copy cannot be made; notes tell each sheet taken from the record file, or not readable there.
    bool Make(const std::string& recordStoredPath, std::string& problem, std::vector<std::string>& notes);

    // The copy (file-system path), empty before Make.
    const std::string& FsPath() const { return copy_.FsPath(); }

private:
    MemoryFile copy_;
};

}  // namespace export_tool
