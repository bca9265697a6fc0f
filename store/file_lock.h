#pragma once

#include <cstdint>
#include <string>

// An exclusive advisory lock shared by every writer of one profile file, across processes. The
// file itself is replaced by a rename on every write, so a lock on it would be lost with the old
// inode; the lock is a flock on the hidden sibling ".NAME.lock" instead, which is never removed.
// Writers hold it from reading the current file to the rename, so no write is lost between two
// instances of the program or the program and zulname-ini.
class FileLock {
public:
    // Blocks until the lock of the file at target (a resolved path, not a symbolic link) is held.
    explicit FileLock(const std::string& target);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // 0 when the lock is held, else the errno of creating or opening the lock file.
    int Error() const { return error_; }

    // A count of the writes made under the lock, kept in the lock file: a writer can tell that
    // another one replaced the file even when its size, time and inode number all look the same
    // (a freed inode is reused, and file times are coarser than a fast write). Stays the same
    // when the lock file could only be opened for reading; a lost count only costs the other
    // writers one needless re-read.
    std::uint64_t Generation() const;
    bool CountWrite();

    // The count of the target's lock file, read without taking the lock; 0 when there is none.
    static std::uint64_t PeekGeneration(const std::string& target);

    // The lock file's name for a target file.
    static std::string LockPathFor(const std::string& target);

private:
    int fd_ = -1;
    int error_ = 0;
    bool writable_ = false;
};
