#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "store/profile_document.h"

// A record file read for its settings and a few of its cards: the sections of the cards that
// `wanted` (given a card's number) refuses are dropped as the file is read, so that a file of
// many cards is never held whole. The sections kept read as they do in the whole file.
struct RecordSections {
    profile::ProfileDocument doc;
    std::int32_t highestCard = -1;  // the highest number of a card section in the file, kept or not
};

// 0, or the errno of why the file could not be read (as ReadRegularFile, up to maxBytes).
int ReadRecordSections(const std::string& fsPath, std::size_t maxBytes, const std::function<bool(std::int32_t)>& wanted,
                       RecordSections& read);
