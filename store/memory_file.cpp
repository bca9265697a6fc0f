#include "store/memory_file.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

MemoryFile::~MemoryFile() { Remove(); }

bool MemoryFile::Make(const char* name) {
    Remove();
    const int fd = memfd_create(name, MFD_CLOEXEC);
    if (fd < 0) return false;
    if (fchmod(fd, 0600) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    fsPath_ = "/proc/self/fd/" + std::to_string(fd);
    return true;
}

bool MemoryFile::Append(std::string_view bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void MemoryFile::Remove() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    fsPath_.clear();
}
