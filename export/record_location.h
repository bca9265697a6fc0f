#pragma once

#include <string>

namespace export_tool {

// Where the record file to work on is: its stored (code page 932) path and its cabinet.
struct RecordLocation {
    std::string storedPath;
    std::string cabinet;  // empty when given on the command line
};

// The record file named on the command line (a file-system path), else the current cabinet's
// current record file of the settings file. False, with the reason, when there is none or it
// does not exist.
bool FindRecordFile(const std::string& commandLinePath, RecordLocation& location, std::string& problem);

// The record file's name without its folder and extension, as a title (UTF-8); empty when the
// stored path cannot be named on this system.
std::string RecordTitle(const std::string& storedPath);

}  // namespace export_tool
