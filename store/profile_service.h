#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

#include "store/file_watch.h"
#include "store/profile_document.h"
#include "store/undo_journal.h"

namespace profile {

// Profile files larger than this are refused: reads give the defaults and writes fail with
// EFBIG, rather than the parsed copy exhausting memory. The largest record files the program
// makes stay far below it.
inline constexpr std::size_t kMaxFileBytes = 256u << 20;

// What an undo or a redo came to.
enum class UndoResult {
    Done,
    Nothing,           // no step to undo or redo
    ChangedElsewhere,  // the file was changed by someone else since: nothing was done
    NotWritten,        // the file could not be written: nothing was done
};

// A profile file that could not be read or written, and why.
struct FileFailure {
    enum class Action { Read, Write };
    std::string file;
    Action action = Action::Read;
    // The errno of what failed. Besides the system's own: EFBIG for a file over kMaxFileBytes,
    // EACCES for a file without write permission (also for root), EISDIR for a folder and EINVAL
    // for anything else that is not a regular file. 0 when the file can be read or written again.
    int error = 0;
};

// Reads and writes profile files by their file-system path, for the whole program. A parsed
// copy of each file is reused while the file on disk is unchanged; writes are held in memory
// until Flush, which replaces the file atomically. Writes apply to the file as it is on disk:
// when another program changes it before the flush, the pending writes are replayed on the new
// contents, so neither side's edits are lost. The flush holds the file's FileLock from reading the
// file on disk to the rename, so other processes' writes are not lost either.
class ProfileService {
public:
    static ProfileService& Instance();

    std::string ReadString(const std::string& file, std::string_view section, std::string_view key,
                           std::string_view defaultValue);
    // As ReadString, but the whole value, however long.
    std::string ReadFullString(const std::string& file, std::string_view section, std::string_view key,
                               std::string_view defaultValue);
    std::int32_t ReadInt(const std::string& file, std::string_view section, std::string_view key,
                         std::int32_t defaultValue);
    // A section of a file found once for many reads (see SectionReader): found again only when
    // the file has changed.
    struct FoundSection {
        std::string name;
        bool found = false;
        std::uint64_t version = 0;
        std::size_t index = ProfileDocument::kNoSection;
    };
    // The key as it reads now, counted as one read.
    Lookup Find(const std::string& file, FoundSection& section, const KeyName& key);
    // False when nothing can be stored: no file named, a missing folder, a file that is a folder
    // or cannot be read, or a section or key that cannot be written as one.
    bool WriteString(const std::string& file, std::string_view section, std::string_view key, std::string_view value);
    // Makes the file on disk complete and current. False when it could not be written; the
    // pending writes are then kept, so reads still see them and the next flush that succeeds
    // stores them. A file the user may not write (no write permission, or no write bit at all)
    // is not written. A symbolic link is written through: its target is replaced.
    bool Flush(const std::string& file);

    // Why the last write or flush of the file failed (an errno), or 0 when it succeeded.
    int WriteError(const std::string& file) const;
    // Why the file could not be read when it was last loaded, or 0 (a missing file is no error).
    int ReadError(const std::string& file);
    // Told of each refused read (once per change of the file) and each failed write or flush, and,
    // with error 0, of the first read or flush that succeeds again after one failed.
    void SetFailureListener(std::function<void(const FileFailure&)> listener) { listener_ = std::move(listener); }

    // How many times a file has been parsed, and how many values have been read, since the
    // program started.
    std::size_t ParseCount() const { return parses_; }
    std::size_t ReadCount() const { return reads_; }

    // A number that changes whenever the contents of the file change (read anew or written), so
    // that what is worked out from a file can be kept while it stays the same.
    std::uint64_t Version(const std::string& file);

    // Whole-file operations (card renumbering). Document is the file as it reads now, pending
    // writes included. Rewrite works the new contents out while it holds the file's FileLock,
    // from the file as it is then (pending writes included), so another writer's change made
    // meanwhile is neither lost nor a reason to fail: `change` returns the new document, or
    // nothing to leave the file as it is. Rewrite is false when the file could not be written
    // (WriteError tells why).
    using Rewriter = std::function<std::optional<ProfileDocument>(const ProfileDocument&)>;
    const ProfileDocument& Document(const std::string& file);
    bool Rewrite(const std::string& file, const Rewriter& change);
    // The file replaced by a document worked out from what Document gave: refused (WriteError
    // EAGAIN), with the file unchanged, when another writer changed the file since.
    bool Replace(const std::string& file, ProfileDocument document);

    // Undo and redo (see UndoJournal): every change of a key or a whole file is recorded, except
    // the current card ("#Setting#" "CurID") and the input dialog's item ("Current" "ItemName"),
    // which are where the user is rather than what they made. EndUndoStep ends the step under
    // way; the application calls it after each user action.
    void EndUndoStep() { journal_.EndStep(); }
    bool CanUndo(const std::string& file) const { return journal_.CanUndo(file); }
    bool CanRedo(const std::string& file) const { return journal_.CanRedo(file); }
    UndoResult Undo(const std::string& file);
    UndoResult Redo(const std::string& file);
    void ForgetUndo(const std::string& file) { journal_.Forget(file); }
    // A program without undo (a command-line tool) keeps no history: a write of a whole file
    // then holds no copies of it before and after.
    void KeepNoUndo() { undoKept_ = false; }
    // From now on what is written to `from` is recorded in the undo history of `into` (see
    // JoinedUndo); an empty `from` ends that.
    void JoinUndo(const std::string& from, const std::string& into);

    // See ProfileSnapshot.
    void BeginSnapshot();
    void EndSnapshot();

private:
    struct Signature {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        bool operator==(const Signature& other) const;
        static Signature Of(const struct stat& info);
    };
    struct PendingWrite {
        std::string section, key, value;
    };
    struct Entry {
        std::string folder, name;
        int watch = -1;
        bool stale = true;
        bool loaded = false;
        bool readable = true;
        int readError = 0;
        int writeError = 0;
        Signature signature;
        Signature written;  // as the program's own last write left the file
        // The FileLock generation the file was read at (or an older one).
        std::uint64_t generation = kUnknownGeneration;
        std::uint64_t version = 0;
        std::uint64_t checkedIn = 0;  // the snapshot in which the file was last checked
        ProfileDocument document;
        std::vector<PendingWrite> pending;
    };

    static constexpr std::uint64_t kUnknownGeneration = static_cast<std::uint64_t>(-1);

    ProfileService() = default;
    Entry& Current(const std::string& file);
    void Reload(Entry& entry, const std::string& file);
    void ApplyNotifications();
    // Writes the file under its FileLock: the pending writes applied to the file as it is on disk
    // now, or the whole document that `change` makes of it. With `unchangedOnly` it is refused
    // (EAGAIN) when the file changed since it was read. 0 or an errno.
    int WriteLocked(Entry& entry, const std::string& file, const Rewriter* change, bool unchangedOnly);
    // Rewrite and Replace: the file checked, written under its lock, and the outcome recorded.
    bool WholeFileWrite(const std::string& file, const Rewriter& change, bool unchangedOnly);
    // Records the outcome of a read or write and tells the listener of failures and recoveries.
    // Returns whether it succeeded.
    bool Outcome(Entry& entry, const std::string& file, FileFailure::Action action, int error);
    // Writes one side of a step to every file it changed, all or none: the values before it
    // (undo) or after it (redo).
    UndoResult ApplyStep(const std::string& file, const UndoStep& step, bool redo);
    UndoResult TakeStep(const std::string& file, bool redo);

    FileWatch watch_;
    std::unordered_map<std::string, Entry> entries_;  // never erased: entries stay where they are
    std::string lastFile_;
    Entry* lastEntry_ = nullptr;  // the entry of lastFile_
    std::function<void(const FileFailure&)> listener_;
    std::size_t parses_ = 0;
    std::size_t reads_ = 0;
    int snapshotDepth_ = 0;
    std::uint64_t snapshot_ = 1;
    // Records a change made to `file` in the history it belongs to now.
    template <typename Record>
    void Journal(const std::string& file, const Record& record);
    // The files that a step of `file`'s history changes.
    static std::vector<std::string> ChangedFiles(const std::string& file, const UndoStep& step);

    UndoJournal journal_;
    bool recording_ = true;
    bool undoKept_ = true;
    std::string joinFrom_, joinInto_;
};

// While it lives, one user action that writes to two files is one step of the second file's
// undo history (choosing a label sheet writes the settings file and the record file): undoing
// that step in the second file restores both. Nothing is joined when both are the same file.
class JoinedUndo {
public:
    JoinedUndo(const std::string& from, const std::string& into) { ProfileService::Instance().JoinUndo(from, into); }
    ~JoinedUndo() { ProfileService::Instance().JoinUndo({}, {}); }
    JoinedUndo(const JoinedUndo&) = delete;
    JoinedUndo& operator=(const JoinedUndo&) = delete;
};

// While one lives, each file is checked for changes on disk once, at its first read: one drawing
// sees one state of every file, and a page of hundreds of reads does not ask the kernel each
// time. Writes made meanwhile are seen at once.
class ProfileSnapshot {
public:
    ProfileSnapshot();
    ~ProfileSnapshot();
    ProfileSnapshot(const ProfileSnapshot&) = delete;
    ProfileSnapshot& operator=(const ProfileSnapshot&) = delete;
};

}  // namespace profile
