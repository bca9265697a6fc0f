#include "app/recent_files.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

RecentFileList::RecentFileList(ProfileFile settings) : settings_(std::move(settings)) {
    for (std::size_t i = 0; i < kSize; ++i) {
        std::string path = settings_.ReadString(kSection, KeyOf(i), "");
        if (!path.empty()) entries_.push_back(std::move(path));
    }
}

void RecentFileList::Add(const std::string& storedPath) {
    if (storedPath.empty()) return;
    entries_.erase(std::remove(entries_.begin(), entries_.end(), storedPath), entries_.end());
    entries_.insert(entries_.begin(), storedPath);
    if (entries_.size() > kSize) entries_.resize(kSize);
    Save();
}

void RecentFileList::Save() const {
    // Every key is written, so that a gap left in the file by hand does not bring back an entry.
    for (std::size_t i = 0; i < kSize; ++i) settings_.WriteString(kSection, KeyOf(i), i < entries_.size() ? entries_[i] : "");
    settings_.Flush();
}
