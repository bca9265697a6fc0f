#include "store/profile_service.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/atomic_file.h"
#include "store/cp932.h"
#include "store/profile_value.h"

namespace profile {
namespace {

// A section or key name as it is looked up or written: one line, without surrounding blanks.
std::string CleanName(std::string_view name) {
    std::string clean(cp932::TrimBlanks(name));
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    return std::string(cp932::TrimBlanks(clean));
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool ProfileService::Signature::operator==(const Signature& other) const {
    if (exists != other.exists) return false;
    return !exists || (device == other.device && inode == other.inode && size == other.size &&
                       modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec);
}

ProfileService::Signature ProfileService::Signature::Of(const struct stat& info) {
    return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

ProfileService& ProfileService::Instance() {
    static ProfileService service;
    return service;
}

void ProfileService::ApplyNotifications() {
    watch_.Poll(
        [this](int wd, std::string_view name) {
            for (auto& item : entries_) {
                Entry& entry = item.second;
                if (wd == -1 || (entry.watch == wd && (name.empty() || name == entry.name))) entry.stale = true;
            }
        },
        [this](int wd) {
            for (auto& item : entries_)
                if (item.second.watch == wd) item.second.watch = -1;
        });
}

ProfileService::Entry& ProfileService::Current(const std::string& file) {
    auto [it, inserted] = entries_.try_emplace(file);
    Entry& entry = it->second;
    // Within a snapshot a file already checked is taken as it is.
    if (snapshotDepth_ > 0 && entry.loaded && entry.checkedIn == snapshot_) return entry;
    entry.checkedIn = snapshot_;
    ApplyNotifications();
    if (inserted) {
        const std::size_t slash = file.rfind('/');
        entry.folder = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
        entry.name = file.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    if (entry.loaded && entry.watch >= 0 && !entry.stale) return entry;

    Signature now;
    struct stat info {};
    if (stat(file.c_str(), &info) == 0) {
        now = Signature::Of(info);
    }
    if (!entry.loaded || !(now == entry.signature)) {
        // Watch before reading, so that a change made while the file is read is noticed.
        if (entry.watch < 0) entry.watch = watch_.Watch(entry.folder);
        Reload(entry, file);
    }
    entry.stale = false;
    return entry;
}

void ProfileService::Reload(Entry& entry, const std::string& file) {
    entry.loaded = true;
    entry.readable = true;
    entry.signature = {};
    std::string bytes;
    const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        entry.readable = errno == ENOENT;
    } else {
        struct stat info {};
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            entry.readable = false;
        } else {
            entry.signature = Signature::Of(info);
            bytes.reserve(static_cast<std::size_t>(info.st_size));
            char chunk[65536];
            for (;;) {
                const ssize_t got = read(fd, chunk, sizeof chunk);
                if (got > 0) {
                    bytes.append(chunk, static_cast<std::size_t>(got));
                } else if (got == 0) {
                    break;
                } else if (errno != EINTR) {
                    entry.readable = false;
                    break;
                }
            }
        }
        close(fd);
    }
    if (!entry.readable) bytes.clear();
    entry.document = ProfileDocument::Parse(std::move(bytes));
    ++parses_;
    ++entry.version;
    for (const PendingWrite& write : entry.pending) entry.document.Set(write.section, write.key, write.value);
}

std::string ProfileService::ReadString(const std::string& file, std::string_view section, std::string_view key,
                                       std::string_view defaultValue) {
    if (file.empty()) return StringResult({}, defaultValue);
    const Entry& entry = Current(file);
    return StringResult(entry.document.Find(CleanName(section), CleanName(key)), defaultValue);
}

std::string ProfileService::ReadFullString(const std::string& file, std::string_view section, std::string_view key,
                                           std::string_view defaultValue) {
    const std::size_t unlimited = static_cast<std::size_t>(-1);
    if (file.empty()) return StringResult({}, defaultValue, unlimited);
    const Entry& entry = Current(file);
    return StringResult(entry.document.Find(CleanName(section), CleanName(key)), defaultValue, unlimited);
}

std::int32_t ProfileService::ReadInt(const std::string& file, std::string_view section, std::string_view key,
                                     std::int32_t defaultValue) {
    if (file.empty()) return defaultValue;
    const Entry& entry = Current(file);
    return IntResult(entry.document.Find(CleanName(section), CleanName(key)), defaultValue);
}

bool ProfileService::WriteString(const std::string& file, std::string_view section, std::string_view key,
                                 std::string_view value) {
    if (file.empty()) return false;
    const std::string cleanSection = CleanName(section);
    const std::string cleanKey = CleanName(key);
    if (!ProfileDocument::IsStorableKey(cleanKey) || !ProfileDocument::IsStorableSection(cleanSection)) return false;
    Entry& entry = Current(file);
    if (!entry.readable) return false;
    if (!entry.signature.exists && !IsFolder(entry.folder)) return false;
    const std::string cleanValue = CleanValue(value);
    if (entry.document.Set(cleanSection, cleanKey, cleanValue)) {
        entry.pending.push_back({cleanSection, cleanKey, cleanValue});
        ++entry.version;
    }
    return true;
}

const ProfileDocument& ProfileService::Document(const std::string& file) { return Current(file).document; }

bool ProfileService::Replace(const std::string& file, ProfileDocument document) {
    if (file.empty()) return false;
    Entry& entry = Current(file);
    if (!entry.readable) return false;
    if (!entry.signature.exists && !IsFolder(entry.folder)) return false;
    if (!ReplaceFileAtomically(file, document.Serialize())) return false;
    entry.document = std::move(document);
    entry.pending.clear();
    ++entry.version;
    struct stat info {};
    if (stat(file.c_str(), &info) == 0) entry.signature = Signature::Of(info);
    return true;
}

std::uint64_t ProfileService::Version(const std::string& file) {
    return file.empty() ? 0 : Current(file).version;
}

void ProfileService::BeginSnapshot() {
    if (snapshotDepth_++ == 0) ++snapshot_;
}

void ProfileService::EndSnapshot() {
    if (snapshotDepth_ > 0 && --snapshotDepth_ == 0) ++snapshot_;
}

ProfileSnapshot::ProfileSnapshot() { ProfileService::Instance().BeginSnapshot(); }

ProfileSnapshot::~ProfileSnapshot() { ProfileService::Instance().EndSnapshot(); }

bool ProfileService::Flush(const std::string& file) {
    if (file.empty()) return false;
    Entry& entry = Current(file);
    if (entry.pending.empty()) return true;
    std::string content = entry.document.Serialize();
    if (!ReplaceFileAtomically(file, content)) return false;
    entry.pending.clear();
    // Rewritten lines leave their old text behind; start afresh once that outweighs the file.
    if (entry.document.HeldBytes() > 2 * content.size() + 65536) entry.document = ProfileDocument::Parse(std::move(content));
    struct stat info {};
    if (stat(file.c_str(), &info) == 0) entry.signature = Signature::Of(info);
    return true;
}

}  // namespace profile
