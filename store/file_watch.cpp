#include "store/file_watch.h"

#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

bool IsLocalFileSystem(const std::string& folder) {
    struct statfs info {};
    if (statfs(folder.c_str(), &info) != 0) return false;
    switch (static_cast<unsigned long>(info.f_type)) {
        case 0xEF53:      // ext2, ext3, ext4
        case 0x58465342:  // xfs
        case 0x9123683E:  // btrfs
        case 0x01021994:  // tmpfs
        case 0x858458F6:  // ramfs
        case 0x794C7630:  // overlayfs
        case 0xF2F52010:  // f2fs
        case 0x2FC12FC1:  // zfs
        case 0xCA451A4E:  // bcachefs
        case 0x3153464A:  // jfs
        case 0x52654973:  // reiserfs
            return true;
        default:
            return false;
    }
}

}  // namespace

FileWatch::FileWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FileWatch::~FileWatch() {
    if (fd_ >= 0) close(fd_);
}

int FileWatch::Watch(const std::string& folder) {
    if (fd_ < 0 || !IsLocalFileSystem(folder)) return -1;
    const std::uint32_t events = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_CREATE |
                                 IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    return inotify_add_watch(fd_, folder.c_str(), events);
}

void FileWatch::Poll(const std::function<void(int wd, std::string_view name)>& onChange,
                     const std::function<void(int wd)>& onRemoved) {
    if (fd_ < 0) return;
    alignas(struct inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = read(fd_, buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0 && errno == EINTR) continue;
            return;
        }
        for (ssize_t offset = 0; offset < got;) {
            struct inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            const char* name = buffer + offset + sizeof event;
            offset += static_cast<ssize_t>(sizeof event + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                onChange(-1, {});
            } else if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
                onChange(event.wd, {});
                onRemoved(event.wd);
            } else {
                onChange(event.wd, event.len > 0 ? std::string_view(name, strnlen(name, event.len)) : std::string_view());
            }
        }
    }
}
