#include "store/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int ReadRegularFileInPieces(const std::string& path, std::size_t maxBytes, const std::function<void(std::string_view)>& take,
                            struct stat* status) {
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
        char chunk[65536];
        std::size_t total = 0;
        while (error == 0) {
            const ssize_t got = read(fd, chunk, sizeof chunk);
            if (got > 0) {
                total += static_cast<std::size_t>(got);
                if (total > maxBytes) error = EFBIG;
                else take(std::string_view(chunk, static_cast<std::size_t>(got)));
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                error = errno;
            }
        }
    }
    close(fd);
    return error;
}

int ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes, struct stat* status) {
    bytes.clear();
    struct stat own {};
    struct stat& info = status != nullptr ? *status : own;
    const int error = ReadRegularFileInPieces(
        path, maxBytes,
        [&](std::string_view piece) {
            if (bytes.empty()) bytes.reserve(static_cast<std::size_t>(info.st_size));
            bytes.append(piece);
        },
        &info);
    if (error != 0) bytes.clear();
    return error;
}
