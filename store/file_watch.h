#pragma once

#include <functional>
#include <string>
#include <string_view>

// The kernel's change notifications for the folders of open profile files. A cached file needs
// no status call while no notification names it; reads of unchanged files then cost one
// non-blocking read of the notification queue. Folders on network or unknown file systems,
// where notifications miss remote changes, are never watched.
class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // The watch descriptor for the folder, or -1 when it cannot be watched.
    int Watch(const std::string& folder);

    // Hands every pending notification to onChange: the watch descriptor and the name of the
    // entry that changed, or an empty name when anything in that folder may have changed.
    // A watch descriptor of -1 means the queue overflowed: anything anywhere may have changed.
    // onRemoved is told of folders that are no longer watched.
    void Poll(const std::function<void(int wd, std::string_view name)>& onChange,
              const std::function<void(int wd)>& onRemoved);

private:
    int fd_;
};
