#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "store/profile_service.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"

namespace {

ino_t InodeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class ProfileFileTest : public TempHomeTest {};

}  // namespace

TEST_F(ProfileFileTest, WritesReachTheDiskOnlyWithFlushAsOneAtomicReplace) {
    const ProfileFile file(PathOf("a.ini"));
    WriteBytes(file.FsPath(), "[s]\r\nk=old\r\n");
    const ino_t before = InodeOf(file.FsPath());
    EXPECT_TRUE(file.WriteString("s", "k", "new"));
    EXPECT_TRUE(file.WriteInt("s", "n", -5));
    EXPECT_EQ(file.ReadString("s", "k", ""), "new");
    EXPECT_EQ(ReadBytes(file.FsPath()), "[s]\r\nk=old\r\n");
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(ReadBytes(file.FsPath()), "[s]\r\nk=new\r\nn=-5\r\n");
    EXPECT_NE(InodeOf(file.FsPath()), before);
    // No temporary file is left beside it, only the writers' lock file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Home()), std::filesystem::directory_iterator()), 2);
    EXPECT_TRUE(std::filesystem::exists(PathOf(".a.ini.lock")));
}

TEST_F(ProfileFileTest, WritingTheStoredValueLeavesTheFileAlone) {
    const ProfileFile file(PathOf("a.ini"));
    WriteBytes(file.FsPath(), "[s]\nk=v\n");
    const ino_t before = InodeOf(file.FsPath());
    EXPECT_TRUE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(InodeOf(file.FsPath()), before);
}

TEST_F(ProfileFileTest, WrittenTextCannotCreateLinesAndLosesLeadingBlanks) {
    const ProfileFile file(PathOf("a.ini"));
    EXPECT_TRUE(file.WriteString(" s ", " k ", "  one\r\n[evil]\nx=1"));
    EXPECT_TRUE(file.WriteString("s", "multi\nline", "v"));
    EXPECT_FALSE(file.WriteString("s", "[x]", "v"));
    EXPECT_FALSE(file.WriteString("s", "", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(ReadBytes(file.FsPath()), "[s]\r\nk=one  [evil] x=1\r\nmulti line=v\r\n");
    EXPECT_EQ(file.ReadString("evil", "x", "none"), "none");
}

TEST_F(ProfileFileTest, SeesChangesMadeByOtherProgramsAtOnce) {
    const ProfileFile file(PathOf("a.ini"));
    WriteBytes(file.FsPath(), "[s]\nk=1\n");
    EXPECT_EQ(file.ReadInt("s", "k", 0), 1);
    WriteBytes(file.FsPath(), "[s]\nk=2\n");  // same size, same inode, rewritten in place
    EXPECT_EQ(file.ReadInt("s", "k", 0), 2);
    std::filesystem::remove(file.FsPath());
    EXPECT_EQ(file.ReadInt("s", "k", 0), 0);
    WriteBytes(PathOf("other.ini"), "[s]\nk=3\n");
    std::filesystem::rename(PathOf("other.ini"), file.FsPath());
    EXPECT_EQ(file.ReadInt("s", "k", 0), 3);
}

TEST_F(ProfileFileTest, PendingWritesSurviveAnEditMadeMeanwhile) {
    const ProfileFile file(PathOf("a.ini"));
    WriteBytes(file.FsPath(), "[s]\r\na=1\r\n");
    EXPECT_TRUE(file.WriteString("s", "mine", "x"));
    WriteBytes(file.FsPath(), "[s]\r\na=1\r\ntheirs=y\r\n");
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(ReadBytes(file.FsPath()), "[s]\r\na=1\r\ntheirs=y\r\nmine=x\r\n");
}

TEST_F(ProfileFileTest, AMissingFolderIsNeverCreated) {
    const ProfileFile file(PathOf("gone/a.ini"));
    EXPECT_EQ(file.ReadString("s", "k", "d"), "d");
    EXPECT_FALSE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_FALSE(std::filesystem::exists(PathOf("gone")));
    EXPECT_EQ(file.ReadString("s", "k", "d"), "d");
}

TEST_F(ProfileFileTest, AFolderInPlaceOfTheFileReadsDefaultsAndRefusesWrites) {
    std::filesystem::create_directory(PathOf("dir.ini"));
    const ProfileFile file(PathOf("dir.ini"));
    EXPECT_EQ(file.ReadInt("s", "k", 7), 7);
    EXPECT_FALSE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("dir.ini")));
}

TEST_F(ProfileFileTest, ASymbolicLinkStaysALink) {
    WriteBytes(PathOf("real.ini"), "");
    std::filesystem::create_symlink(PathOf("real.ini"), PathOf("link.ini"));
    const ProfileFile file(PathOf("link.ini"));
    EXPECT_TRUE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.ini")));
    EXPECT_EQ(ReadBytes(PathOf("real.ini")), "[s]\r\nk=v\r\n");
}

TEST_F(ProfileFileTest, RecordReadsFallBackToSettingsUntilAPathIsSet) {
    const SettingsProfile settings;
    EXPECT_EQ(settings.FsPath(), PathOf("ZULNAME.INI"));
    settings.WriteString("Current", "Genre", S("来賓"));
    settings.Flush();

    RecordProfile record;
    EXPECT_EQ(record.ReadString("Current", "Genre", ""), S("来賓"));
    EXPECT_FALSE(record.WriteString("Current", "Genre", "x"));
    record.Flush();
    EXPECT_EQ(settings.ReadString("Current", "Genre", ""), S("来賓"));

    record.SetPath(S("") + Home() + "/" + S("記録.ini"));
    EXPECT_EQ(record.ReadString("Current", "Genre", "none"), "none");
    EXPECT_TRUE(record.WriteInt("#Setting#", "CurID", 3));
    EXPECT_TRUE(record.Flush());
    EXPECT_EQ(ReadBytes(PathOf("記録.ini")), "[#Setting#]\r\nCurID=3\r\n");
}

TEST_F(ProfileFileTest, AFileIsParsedOnlyWhenItChanges) {
    const ProfileFile file(PathOf("a.ini"));
    WriteBytes(file.FsPath(), "[s]\nk=1\nlist=" + std::string(400, 'x') + "\n");
    auto& service = profile::ProfileService::Instance();
    file.ReadInt("s", "k", 0);
    const std::size_t parses = service.ParseCount();
    for (int i = 0; i < 100; ++i) file.ReadInt("s", "k", 0);
    EXPECT_EQ(service.ParseCount(), parses);
    EXPECT_EQ(file.ReadString("s", "list", "").size(), 259u);
    EXPECT_EQ(file.ReadFullString("s", "list", "").size(), 400u);
    WriteBytes(file.FsPath(), "[s]\nk=2\n");
    EXPECT_EQ(file.ReadInt("s", "k", 0), 2);
    EXPECT_EQ(service.ParseCount(), parses + 1);
}

TEST_F(ProfileFileTest, ASnapshotSeesOneStateOfTheFileButItsOwnWrites) {
    const ProfileFile file(PathOf("a.ini"));
    WriteBytes(file.FsPath(), "[s]\nk=1\n");
    auto& service = profile::ProfileService::Instance();
    const std::uint64_t before = service.Version(file.FsPath());
    {
        const profile::ProfileSnapshot snapshot;
        EXPECT_EQ(file.ReadInt("s", "k", 0), 1);
        WriteBytes(file.FsPath(), "[s]\nk=2\n");
        EXPECT_EQ(file.ReadInt("s", "k", 0), 1);
        file.WriteInt("s", "mine", 3);
        EXPECT_EQ(file.ReadInt("s", "mine", 0), 3);
    }
    EXPECT_EQ(file.ReadInt("s", "k", 0), 2);
    EXPECT_EQ(file.ReadInt("s", "mine", 0), 3);  // the pending write survives the reload
    EXPECT_NE(service.Version(file.FsPath()), before);
}
