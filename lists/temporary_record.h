#pragma once

#include <optional>
#include <string>

#include "lists/import_plan.h"
#include "store/card_design.h"

// A record file in a temporary folder made from another one: its sections other than the cards
// (label slot, layout, print options, frames) and, as cards, the people of a planned import with
// one design. What a list prints through, and the tag the import dialog previews; the user's
// own files are only read. Removed with its folder when this goes or is made again.
class TemporaryRecord {
public:
    TemporaryRecord() = default;
    ~TemporaryRecord();
    TemporaryRecord(const TemporaryRecord&) = delete;
    TemporaryRecord& operator=(const TemporaryRecord&) = delete;

    // Texts of items that are not in the item list are left out (no item is added anywhere).
    // False, with a one-line problem, when the file cannot be written.
    bool Make(const std::string& sourceFsPath, const ImportPlan& plan, const std::optional<cards::Design>& design,
              std::string& problem);
    void Remove();

    // The file (file-system path), empty before Make.
    const std::string& FsPath() const { return fsPath_; }

private:
    std::string folder_;
    std::string fsPath_;
};
