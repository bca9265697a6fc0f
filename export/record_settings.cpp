#include "export/record_settings.h"

#include "sheets/recorded_sheet.h"
#include "store/profile_service.h"

namespace export_tool {

bool RecordSettings::Make(const std::string& recordStoredPath, std::string& problem, std::vector<std::string>& notes) {
    const SettingsProfile settingsFile;
    if (!copy_.Make("zulname-settings") ||
        !copy_.Append(profile::ProfileService::Instance().Document(settingsFile.FsPath()).Serialize())) {
        copy_.Remove();
        problem = "cannot make a copy of the settings file in memory";
        return false;
    }
    RecordProfile record;
    record.SetPath(recordStoredPath);
    // Written into the copy and never flushed: they are read from memory.
    const sheets::AdoptedSheets adopted = sheets::AdoptRecordedSheets(SettingsProfile(copy_.FsPath()), record);
    for (const std::int32_t slot : adopted.slots)
        notes.push_back("label slot " + std::to_string(slot) +
                        ": printing the sheet recorded in the record file, not the settings file's");
    for (const std::int32_t slot : adopted.damaged)
        notes.push_back("label slot " + std::to_string(slot) + ": the sheet recorded in the record file (\"#Setting#\" \"Sheet" +
                        std::to_string(slot) + "\") cannot be read; printing the settings file's");
    return true;
}

}  // namespace export_tool
