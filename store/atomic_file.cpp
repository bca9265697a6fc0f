#include "store/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

// As the kernel allows when it follows links itself.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Keeping the owner needs the right to give files away (root), keeping the group membership of
// it; otherwise the writer owns the new file, as with any editor that replaces files.
bool KeepOwner(int fd, const struct stat& old) {
    if (old.st_uid == geteuid() && old.st_gid == getegid()) return true;
    return fchown(fd, old.st_uid, old.st_gid) == 0 || fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

// mkostemp's six characters.
bool IsTemporarySuffix(std::string_view suffix) {
    if (suffix.size() != 6) return false;
    for (const char c : suffix)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

// Makes the rename durable: without this a power cut can bring the old file back.
int SyncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    // Some file systems cannot sync a folder; the rename is as safe there as they make it.
    const int error = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return error;
}

// The last step of a replacement, after error (0 once the temporary file is complete and synced).
int RenameOver(const std::string& temporary, const std::string& target, int error) {
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return error;
    }
    return SyncFolder(FolderOf(target));
}

}  // namespace

void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string name = NameOf(target);
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return;
    const std::string prefix = "." + name + ".";
    while (const dirent* entry = readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        if (entryName.size() != prefix.size() + 6 || entryName.substr(0, prefix.size()) != prefix ||
            !IsTemporarySuffix(entryName.substr(prefix.size())))
            continue;
        const std::string path = folder + std::string(entryName);
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(path.c_str());
    }
    closedir(dir);
}

int ResolveWriteTarget(const std::string& path, std::string& target) {
    target = path;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0) return 0;
        // Renaming over a device, a FIFO or a folder would replace it: only regular files are
        // outputs.
        if (S_ISDIR(info.st_mode)) return EISDIR;
        if (!S_ISLNK(info.st_mode)) return S_ISREG(info.st_mode) ? 0 : EINVAL;
        if (links == kMaxLinks) return ELOOP;
        char buffer[PATH_MAX];
        const ssize_t length = readlink(target.c_str(), buffer, sizeof buffer);
        if (length < 0) return errno;
        if (static_cast<std::size_t>(length) == sizeof buffer) return ENAMETOOLONG;
        const std::string link(buffer, static_cast<std::size_t>(length));
        // A MemoryFile: the kernel names it as if it were a file at the root, which a write must
        // not create.
        if (link.rfind("/memfd:", 0) == 0) return EROFS;
        // A relative link is relative to the folder that holds it.
        target = !link.empty() && link.front() == '/' ? link : FolderOf(target) + link;
    }
}

int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    temporary = FolderOf(target) + "." + NameOf(target) + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return -errno;
    if (fchmod(fd, exists ? old.st_mode & 07777 : NewFileMode()) != 0) {
        const int error = errno;
        close(fd);
        unlink(temporary.c_str());
        return -error;
    }
    if (exists) KeepOwner(fd, old);
    return fd;
}

int CommitTemporary(const std::string& temporary, const std::string& target) {
    int error = 0;
    const int fd = open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fsync(fd) != 0) error = errno;
    if (fd >= 0) close(fd);
    return RenameOver(temporary, target, error);
}

int ReplaceResolvedFile(const std::string& target, std::string_view content) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) return -fd;
    int error = WriteAll(fd, content);
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    return RenameOver(temporary, target, error);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view content) {
    std::string target;
    int error = ResolveWriteTarget(path, target);
    if (error == 0) error = ReplaceResolvedFile(target, content);
    errno = error;
    return error == 0;
}
