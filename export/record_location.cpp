#include "export/record_location.h"

#include <filesystem>
#include <system_error>

#include "store/locations.h"
#include "store/profiles.h"

namespace export_tool {
namespace {

bool IsRegularFile(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(fsPath, error);
}

}  // namespace

bool FindRecordFile(const std::string& commandLinePath, RecordLocation& location, std::string& problem) {
    if (!commandLinePath.empty()) {
        std::error_code error;
        const std::string absolute = std::filesystem::absolute(commandLinePath, error).lexically_normal().string();
        if (error || !IsRegularFile(absolute)) {
            problem = "no record file " + commandLinePath;
            return false;
        }
        if (!locations::FsPathToStored(absolute, location.storedPath)) {
            problem = "the name of " + commandLinePath + " cannot be stored in code page 932";
            return false;
        }
        return true;
    }
    const SettingsProfile settings;
    location.cabinet = settings.ReadString("Current", "Genre", "");
    location.storedPath = settings.ReadString("CurrentIni", location.cabinet, "");
    std::string fsPath;
    if (location.storedPath.empty() || !locations::StoredPathToFs(location.storedPath, fsPath)) {
        problem = "no current record file in " + locations::SettingsFilePath() + "; name one with --record";
        return false;
    }
    if (!IsRegularFile(fsPath)) {
        problem = "no record file " + fsPath;
        return false;
    }
    return true;
}

std::string RecordTitle(const std::string& storedPath) {
    std::string fsPath;
    if (!locations::StoredPathToFs(storedPath, fsPath)) return {};
    return std::filesystem::path(fsPath).stem().string();
}

}  // namespace export_tool
