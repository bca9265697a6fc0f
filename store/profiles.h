#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One profile file, named by its file-system path. All texts are code page 932.
class ProfileFile {
public:
    ProfileFile() = default;  // no file: reads give the defaults, writes store nothing
    explicit ProfileFile(std::string fsPath) : fsPath_(std::move(fsPath)) {}
    // A file named by a stored (code page 932) path; no file when the path cannot be converted.
    static ProfileFile AtStoredPath(std::string_view storedPath);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The whole value, not cut at the length of an ordinary read.
    std::string ReadFullString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) const;
    bool Flush() const;

    const std::string& FsPath() const { return fsPath_; }

private:
    std::string fsPath_;
};

// The settings file of this installation.
class SettingsProfile : public ProfileFile {
public:
    SettingsProfile();
    // A copy standing in for the settings file (file-system path), read instead of it.
    explicit SettingsProfile(std::string fsPath) : ProfileFile(std::move(fsPath)) {}
};

// The current record file. While no path is set, reads come from the settings file and writes
// and flushes store nothing.
class RecordProfile {
public:
    RecordProfile() = default;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    std::string ReadFullString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) const;
    bool Flush() const;
    // Changes whenever the file read from changes (see ProfileService::Version).
    std::uint64_t Version() const;
    // The file reads come from (file-system path): the settings file while no path is set, and
    // none when the path cannot be converted.
    const std::string& ReadFsPath() const { return path_.empty() ? settings_.FsPath() : file_.FsPath(); }

    // The full stored path of the record file (code page 932).
    void SetPath(std::string storedPath);
    const std::string& Path() const { return path_; }
    void SetCabinet(std::string cabinet) { cabinet_ = std::move(cabinet); }
    const std::string& Cabinet() const { return cabinet_; }

private:
    SettingsProfile settings_;
    ProfileFile file_;
    std::string path_;
    std::string cabinet_;
};
