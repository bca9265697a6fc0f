#pragma once

#include <string>
#include <string_view>

// A file in memory without a name in any folder (memfd), readable by this process at
// /proc/self/fd/N: nobody else can read it and nothing of it stays behind, even when the process
// is killed. The profile service reads it like any file; writes to it stay in memory, as its
// flushes fail (EROFS). Gone when this goes or is made again.
class MemoryFile {
public:
    MemoryFile() = default;
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // An empty file, readable by its owner only; false when none can be made.
    bool Make(const char* name);
    // Adds the bytes at the end; false when they cannot all be written.
    bool Append(std::string_view bytes);
    void Remove();

    // The file (file-system path), empty before Make.
    const std::string& FsPath() const { return fsPath_; }

private:
    int fd_ = -1;
    std::string fsPath_;
};
