// A mutator for the list-reader fuzzer that reaches inside workbooks: their XML parts are
// deflated in a zip archive, so changing the archive's bytes mostly breaks a checksum and never
// says "repeat this cell a million times". Half the time it unpacks the archive, mutates one
// entry and packs it again; otherwise, and for inputs that are not zip archives, it mutates the
// bytes as they are.

#include <zip.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Entries larger than this are left alone, keeping the mutator quick.
constexpr zip_uint64_t kMaxEntryBytes = 16u * 1024 * 1024;

std::optional<Entries> Unpack(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source != nullptr ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(source);
        return std::nullopt;
    }
    Entries entries;
    bool whole = true;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count && whole; ++i) {
        zip_stat_t stat;
        zip_file_t* file = nullptr;
        whole = zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) == 0 && (stat.valid & ZIP_STAT_NAME) &&
                (stat.valid & ZIP_STAT_SIZE) && stat.size <= kMaxEntryBytes &&
                (file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0)) != nullptr;
        if (!whole) break;
        std::string content(stat.size, '\0');
        whole = zip_fread(file, content.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
        zip_fclose(file);
        entries.emplace_back(stat.name, std::move(content));
    }
    zip_discard(archive);
    if (!whole) return std::nullopt;
    return entries;
}

// The entries deflated into a new archive; empty when libzip fails.
std::string Pack(const Entries& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer != nullptr ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(buffer);
        return {};
    }
    zip_source_keep(buffer);  // the archive frees its source on closing; the bytes are read after
    bool added = true;
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            added = false;
            break;
        }
    }
    if (!added || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(buffer);
        return {};
    }
    std::string packed;
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && zip_source_open(buffer) == 0) {
        packed.resize(stat.size);
        if (zip_source_read(buffer, packed.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) packed.clear();
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return packed;
}

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
    std::minstd_rand random(seed);
    if (random() % 2 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    std::optional<Entries> entries = Unpack(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!entries || entries->empty()) return LLVMFuzzerMutate(data, size, maxSize);
    std::string& content = (*entries)[random() % entries->size()].second;
    const std::size_t before = content.size();
    content.resize(before + before / 2 + 64);  // room to grow
    content.resize(LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(content.data()), before, content.size()));
    const std::string packed = Pack(*entries);
    if (packed.empty() || packed.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, packed.data(), packed.size());
    return packed.size();
}
