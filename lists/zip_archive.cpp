#include "lists/zip_archive.h"

#include <zip.h>

namespace {

// A list unpacks to far less; more is a damaged or hostile archive. The XML reader holds a text
// at two bytes a character besides the part, so a part stays well under the table's budget.
constexpr zip_uint64_t kMaxEntrySize = 128ull * 1024 * 1024;

}  // namespace

ZipArchive::~ZipArchive() {
    if (archive_ != nullptr) zip_discard(archive_);
}

bool ZipArchive::Open(std::string_view bytes, std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    if (source != nullptr) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
        if (archive_ == nullptr) zip_source_free(source);
    }
    if (archive_ == nullptr) error = std::string("壊れた zip ファイルです (") + zip_error_strerror(&zipError) + ")";
    zip_error_fini(&zipError);
    return archive_ != nullptr;
}

bool ZipArchive::Has(const std::string& name) const {
    return archive_ != nullptr && zip_name_locate(archive_, name.c_str(), 0) >= 0;
}

std::optional<std::string> ZipArchive::Read(const std::string& name, std::string& error) const {
    zip_stat_t stat;
    if (archive_ == nullptr || zip_stat(archive_, name.c_str(), 0, &stat) != 0) {
        error = name + " がありません";
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        error = "暗号化されています";
        return std::nullopt;
    }
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxEntrySize) {
        error = name + " が大きすぎます";
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(archive_, stat.index, 0);
    if (file == nullptr) {
        error = name + " を開けません (" + zip_strerror(archive_) + ")";
        return std::nullopt;
    }
    // Read in pieces rather than trusting the stated size with one allocation; reading to the end
    // makes libzip check the entry's checksum.
    std::string content;
    char chunk[65536];
    zip_int64_t read = 0;
    while ((read = zip_fread(file, chunk, sizeof chunk)) > 0 && content.size() <= stat.size)
        content.append(chunk, static_cast<std::size_t>(read));
    const bool complete = read == 0 && content.size() == stat.size;
    if (!complete) error = name + " が壊れています (" + zip_file_strerror(file) + ")";
    zip_fclose(file);
    if (!complete) return std::nullopt;
    return content;
}
