#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// A fresh, empty $ZULNAME_HOME for each test, removed afterwards. It is set up in the
// constructor, so that members of derived fixtures already see it.
class TempHomeTest : public ::testing::Test {
protected:
    TempHomeTest();
    ~TempHomeTest() override;

    // A path inside the home folder (UTF-8, file system).
    std::string PathOf(std::string_view name) const { return home_ + "/" + std::string(name); }
    const std::string& Home() const { return home_; }

private:
    std::string home_;
};

// Whole-file helpers that bypass the program's own reader and writer.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// Code page 932 bytes of a UTF-8 test literal.
std::string S(std::string_view utf8);
