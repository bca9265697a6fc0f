#include "store/profile_service.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "store/atomic_file.h"
#include "store/cp932.h"
#include "store/file_lock.h"
#include "store/profile_value.h"
#include "store/regular_file.h"

namespace profile {
namespace {

// A section or key name as it is looked up or written: one line, without surrounding blanks.
// Only a name with a line break inside is copied, into `spare`.
std::string_view CleanName(std::string_view name, std::string& spare) {
    const std::string_view trimmed = cp932::TrimBlanks(name);
    bool oneLine = true;
    for (const char c : trimmed) oneLine = oneLine && c != '\r' && c != '\n';
    if (oneLine) return trimmed;
    spare.assign(trimmed);
    for (char& c : spare)
        if (c == '\r' || c == '\n') c = ' ';
    return cp932::TrimBlanks(spare);
}

Lookup FindCleaned(const ProfileDocument& document, std::string_view section, std::string_view key) {
    std::string spareSection, spareKey;
    return document.Find(CleanName(section, spareSection), CleanName(key, spareKey));
}

// Where the user is rather than what they made: the current card and the item the input dialog
// shows. Undo passes over them, so that no step of undo seems to do nothing.
bool IsWhereTheUserIs(std::string_view section, std::string_view key) {
    const auto is = [](std::string_view name, std::string_view folded) { return cp932::CompareFolded(name, folded) == 0; };
    return (is(section, "#setting#") && is(key, "curid")) || (is(section, "current") && is(key, "itemname"));
}

// 0 when the folder exists, else why a new file cannot be made in it.
int FolderError(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

// A file without write permission is not written, as a read-only file is not written on
// Windows: also not by root, whom the permission bits do not stop.
int WritePermission(const std::string& target, const struct stat& status) {
    if ((status.st_mode & 0222) == 0) return EACCES;
    return access(target.c_str(), W_OK) == 0 ? 0 : errno;
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
    // A drawing reads one file many times in a row.
    bool inserted = false;
    if (lastEntry_ == nullptr || file != lastFile_) {
        const auto added = entries_.try_emplace(file);
        inserted = added.second;
        lastEntry_ = &added.first->second;
        lastFile_ = file;
    }
    Entry& entry = *lastEntry_;
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
    entry.signature = {};
    std::exchange(entry.document, ProfileDocument());  // not held beside the new one while it is read
    // Taken before the file is read, so that the file read is never older than its count says.
    std::string target;
    entry.generation = ResolveWriteTarget(file, target) == 0 ? FileLock::PeekGeneration(target) : kUnknownGeneration;
    std::string bytes;
    struct stat status {};
    const int error = ReadRegularFile(file, kMaxFileBytes, bytes, &status);
    if (status.st_mode != 0) entry.signature = Signature::Of(status);  // the file exists
    entry.readable = error == 0 || error == ENOENT;
    Outcome(entry, file, FileFailure::Action::Read, entry.readable ? 0 : error);
    if (!entry.readable) bytes.clear();
    entry.document = ProfileDocument::Parse(std::move(bytes));
    ++parses_;
    ++entry.version;
    for (const PendingWrite& write : entry.pending) entry.document.Set(write.section, write.key, write.value);
}

bool ProfileService::Outcome(Entry& entry, const std::string& file, FileFailure::Action action, int error) {
    int& last = action == FileFailure::Action::Write ? entry.writeError : entry.readError;
    const bool tell = error != 0 || last != 0;
    last = error;
    if (tell && listener_) listener_({file, action, error});
    return error == 0;
}

int ProfileService::WriteError(const std::string& file) const {
    const auto it = entries_.find(file);
    return it == entries_.end() ? 0 : it->second.writeError;
}

int ProfileService::ReadError(const std::string& file) { return file.empty() ? 0 : Current(file).readError; }

std::string ProfileService::ReadString(const std::string& file, std::string_view section, std::string_view key,
                                       std::string_view defaultValue) {
    ++reads_;
    if (file.empty()) return StringResult({}, defaultValue);
    const Entry& entry = Current(file);
    return StringResult(FindCleaned(entry.document, section, key), defaultValue);
}

std::string ProfileService::ReadFullString(const std::string& file, std::string_view section, std::string_view key,
                                           std::string_view defaultValue) {
    ++reads_;
    const std::size_t unlimited = static_cast<std::size_t>(-1);
    if (file.empty()) return StringResult({}, defaultValue, unlimited);
    const Entry& entry = Current(file);
    return StringResult(FindCleaned(entry.document, section, key), defaultValue, unlimited);
}

std::int32_t ProfileService::ReadInt(const std::string& file, std::string_view section, std::string_view key,
                                     std::int32_t defaultValue) {
    ++reads_;
    if (file.empty()) return defaultValue;
    const Entry& entry = Current(file);
    return IntResult(FindCleaned(entry.document, section, key), defaultValue);
}

Lookup ProfileService::Find(const std::string& file, FoundSection& section, const KeyName& key) {
    ++reads_;
    if (file.empty()) return {};
    const Entry& entry = Current(file);
    if (!section.found || section.version != entry.version) {
        std::string spare;
        section.index = entry.document.FindSection(CleanName(section.name, spare));
        section.version = entry.version;
        section.found = true;
    }
    return section.index == ProfileDocument::kNoSection ? Lookup{} : entry.document.FindIn(section.index, key);
}

bool ProfileService::WriteString(const std::string& file, std::string_view section, std::string_view key,
                                 std::string_view value) {
    if (file.empty()) return false;
    std::string spareSection, spareKey;
    const std::string cleanSection(CleanName(section, spareSection));
    const std::string cleanKey(CleanName(key, spareKey));
    if (!ProfileDocument::IsStorableKey(cleanKey) || !ProfileDocument::IsStorableSection(cleanSection)) return false;
    Entry& entry = Current(file);
    if (!entry.readable) return Outcome(entry, file, FileFailure::Action::Write, entry.readError);
    if (!entry.signature.exists) {
        if (const int error = FolderError(entry.folder)) return Outcome(entry, file, FileFailure::Action::Write, error);
    }
    const std::string cleanValue = CleanValue(value);
    const Lookup old = entry.document.Find(cleanSection, cleanKey);
    std::optional<std::string> before;
    if (old.kind != Lookup::Kind::Missing) before = std::string(old.value);
    if (entry.document.Set(cleanSection, cleanKey, cleanValue)) {
        entry.pending.push_back({cleanSection, cleanKey, cleanValue});
        ++entry.version;
        if (!IsWhereTheUserIs(cleanSection, cleanKey))
            Journal(file, [&](const std::string& history, const std::string& changed) {
                journal_.RecordKey(history, cleanSection, cleanKey, std::move(before), cleanValue, changed);
            });
    }
    return true;
}

void ProfileService::JoinUndo(const std::string& from, const std::string& into) {
    const bool joined = !from.empty() && !into.empty() && from != into;
    joinFrom_ = joined ? from : std::string();
    joinInto_ = joined ? into : std::string();
}

template <typename Record>
void ProfileService::Journal(const std::string& file, const Record& record) {
    if (!recording_ || !undoKept_) return;
    if (!joinFrom_.empty() && file == joinFrom_)
        record(joinInto_, file);
    else
        record(file, std::string());
}

std::vector<std::string> ProfileService::ChangedFiles(const std::string& file, const UndoStep& step) {
    std::vector<std::string> changed;
    for (const UndoChange& change : step.changes) {
        const std::string& target = change.file.empty() ? file : change.file;
        if (std::find(changed.begin(), changed.end(), target) == changed.end()) changed.push_back(target);
    }
    return changed;
}

UndoResult ProfileService::ApplyStep(const std::string& file, const UndoStep& step, bool redo) {
    const std::vector<std::string> files = ChangedFiles(file, step);
    // Every file's new contents are worked out before any is written.
    std::vector<ProfileDocument> documents;
    for (const std::string& changed : files) {
        ProfileDocument document = Current(changed).document;
        const auto apply = [&](const UndoChange& change) {
            if ((change.file.empty() ? file : change.file) != changed) return;
            const std::optional<std::string> value = redo ? std::optional<std::string>(change.after) : change.before;
            if (change.wholeFile)
                document = ProfileDocument::Parse(value.value_or(std::string()));
            else if (value)
                document.Set(change.section, change.key, *value);
            else
                document.Remove(change.section, change.key);
        };
        if (redo)
            std::for_each(step.changes.begin(), step.changes.end(), apply);
        else
            std::for_each(step.changes.rbegin(), step.changes.rend(), apply);
        documents.push_back(std::move(document));
    }
    // Written one by one; when one fails, those already written are put back.
    recording_ = false;
    UndoResult result = UndoResult::Done;
    std::vector<ProfileDocument> previous;
    for (std::size_t index = 0; index < files.size(); ++index) {
        ProfileDocument before = Current(files[index]).document;
        if (!Replace(files[index], std::move(documents[index]))) {
            result = WriteError(files[index]) == EAGAIN ? UndoResult::ChangedElsewhere : UndoResult::NotWritten;
            for (std::size_t written = 0; written < previous.size(); ++written)
                Replace(files[written], std::move(previous[written]));
            break;
        }
        previous.push_back(std::move(before));
    }
    recording_ = true;
    return result;
}

UndoResult ProfileService::TakeStep(const std::string& file, bool redo) {
    journal_.EndStep();
    if (file.empty() || !(redo ? journal_.CanRedo(file) : journal_.CanUndo(file))) return UndoResult::Nothing;
    UndoStep step = redo ? journal_.TakeRedo(file) : journal_.TakeUndo(file);
    const auto putBack = [&](UndoResult result) {
        if (redo)
            journal_.PutBackRedo(file, std::move(step));
        else
            journal_.PutBackUndo(file, std::move(step));
        return result;
    };
    // Every file the step changed must be as the program left it.
    for (const std::string& changed : ChangedFiles(file, step)) {
        if (!Flush(changed)) return putBack(UndoResult::NotWritten);
        const Entry& entry = Current(changed);
        if (!(entry.signature == entry.written)) return putBack(UndoResult::ChangedElsewhere);
    }
    if (const UndoResult result = ApplyStep(file, step, redo); result != UndoResult::Done) return putBack(result);
    if (redo)
        journal_.Redone(file, std::move(step));
    else
        journal_.Undone(file, std::move(step));
    return UndoResult::Done;
}

UndoResult ProfileService::Undo(const std::string& file) { return TakeStep(file, false); }

UndoResult ProfileService::Redo(const std::string& file) { return TakeStep(file, true); }

const ProfileDocument& ProfileService::Document(const std::string& file) { return Current(file).document; }

bool ProfileService::Rewrite(const std::string& file, const Rewriter& change) {
    return WholeFileWrite(file, change, false);
}

bool ProfileService::Replace(const std::string& file, ProfileDocument document) {
    return WholeFileWrite(
        file, [&document](const ProfileDocument&) { return std::optional<ProfileDocument>(std::move(document)); }, true);
}

bool ProfileService::WholeFileWrite(const std::string& file, const Rewriter& change, bool unchangedOnly) {
    if (file.empty()) return false;
    // A replacement takes the entry as Document left it: looking at the disk again now would take
    // a change made meanwhile for the state the document was worked out from.
    const auto known = entries_.find(file);
    Entry& entry = unchangedOnly && known != entries_.end() && known->second.loaded ? known->second : Current(file);
    if (!entry.readable) return Outcome(entry, file, FileFailure::Action::Write, entry.readError);
    if (!entry.signature.exists) {
        if (const int error = FolderError(entry.folder)) return Outcome(entry, file, FileFailure::Action::Write, error);
    }
    return Outcome(entry, file, FileFailure::Action::Write, WriteLocked(entry, file, &change, unchangedOnly));
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
    return Outcome(entry, file, FileFailure::Action::Write, WriteLocked(entry, file, nullptr, false));
}

int ProfileService::WriteLocked(Entry& entry, const std::string& file, const Rewriter* change, bool unchangedOnly) {
    std::string target;
    if (const int error = ResolveWriteTarget(file, target)) return error;
    FileLock lock(target);
    if (lock.Error() != 0) return lock.Error();
    // Another writer may have replaced the file since it was read: what is written is worked out
    // from the file as it is on disk now.
    struct stat status {};
    const Signature now = stat(file.c_str(), &status) == 0 ? Signature::Of(status) : Signature{};
    if (!(now == entry.signature) || lock.Generation() != entry.generation) {
        if (unchangedOnly) return EAGAIN;
        Reload(entry, file);
        if (!entry.readable) return entry.readError;
        entry.generation = lock.Generation();
    }
    std::optional<ProfileDocument> replacement;
    if (change != nullptr) {
        replacement = (*change)(entry.document);
        if (!replacement) return 0;
    }
    if (now.exists) {
        if (const int error = WritePermission(target, status)) return error;
    }
    // Without a history the document replaced is not needed beside its replacement and the text
    // written; should the write fail, the file is read again when next asked for.
    if (replacement && !undoKept_) {
        std::exchange(entry.document, ProfileDocument());  // assigning an empty one would keep its buffer
        entry.loaded = false;
    }
    std::string content = (replacement ? *replacement : entry.document).Serialize();
    if (content.size() > kMaxFileBytes) return EFBIG;
    RemoveStaleTemporaries(target);
    if (const int error = ReplaceResolvedFile(target, content)) return error;
    lock.CountWrite();
    entry.generation = lock.Generation();
    entry.pending.clear();
    if (replacement) {
        Journal(file, [&](const std::string& history, const std::string& changed) {
            journal_.RecordWholeFile(history, entry.document.Serialize(), content, changed);
        });
        entry.document = std::move(*replacement);
        entry.loaded = true;
        ++entry.version;
    }
    // Rewritten lines leave their old text and index entries behind; start afresh once they
    // outweigh the file.
    if (entry.document.HeldBytes() + entry.document.IndexBytes() > 2 * content.size() + 65536) entry.document = ProfileDocument::Parse(std::move(content));
    if (stat(file.c_str(), &status) == 0) entry.signature = Signature::Of(status);
    entry.written = entry.signature;
    return 0;
}

}  // namespace profile
