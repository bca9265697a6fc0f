#include "store/locations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "store/codec.h"

namespace locations {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* user = getpwuid(getuid())) home = user->pw_dir;
    }
    return home;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// $ZULNAME_HOME, else $<xdgVariable>/zulname, else ~/<fallback>/zulname.
std::string Folder(const char* xdgVariable, const char* fallback) {
    const std::string home = Environment("ZULNAME_HOME");
    if (!home.empty()) return WithoutTrailingSlash(home);
    const std::string xdg = Environment(xdgVariable);
    if (!xdg.empty() && xdg.front() == '/') return WithoutTrailingSlash(xdg) + "/zulname";
    return WithoutTrailingSlash(HomeFolder()) + "/" + fallback + "/zulname";
}

bool MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string DataFolder() { return Folder("XDG_DATA_HOME", ".local/share"); }

std::string ConfigFolder() { return Folder("XDG_CONFIG_HOME", ".config"); }

std::string SettingsFilePath() { return ConfigFolder() + "/ZULNAME.INI"; }

bool EnsureFolders() {
    const bool data = MakeFolder(DataFolder());
    const bool config = MakeFolder(ConfigFolder());
    return data && config;
}

std::string ProgramFolder() {
    std::string stored;
    if (!FsPathToStored(DataFolder(), stored)) return {};
    if (stored.empty() || stored.back() != '/') stored += '/';
    return stored;
}

bool StoredPathToFs(std::string_view stored, std::string& fsPath) { return codec::Cp932ToUtf8(stored, fsPath); }

bool FsPathToStored(std::string_view fsPath, std::string& stored) { return codec::Utf8ToCp932(fsPath, stored); }

}  // namespace locations
