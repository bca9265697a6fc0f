#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What user actions changed in the profile files, step by step, for undo and redo. The profile
// service records every change as it is made: a key's stored value before and after (nothing
// before when the key was missing), or a whole file before and after (a card operation). The
// application ends a step after each user action; the changes to one file made meanwhile are
// one step of that file. A change can belong to another file than the history it is kept in:
// one user action that changes two files is then one step of the second (see JoinedUndo).
// History lives only while the program runs.
namespace profile {

struct UndoChange {
    bool wholeFile = false;
    std::string section, key;          // a key change
    std::optional<std::string> before;  // the stored value (whole file: its text)
    std::string after;
    std::string file;  // the file changed, when it is not the one whose history holds the change
};

struct UndoStep {
    std::vector<UndoChange> changes;  // in the order they were made
};

class UndoJournal {
public:
    static constexpr std::size_t kMostSteps = 100;
    // Whole-file texts are large: the oldest steps of a file go once its history, the step under
    // way included, holds more. A step under way that alone holds more cannot be undone: the
    // file's history is forgotten, and the rest of that step is not recorded.
    static constexpr std::size_t kMostBytes = 256u * 1024 * 1024;

    explicit UndoJournal(std::size_t mostBytes = kMostBytes) : mostBytes_(mostBytes) {}

    // file: whose history; changedFile: the file changed, when it is another.
    void RecordKey(const std::string& file, const std::string& section, const std::string& key,
                   std::optional<std::string> before, const std::string& after, const std::string& changedFile = {});
    void RecordWholeFile(const std::string& file, std::string before, std::string after,
                         const std::string& changedFile = {});
    // Ends the step under way in every file. A step that changed only the one key the step
    // before it changed (typing into one field, nudging one item) joins that step.
    void EndStep();

    bool CanUndo(const std::string& file) const;
    bool CanRedo(const std::string& file) const;
    // The step to undo (or redo), taken off its list; PutBack returns it when it could not be
    // applied, Undone and Redone move it to the other list once it was.
    UndoStep TakeUndo(const std::string& file);
    UndoStep TakeRedo(const std::string& file);
    void Undone(const std::string& file, UndoStep step);
    void Redone(const std::string& file, UndoStep step);
    void PutBackUndo(const std::string& file, UndoStep step);
    void PutBackRedo(const std::string& file, UndoStep step);
    // Forgets a file's history (it was changed by someone else).
    void Forget(const std::string& file);

private:
    struct History {
        std::deque<UndoStep> undo, redo;
        UndoStep open;
        std::size_t undoBytes = 0, openBytes = 0;  // what undo and open hold (see Bytes)
        bool overflowed = false;                   // the step under way outgrew mostBytes_
    };
    static std::size_t Bytes(const UndoChange& change);
    static std::size_t Bytes(const UndoStep& step);
    void Record(const std::string& file, UndoChange change);
    void Close(History& history);
    void PushUndo(History& history, UndoStep step);
    void Trim(History& history);

    std::size_t mostBytes_;
    std::map<std::string, History> files_;
};

}  // namespace profile
