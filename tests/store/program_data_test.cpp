#include <gtest/gtest.h>

#include <filesystem>

#include "store/program_data.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;

class ProgramDataTest : public TempHomeTest {
protected:
    fs::path Root() const { return fs::path(Home()); }
};

TEST_F(ProgramDataTest, AnInstalledProgramFindsItsShareFolderBesideItsBinFolder) {
    fs::create_directories(Root() / "usr/bin");
    fs::create_directories(Root() / "usr/share/zulname/help");
    const std::string found =
        ProgramDataFolderFor((Root() / "usr/bin/zulname").string(), "../share/zulname", "/source/resources");
    EXPECT_EQ(found, (Root() / "usr/share/zulname").string());
    EXPECT_TRUE(fs::is_directory(fs::path(found) / "help"));
}

TEST_F(ProgramDataTest, AProgramInTheBuildTreeFindsTheSourceResources) {
    fs::create_directories(Root() / "build/app");
    EXPECT_EQ(ProgramDataFolderFor((Root() / "build/app/zulname").string(), "../share/zulname", "/source/resources"),
              "/source/resources");
    // A file of the folder's name is no installation either.
    fs::create_directories(Root() / "build/share");
    WriteBytes((Root() / "build/share/zulname").string(), "x");
    EXPECT_EQ(ProgramDataFolderFor((Root() / "build/app/zulname").string(), "../share/zulname", "/source/resources"),
              "/source/resources");
    // Nor is an unknown program file.
    EXPECT_EQ(ProgramDataFolderFor("", "../share/zulname", "/source/resources"), "/source/resources");
}

TEST(ProgramDataFolderTest, TheTestsFindTheHelpPagesOfTheSourceTree) {
    EXPECT_TRUE(fs::is_regular_file(fs::path(ProgramDataFolder()) / "help/index.html"));
}
