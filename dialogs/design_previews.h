#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "designs/design.h"
#include "lists/temporary_record.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// The tag of each design as it would print from a record file: for each design a record file in
// memory with the record's sections other than its cards (label sizes, layout, print options),
// the label slot's frame of the design, and one card in the design holding the texts of one of
// the record's cards, or sample texts when that card has none.
class DesignPreviews {
public:
    // slot: the label slot (1…3) whose size the designs are scaled to; card: whose texts are shown.
    void Make(const SettingsProfile& settings, const cards::RecordCards& record, std::int32_t slot, std::int32_t card,
              const std::vector<designs::Design>& designs);
    // The record file of the index-th design (file-system path); empty when it could not be made.
    const std::string& FsPath(std::size_t index) const;

private:
    std::vector<std::unique_ptr<TemporaryRecord>> records_;
};
