#include "tools/write_failure.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "store/cp932.h"
#include "store/profile_document.h"

namespace ini_tool {
namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string WriteFailureReason(const std::string& path, std::string_view section, std::string_view key) {
    if (!profile::ProfileDocument::IsStorableKey(cp932::TrimBlanks(key)))
        return "the key cannot be stored (it is empty, starts with \"[\" or \";\", or contains \"=\")";
    if (!profile::ProfileDocument::IsStorableSection(cp932::TrimBlanks(section)))
        return "the section name cannot be stored (it ends in half a double-byte character)";
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return "it is a folder";
    const std::string folder = FolderOf(path);
    struct stat folderInfo {};
    if (stat(folder.c_str(), &folderInfo) != 0) return "the folder " + folder + " does not exist";
    if (!S_ISDIR(folderInfo.st_mode)) return folder + " is not a folder";
    if (access(folder.c_str(), W_OK | X_OK) != 0) return "permission denied in the folder " + folder;
    if (stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return "it is not a regular file";
        if (access(path.c_str(), R_OK) != 0) return "permission denied: the file cannot be read";
    }
    struct statvfs volume {};
    if (statvfs(folder.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0) return "the file system is read-only";
    return "the file could not be replaced (is the disk full?)";
}

}  // namespace ini_tool
