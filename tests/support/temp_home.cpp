#include "tests/support/temp_home.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "store/codec.h"

TempHomeTest::TempHomeTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zulname-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    home_ = pattern;
    setenv("ZULNAME_HOME", home_.c_str(), 1);
}

TempHomeTest::~TempHomeTest() {
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
    unsetenv("ZULNAME_HOME");
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string S(std::string_view utf8) {
    std::string out;
    EXPECT_TRUE(codec::Utf8ToCp932(utf8, out)) << utf8;
    return out;
}
