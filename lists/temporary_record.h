#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lists/import_plan.h"
#include "store/card_design.h"
#include "store/memory_file.h"
#include "store/card_operations.h"
#include "store/profile_document.h"

// A record file made from another one: its sections other than the cards (label slot, layout,
// print options, frames) and, as cards, the people of a planned import with one design. What a
// list prints through, and the tag the import dialog previews; the user's own files are only
// read. It is a MemoryFile, so that nobody else can read the people in it and nothing of it
// stays behind. Gone when this goes or is made again.
class TemporaryRecord {
public:

    // Texts of items that are not in the item list are left out (no item is added anywhere).
    // Each of `sections` takes the place of the source's section of that name (a frame of
    // another design); one without keys leaves that section out. False, with a one-line problem,
    // when the file cannot be made.
    bool Make(const profile::ProfileDocument& source, const ImportPlan& plan, const std::optional<cards::Design>& design,
              std::string& problem, const std::vector<cards::SectionKeys>& sections = {});
    // The same from the record file at sourceFsPath, as the profile service reads it.
    bool Make(const std::string& sourceFsPath, const ImportPlan& plan, const std::optional<cards::Design>& design,
              std::string& problem, const std::vector<cards::SectionKeys>& sections = {});
    void Remove();

    // The file (file-system path), empty before Make.
    const std::string& FsPath() const { return file_.FsPath(); }

private:
    MemoryFile file_;
};
