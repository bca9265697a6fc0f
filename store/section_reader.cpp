#include "store/section_reader.h"

#include "store/profile_value.h"

SectionReader::SectionReader(const RecordProfile& record, std::string section) : file_(record.ReadFsPath()) {
    section_.name = std::move(section);
}

std::int32_t SectionReader::ReadInt(const profile::KeyName& key, std::int32_t defaultValue) const {
    return profile::IntResult(profile::ProfileService::Instance().Find(file_, section_, key), defaultValue);
}

std::string SectionReader::ReadString(const profile::KeyName& key, std::string_view defaultValue) const {
    return profile::StringResult(profile::ProfileService::Instance().Find(file_, section_, key), defaultValue);
}

std::string SectionReader::ReadFullString(const profile::KeyName& key, std::string_view defaultValue) const {
    return profile::StringResult(profile::ProfileService::Instance().Find(file_, section_, key), defaultValue,
                                 static_cast<std::size_t>(-1));
}
