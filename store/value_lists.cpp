#include "store/value_lists.h"

#include <algorithm>
#include <string_view>

#include "store/codec.h"
#include "store/cp932.h"
#include "store/locations.h"
#include "store/plain_name.h"
#include "store/profile_service.h"
#include "store/regular_file.h"
#include "store/profile_value.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Appends one line as entries of at most the read limit each, never splitting a character.
void AppendPieces(std::string_view line, std::vector<std::string>& entries) {
    while (!line.empty()) {
        const std::string_view piece = cp932::CutToBytes(line, profile::kMaxReadBytes);
        entries.emplace_back(piece);
        line.remove_prefix(piece.size());
    }
}

std::vector<std::string> ParseEntries(std::string_view content) {
    std::string_view body = content;
    const bool bom = body.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (bom) body.remove_prefix(kUtf8Bom.size());
    const bool utf8 = codec::IsValidUtf8(body) && (bom || !IsAscii(body));
    if (!utf8) body = content;

    std::vector<std::string> entries;
    std::string converted;
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        std::string_view line = body.substr(0, end);
        body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        // A NUL ends the text of a line, as it ends any stored value.
        line = line.substr(0, line.find('\0'));
        if (utf8) {
            if (!codec::Utf8ToCp932(line, converted)) continue;
            line = converted;
        }
        if (line.empty() || line.front() == ';') continue;
        AppendPieces(line, entries);
    }
    return entries;
}

}  // namespace

void LoadValueLists(const SettingsProfile& settings, const std::vector<std::string>& itemList, ValueLists& lists) {
    const std::string folder = locations::ProgramFolder();
    if (folder.empty()) return;
    const std::size_t count = std::min(itemList.size(), kValueListCount);
    for (std::size_t i = 0; i < count; ++i) {
        // A registered name is a file of the data folder itself, never a path out of it.
        const std::string file = settings.ReadString("Lists", itemList[i], "");
        if (!IsPlainFileName(file)) continue;
        std::string fsPath;
        std::string content;
        // Anything but a regular file (missing, a folder, a FIFO, a device) is not a value list.
        if (!locations::StoredPathToFs(folder + file, fsPath) ||
            ReadRegularFile(fsPath, profile::kMaxFileBytes, content) != 0)
            continue;
        lists[i] = ParseEntries(content);
    }
}
