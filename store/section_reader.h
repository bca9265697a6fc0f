#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/profile_service.h"
#include "store/profiles.h"

// The keys of one section of a record file read many times in a row, as a card's layers read
// them while it is drawn: the section is found once, and each key by a name hashed once. Reads
// give what RecordProfile's reads give.
class SectionReader {
public:
    SectionReader(const RecordProfile& record, std::string section);

    std::int32_t ReadInt(const profile::KeyName& key, std::int32_t defaultValue) const;
    std::string ReadString(const profile::KeyName& key, std::string_view defaultValue) const;
    // The whole value, not cut at the length of an ordinary read.
    std::string ReadFullString(const profile::KeyName& key, std::string_view defaultValue) const;

private:
    const std::string& file_;
    mutable profile::ProfileService::FoundSection section_;
};
