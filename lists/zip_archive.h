#pragma once

#include <optional>
#include <string>
#include <string_view>

struct zip;

// A zip archive held in memory (a workbook), read through libzip.
class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // False, with a message, when the bytes are not a readable zip archive. The bytes must
    // outlive the archive.
    bool Open(std::string_view bytes, std::string& error);

    bool Has(const std::string& name) const;
    // The whole entry, or nothing (message in error) when it is missing, damaged, encrypted or
    // larger than the limit of what a list may unpack to.
    std::optional<std::string> Read(const std::string& name, std::string& error) const;

private:
    zip* archive_ = nullptr;
};
