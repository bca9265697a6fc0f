#include "store/undo_journal.h"

#include <iterator>
#include <utility>

namespace profile {
namespace {

// Whether a step changed exactly one key, and which.
const UndoChange* SingleKey(const UndoStep& step) {
    const UndoChange* only = nullptr;
    for (const UndoChange& change : step.changes) {
        if (change.wholeFile) return nullptr;
        if (only != nullptr && (only->file != change.file || only->section != change.section || only->key != change.key))
            return nullptr;
        only = &change;
    }
    return only;
}

}  // namespace

void UndoJournal::RecordKey(const std::string& file, const std::string& section, const std::string& key,
                            std::optional<std::string> before, const std::string& after, const std::string& changedFile) {
    Record(file, {false, section, key, std::move(before), after, changedFile});
}

void UndoJournal::RecordWholeFile(const std::string& file, std::string before, std::string after,
                                  const std::string& changedFile) {
    Record(file, {true, {}, {}, std::move(before), std::move(after), changedFile});
}

void UndoJournal::Record(const std::string& file, UndoChange change) {
    History& history = files_[file];
    if (history.overflowed) return;
    history.openBytes += Bytes(change);
    history.open.changes.push_back(std::move(change));
    if (history.openBytes > mostBytes_) {
        // Too large to keep. The older steps go too: undoing one of them over a change that was
        // not recorded would bring back a state that never was.
        history = {};
        history.overflowed = true;
        return;
    }
    Trim(history);
}

void UndoJournal::Close(History& history) {
    if (history.overflowed) {
        history.overflowed = false;
        return;
    }
    if (history.open.changes.empty()) return;
    UndoStep step = std::move(history.open);
    history.open = {};
    history.openBytes = 0;
    history.redo.clear();
    const UndoChange* key = SingleKey(step);
    const UndoChange* previous = history.undo.empty() ? nullptr : SingleKey(history.undo.back());
    if (key != nullptr && previous != nullptr && key->file == previous->file && key->section == previous->section &&
        key->key == previous->key) {
        UndoStep& joined = history.undo.back();
        history.undoBytes += Bytes(step);
        joined.changes.insert(joined.changes.end(), std::make_move_iterator(step.changes.begin()),
                              std::make_move_iterator(step.changes.end()));
        Trim(history);
    } else {
        PushUndo(history, std::move(step));
    }
}

void UndoJournal::PushUndo(History& history, UndoStep step) {
    history.undoBytes += Bytes(step);
    history.undo.push_back(std::move(step));
    Trim(history);
}

std::size_t UndoJournal::Bytes(const UndoChange& change) {
    return change.file.size() + change.section.size() + change.key.size() + (change.before ? change.before->size() : 0) +
           change.after.size();
}

std::size_t UndoJournal::Bytes(const UndoStep& step) {
    std::size_t bytes = 0;
    for (const UndoChange& change : step.changes) bytes += Bytes(change);
    return bytes;
}

void UndoJournal::Trim(History& history) {
    while (!history.undo.empty() &&
           (history.undo.size() > kMostSteps || history.undoBytes + history.openBytes > mostBytes_)) {
        history.undoBytes -= Bytes(history.undo.front());
        history.undo.pop_front();
    }
}

void UndoJournal::EndStep() {
    for (auto& [file, history] : files_) Close(history);
}

bool UndoJournal::CanUndo(const std::string& file) const {
    const auto found = files_.find(file);
    return found != files_.end() && (!found->second.undo.empty() || !found->second.open.changes.empty());
}

bool UndoJournal::CanRedo(const std::string& file) const {
    const auto found = files_.find(file);
    return found != files_.end() && !found->second.redo.empty() && found->second.open.changes.empty();
}

UndoStep UndoJournal::TakeUndo(const std::string& file) {
    History& history = files_[file];
    Close(history);
    if (history.undo.empty()) return {};
    UndoStep step = std::move(history.undo.back());
    history.undo.pop_back();
    history.undoBytes -= Bytes(step);
    return step;
}

UndoStep UndoJournal::TakeRedo(const std::string& file) {
    History& history = files_[file];
    if (history.redo.empty()) return {};
    UndoStep step = std::move(history.redo.back());
    history.redo.pop_back();
    return step;
}

void UndoJournal::Undone(const std::string& file, UndoStep step) { files_[file].redo.push_back(std::move(step)); }

void UndoJournal::Redone(const std::string& file, UndoStep step) { PushUndo(files_[file], std::move(step)); }

void UndoJournal::PutBackUndo(const std::string& file, UndoStep step) { PushUndo(files_[file], std::move(step)); }

void UndoJournal::PutBackRedo(const std::string& file, UndoStep step) { files_[file].redo.push_back(std::move(step)); }

void UndoJournal::Forget(const std::string& file) { files_.erase(file); }

}  // namespace profile
