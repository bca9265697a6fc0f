#include "tools/write_failure.h"

#include <cerrno>
#include <cstring>

#include "store/cp932.h"
#include "store/file_size_limit.h"
#include "store/profile_document.h"
#include "store/profile_service.h"

namespace ini_tool {
namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string ErrorText(int error, const std::string& path, bool writing) {
    switch (error) {
        case EACCES:
        case EPERM:
            return writing ? "permission denied: the file is read-only, or its folder " + FolderOf(path) + " is"
                           : "permission denied: the file cannot be read";
        case EROFS: return "the file system is read-only";
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "the disk quota is used up";
        case ELOOP: return "the symbolic links form a loop (or a chain too long to follow)";
        case ENOENT: return "the folder " + FolderOf(path) + " does not exist";
        case ENOTDIR: return "a part of the path is not a folder";
        case EISDIR: return "it is a folder";
        case EINVAL: return "it is not a regular file";
        case EFBIG:
            if (writing && !FileSizeLimitReason(error).empty()) return FileSizeLimitReason(error);
            return "the file is larger than " + std::to_string(profile::kMaxFileBytes >> 20) + " MB, the most the program reads";
        case EIO: return "an input/output error occurred";
        case EAGAIN: return "another program changed the file meanwhile; try again";
        default: return std::strerror(error);
    }
}

}  // namespace

std::string WriteFailureReason(const std::string& path, std::string_view section, std::string_view key) {
    if (!profile::ProfileDocument::IsStorableKey(cp932::TrimBlanks(key)))
        return "the key cannot be stored (it is empty, starts with \"[\" or \";\", or contains \"=\")";
    if (!profile::ProfileDocument::IsStorableSection(cp932::TrimBlanks(section)))
        return "the section name cannot be stored (it ends in half a double-byte character)";
    return FileWriteReason(path);
}

std::string FileWriteReason(const std::string& path) {
    const int error = profile::ProfileService::Instance().WriteError(path);
    return error == 0 ? "the file could not be written" : ErrorText(error, path, true);
}

std::string ReadFailureReason(const std::string& path) {
    const int error = profile::ProfileService::Instance().ReadError(path);
    return error == 0 ? std::string() : ErrorText(error, path, false);
}

}  // namespace ini_tool
