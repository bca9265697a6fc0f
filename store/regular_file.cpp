#include "store/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes, struct stat* status) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat own {};
    struct stat& info = status != nullptr ? *status : own;
    int error = 0;
    if (fstat(fd, &info) != 0) {
        error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
        error = EINVAL;
    } else if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        error = EFBIG;
    } else {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        char chunk[65536];
        while (error == 0) {
            const ssize_t got = read(fd, chunk, sizeof chunk);
            if (got > 0) {
                bytes.append(chunk, static_cast<std::size_t>(got));
                if (bytes.size() > maxBytes) error = EFBIG;
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                error = errno;
            }
        }
    }
    close(fd);
    if (error != 0) bytes.clear();
    return error;
}
