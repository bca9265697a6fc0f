#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lists/temporary_record.h"
#include "store/card_operations.h"
#include "store/profile_document.h"
#include "store/record_sections.h"
#include "tools/list_options.h"

// What `zulname-export --list` draws: a temporary record file with the sections of a record file
// other than its cards (layout, print options, label slot) and, as cards, the rows of a list, each
// with the design of one card of the record file, or with a design given. No profile file of the
// user is written; the copy is removed when this goes.
class ListRecord {
public:
    // sourceFsPath is the record file; designCard < 0 takes its current card. False, with a
    // one-line problem, when the list cannot be read or gives nothing to print. Remarks about
    // rows (skipped, changed) go to notes.
    bool Make(const std::string& sourceFsPath, const std::string& listPath, const list_tool::ListOptions& options,
              std::int32_t designCard, std::string& problem, std::vector<std::string>& notes);
    // The same from a record file read into memory (empty for none), every row with the card
    // keys `design`, and `sections` in place of the source's (the design's frame).
    bool Make(const profile::ProfileDocument& source, const std::string& listPath, const list_tool::ListOptions& options,
              const cards::Design& design, const std::vector<cards::SectionKeys>& sections, std::string& problem,
              std::vector<std::string>& notes);

    // The temporary record file (file-system path).
    const std::string& FsPath() const { return record_.FsPath(); }

private:
    TemporaryRecord record_;
};

// The record file read once, not through the profile service, which would keep every card of it
// in memory while the copy is drawn, with only the cards `wanted` takes (by number). False, with
// a one-line problem, when it cannot be read.
bool ReadRecordDocument(const std::string& fsPath, const std::function<bool(std::int32_t)>& wanted, RecordSections& read,
                        std::string& problem);
