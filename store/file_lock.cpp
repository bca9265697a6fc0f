#include "store/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

std::string FileLock::LockPathFor(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameAt) + "." + target.substr(nameAt) + ".lock";
}

FileLock::FileLock(const std::string& target) {
    const std::string path = LockPathFor(target);
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    writable_ = fd_ >= 0;
    if (fd_ < 0) {
        // A lock file made by another user may be ours to lock but not to write.
        error_ = errno;
        fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) return;
        error_ = 0;
    }
    while (flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        close(fd_);
        fd_ = -1;
        return;
    }
}

FileLock::~FileLock() {
    // Closing the last descriptor releases the lock.
    if (fd_ >= 0) close(fd_);
}

namespace {

std::uint64_t ReadGeneration(int fd) {
    std::uint64_t generation = 0;
    if (fd < 0 || pread(fd, &generation, sizeof generation, 0) != static_cast<ssize_t>(sizeof generation)) return 0;
    return generation;
}

}  // namespace

std::uint64_t FileLock::Generation() const { return ReadGeneration(fd_); }

std::uint64_t FileLock::PeekGeneration(const std::string& target) {
    const int fd = open(LockPathFor(target).c_str(), O_RDONLY | O_CLOEXEC);
    const std::uint64_t generation = ReadGeneration(fd);
    if (fd >= 0) close(fd);
    return generation;
}

bool FileLock::CountWrite() {
    if (fd_ < 0 || !writable_) return false;
    const std::uint64_t next = Generation() + 1;
    return pwrite(fd_, &next, sizeof next, 0) == static_cast<ssize_t>(sizeof next);
}
