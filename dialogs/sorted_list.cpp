#include "dialogs/sorted_list.h"

#include <algorithm>
#include <utility>

#include "store/cp932.h"

namespace sorted_list {
namespace {

// True when a character of text ends exactly after length bytes.
bool IsCharBoundary(std::string_view text, std::size_t length) {
    std::size_t pos = 0;
    while (pos < length) pos += cp932::CharLength(text, pos);
    return pos == length;
}

}  // namespace

void Sort(std::vector<std::string>& entries) {
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(entries.size());
    for (std::string& entry : entries) keyed.emplace_back(cp932::FoldAsciiCase(entry), std::move(entry));
    std::sort(keyed.begin(), keyed.end());
    entries.clear();
    for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
}

int FindPrefix(const std::vector<std::string>& entries, std::string_view prefix) {
    const std::string folded = cp932::FoldAsciiCase(prefix);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = cp932::FoldAsciiCase(entries[i]);
        if (entry.compare(0, folded.size(), folded) == 0 && IsCharBoundary(entry, folded.size()))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace sorted_list
