#include "store/undo_journal.h"

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
    History& history = files_[file];
    history.open.changes.push_back({false, section, key, std::move(before), after, changedFile});
}

void UndoJournal::RecordWholeFile(const std::string& file, std::string before, std::string after,
                                  const std::string& changedFile) {
    History& history = files_[file];
    history.open.changes.push_back({true, {}, {}, std::move(before), std::move(after), changedFile});
}

void UndoJournal::Close(History& history) {
    if (history.open.changes.empty()) return;
    UndoStep step = std::move(history.open);
    history.open = {};
    history.redo.clear();
    const UndoChange* key = SingleKey(step);
    const UndoChange* previous = history.undo.empty() ? nullptr : SingleKey(history.undo.back());
    if (key != nullptr && previous != nullptr && key->file == previous->file && key->section == previous->section &&
        key->key == previous->key) {
        UndoStep& joined = history.undo.back();
        joined.changes.insert(joined.changes.end(), step.changes.begin(), step.changes.end());
    } else {
        history.undo.push_back(std::move(step));
    }
    Trim(history);
}

std::size_t UndoJournal::Bytes(const UndoStep& step) {
    std::size_t bytes = 0;
    for (const UndoChange& change : step.changes)
        bytes += change.file.size() + change.section.size() + change.key.size() + (change.before ? change.before->size() : 0) +
                 change.after.size();
    return bytes;
}

void UndoJournal::Trim(History& history) {
    while (history.undo.size() > kMostSteps) history.undo.pop_front();
    std::size_t bytes = 0;
    for (const UndoStep& step : history.undo) bytes += Bytes(step);
    while (history.undo.size() > 1 && bytes > kMostBytes) {
        bytes -= Bytes(history.undo.front());
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

void UndoJournal::Redone(const std::string& file, UndoStep step) {
    History& history = files_[file];
    history.undo.push_back(std::move(step));
    Trim(history);
}

void UndoJournal::PutBackUndo(const std::string& file, UndoStep step) { files_[file].undo.push_back(std::move(step)); }

void UndoJournal::PutBackRedo(const std::string& file, UndoStep step) { files_[file].redo.push_back(std::move(step)); }

void UndoJournal::Forget(const std::string& file) { files_.erase(file); }

}  // namespace profile
