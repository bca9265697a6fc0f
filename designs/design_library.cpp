#include "designs/design_library.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "store/program_data.h"
#include "store/atomic_file.h"
#include "store/codec.h"
#include "store/collation.h"
#include "store/cp932.h"
#include "store/failure_reason.h"
#include "store/locations.h"
#include "store/profile_value.h"
#include "store/regular_file.h"

namespace designs {
namespace {

namespace fs = std::filesystem;

// A design is a page of keys (at most kMostDesignKeys): a quarter megabyte is far more than any holds.
constexpr std::size_t kLargestDesignFile = 256 << 10;
constexpr std::size_t kLongestName = 100;  // bytes of code page 932
constexpr std::string_view kExtension = ".ini";

// The design files of a folder, in the order of their file names.
std::vector<std::string> DesignFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == kExtension && it->path().filename().string().front() != '.')
            files.push_back(it->path().string());
    std::sort(files.begin(), files.end());
    return files;
}

void Collect(const std::string& folder, Origin origin, std::vector<Entry>& entries, std::vector<Unreadable>* problems) {
    for (const std::string& file : DesignFiles(folder)) {
        std::string problem;
        if (std::optional<Design> design = ReadDesignFile(file, problem))
            entries.push_back({std::move(*design), origin, file});
        else if (problems != nullptr)
            problems->push_back({file, problem});
    }
}

bool UsableName(std::string_view name) {
    return !name.empty() && name.size() <= kLongestName && profile::CleanValue(name) == name &&
           cp932::TrimBlanks(name) == name;
}

// A file name for a design name: its UTF-8 with characters a file name cannot hold made "_".
std::string FileStem(std::string_view name) {
    std::string stem;
    if (!codec::Cp932ToUtf8(name, stem)) stem = "design";
    for (char& c : stem)
        if (c == '/' || (static_cast<unsigned char>(c) < 0x20)) c = '_';
    if (stem.front() == '.') stem.front() = '_';
    return stem;
}

// A file in folder for a design of that name that no other design uses.
std::string FreeFileFor(const std::string& folder, std::string_view name) {
    const std::string stem = FileStem(name);
    for (int number = 1;; ++number) {
        const std::string file =
            (fs::path(folder) / (stem + (number == 1 ? "" : "-" + std::to_string(number)) + std::string(kExtension))).string();
        std::error_code error;
        if (!fs::exists(fs::symlink_status(file, error))) return file;
    }
}

LibraryResult Written(bool ok, const std::string& fsPath) {
    if (ok) return {};
    return {LibraryFailure::NotWritten, profile::NotWrittenMessage(fsPath, errno)};
}

LibraryResult WriteDesign(const Design& design, const std::string& fsPath) {
    return Written(ReplaceFileAtomically(fsPath, SerializeDesign(design)), fsPath);
}

}  // namespace

std::optional<Design> ReadDesignFile(const std::string& fsPath, std::string& problem) {
    std::string bytes;
    if (const int error = ReadRegularFile(fsPath, kLargestDesignFile, bytes); error != 0) {
        problem = error == EFBIG    ? "larger than a design file can be (" + std::to_string(kLargestDesignFile >> 10) + " KB)"
                  : error == EINVAL ? "通常のファイルではありません"
                                    : std::strerror(error);
        return std::nullopt;
    }
    std::optional<Design> design = ParseDesign(std::move(bytes), problem);
    if (design && !UsableName(design->name)) {
        problem = "the design's name must be one line of at most " + std::to_string(kLongestName) + " bytes";
        return std::nullopt;
    }
    return design;
}

DesignLibrary::DesignLibrary(std::string builtInFolder, std::string userFolder)
    : builtInFolder_(std::move(builtInFolder)), userFolder_(std::move(userFolder)) {}

DesignLibrary DesignLibrary::Installed() {
    return DesignLibrary(ProgramDataFolder() + "/designs", locations::DataFolder() + "/designs");
}

std::vector<Entry> DesignLibrary::List(std::vector<Unreadable>* problems) const {
    std::vector<Entry> entries;
    Collect(builtInFolder_, Origin::BuiltIn, entries, problems);
    const std::size_t builtIns = entries.size();
    Collect(userFolder_, Origin::User, entries, problems);
    const JapaneseCollation collation;
    std::vector<std::pair<std::string, Entry>> keyed;
    for (auto it = entries.begin() + static_cast<std::ptrdiff_t>(builtIns); it != entries.end(); ++it)
        keyed.emplace_back(collation.SortKey(it->design.name), std::move(*it));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    entries.resize(builtIns);
    for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
    return entries;
}

std::optional<Entry> DesignLibrary::Find(std::string_view name) const {
    for (Entry& entry : List())
        if (entry.design.name == name) return std::move(entry);
    return std::nullopt;
}

LibraryResult DesignLibrary::Save(const Design& design) const {
    if (!UsableName(design.name)) return {LibraryFailure::BadName};
    const std::optional<Entry> existing = Find(design.name);
    if (existing && existing->origin == Origin::BuiltIn) return {LibraryFailure::NameTaken};
    // Kept only if it can be read again.
    if (design.card.size() + design.frame.size() > kMostDesignKeys)
        return {LibraryFailure::Unreadable, "more than " + std::to_string(kMostDesignKeys) + " keys: not the design of a tag"};
    std::error_code error;
    fs::create_directories(userFolder_, error);
    if (error) return {LibraryFailure::NotWritten, "cannot make " + userFolder_ + ": " + error.message()};
    return WriteDesign(design, existing ? existing->fsPath : FreeFileFor(userFolder_, design.name));
}

LibraryResult DesignLibrary::Rename(std::string_view name, std::string_view newName) const {
    std::optional<Entry> entry = Find(name);
    if (!entry) return {LibraryFailure::NotFound};
    if (entry->origin == Origin::BuiltIn) return {LibraryFailure::BuiltIn};
    if (!UsableName(newName)) return {LibraryFailure::BadName};
    if (newName == name) return {};
    if (Find(newName)) return {LibraryFailure::NameTaken};
    entry->design.name = std::string(newName);
    const std::string file = FreeFileFor(userFolder_, newName);
    if (LibraryResult written = WriteDesign(entry->design, file); !written) return written;
    std::error_code error;
    fs::remove(entry->fsPath, error);
    if (error) return {LibraryFailure::NotWritten, "cannot remove " + entry->fsPath + ": " + error.message()};
    return {};
}

LibraryResult DesignLibrary::Delete(std::string_view name) const {
    const std::optional<Entry> entry = Find(name);
    if (!entry) return {LibraryFailure::NotFound};
    if (entry->origin == Origin::BuiltIn) return {LibraryFailure::BuiltIn};
    std::error_code error;
    fs::remove(entry->fsPath, error);
    if (error) return {LibraryFailure::NotWritten, "cannot remove " + entry->fsPath + ": " + error.message()};
    return {};
}

LibraryResult DesignLibrary::Export(std::string_view name, const std::string& fsPath) const {
    const std::optional<Entry> entry = Find(name);
    if (!entry) return {LibraryFailure::NotFound};
    return WriteDesign(entry->design, fsPath);
}

LibraryResult DesignLibrary::Import(const std::string& fsPath) const {
    std::string problem;
    std::optional<Design> design = ReadDesignFile(fsPath, problem);
    if (!design) return {LibraryFailure::Unreadable, problem};
    const std::string base = design->name;
    for (int number = 2; Find(design->name); ++number) {
        design->name = base + " (" + std::to_string(number) + ")";
        if (!UsableName(design->name)) return {LibraryFailure::BadName};
    }
    LibraryResult saved = Save(*design);
    saved.name = design->name;
    return saved;
}

}  // namespace designs
