#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/profiles.h"

// The recent-file list: up to four stored paths, newest first, kept in the settings file as
// "Recent File List" "File1" … "File4".
class RecentFileList {
public:
    static constexpr std::size_t kSize = 4;

    explicit RecentFileList(ProfileFile settings);

    const std::vector<std::string>& Entries() const { return entries_; }
    // Puts a path first, moving it when already listed, and stores the list at once.
    void Add(const std::string& storedPath);

private:
    void Save() const;

    ProfileFile settings_;
    std::vector<std::string> entries_;
};
