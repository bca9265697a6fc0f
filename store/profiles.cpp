#include "store/profiles.h"

#include "store/locations.h"
#include "store/profile_service.h"

ProfileFile ProfileFile::AtStoredPath(std::string_view storedPath) {
    // The layers of a card name the record file by its stored path for every colour and font:
    // the last path is converted once.
    static std::string lastStored, lastFsPath;
    static bool converted = false;
    if (storedPath.empty()) return ProfileFile();
    if (storedPath != lastStored) {
        lastStored.assign(storedPath);
        converted = locations::StoredPathToFs(storedPath, lastFsPath);
    }
    return converted ? ProfileFile(lastFsPath) : ProfileFile();
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return profile::ProfileService::Instance().ReadString(fsPath_, section, key, defaultValue);
}

std::string ProfileFile::ReadFullString(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
    return profile::ProfileService::Instance().ReadFullString(fsPath_, section, key, defaultValue);
}

std::int32_t ProfileFile::ReadInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    return profile::ProfileService::Instance().ReadInt(fsPath_, section, key, defaultValue);
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    return profile::ProfileService::Instance().WriteString(fsPath_, section, key, value);
}

bool ProfileFile::WriteInt(std::string_view section, std::string_view key, std::int32_t value) const {
    return WriteString(section, key, std::to_string(value));
}

bool ProfileFile::Flush() const { return profile::ProfileService::Instance().Flush(fsPath_); }

SettingsProfile::SettingsProfile() : ProfileFile(locations::SettingsFilePath()) {}

void RecordProfile::SetPath(std::string storedPath) {
    path_ = std::move(storedPath);
    file_ = ProfileFile::AtStoredPath(path_);
}

std::string RecordProfile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return path_.empty() ? settings_.ReadString(section, key, defaultValue) : file_.ReadString(section, key, defaultValue);
}

std::string RecordProfile::ReadFullString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) const {
    return path_.empty() ? settings_.ReadFullString(section, key, defaultValue)
                         : file_.ReadFullString(section, key, defaultValue);
}

std::int32_t RecordProfile::ReadInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    return path_.empty() ? settings_.ReadInt(section, key, defaultValue) : file_.ReadInt(section, key, defaultValue);
}

bool RecordProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    return file_.WriteString(section, key, value);
}

bool RecordProfile::WriteInt(std::string_view section, std::string_view key, std::int32_t value) const {
    return file_.WriteInt(section, key, value);
}

bool RecordProfile::Flush() const { return file_.Flush(); }

std::uint64_t RecordProfile::Version() const {
    return profile::ProfileService::Instance().Version(ReadFsPath());
}
