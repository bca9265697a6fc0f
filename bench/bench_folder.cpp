#include "bench/bench_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace bench {

BenchFolder::BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zulname-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string BenchFolder::Write(const std::string& name, std::string_view bytes) const {
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

}  // namespace bench
