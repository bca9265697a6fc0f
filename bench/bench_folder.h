#pragma once

#include <string>
#include <string_view>

namespace bench {

// A temporary folder for the files on disk, removed when the program ends.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes the file under that name afresh and returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const;

private:
    std::string path_;
};

}  // namespace bench
