#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "store/atomic_file.h"
#include "store/profile_service.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"

// Where a flush writes, what it refuses to write, and what it tells when it fails.

namespace {

class ProfileWritesTest : public TempHomeTest {
protected:
    ~ProfileWritesTest() override { Service().SetFailureListener(nullptr); }

    static profile::ProfileService& Service() { return profile::ProfileService::Instance(); }

    static mode_t ModeOf(const std::string& path) {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }
    static ino_t InodeOf(const std::string& path) {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Home())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

TEST_F(ProfileWritesTest, AReadOnlyFileIsNotWrittenAndTheWritesWaitForTheNextFlush) {
    const std::string path = PathOf("r.ini");
    WriteBytes(path, "[a]\r\n");
    chmod(path.c_str(), 0444);
    const ino_t before = InodeOf(path);
    const ProfileFile file(path);
    EXPECT_TRUE(file.WriteString("a", "k", "typed"));
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(Service().WriteError(path), EACCES);
    EXPECT_EQ(InodeOf(path), before);
    EXPECT_EQ(ReadBytes(path), "[a]\r\n");
    // What was typed is still what the program shows …
    EXPECT_EQ(file.ReadString("a", "k", ""), "typed");
    // … and is stored by the first flush that can write.
    chmod(path.c_str(), 0644);
    EXPECT_TRUE(file.WriteString("a", "n", "2"));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(Service().WriteError(path), 0);
    EXPECT_EQ(ReadBytes(path), "[a]\r\nk=typed\r\nn=2\r\n");
}

TEST_F(ProfileWritesTest, TheModeOfTheFileIsKept) {
    const std::string path = PathOf("m.ini");
    WriteBytes(path, "");
    chmod(path.c_str(), 0640);
    const ProfileFile file(path);
    EXPECT_TRUE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(ModeOf(path), 0640u);
}

TEST_F(ProfileWritesTest, LinksAreWrittenThroughToTheirTargetsAndStayLinks) {
    std::filesystem::create_directory(PathOf("real"));
    WriteBytes(PathOf("real/a.ini"), "[s]\r\n");
    chmod(PathOf("real/a.ini").c_str(), 0600);
    // A relative link in another folder, and a link to that link.
    std::filesystem::create_symlink("real/a.ini", PathOf("rel.ini"));
    std::filesystem::create_symlink(PathOf("rel.ini"), PathOf("chain.ini"));
    const ProfileFile file(PathOf("chain.ini"));
    EXPECT_TRUE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("chain.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("rel.ini")));
    EXPECT_EQ(ReadBytes(PathOf("real/a.ini")), "[s]\r\nk=v\r\n");
    EXPECT_EQ(ModeOf(PathOf("real/a.ini")), 0600u);

    // A dangling link: the write creates the file it names.
    std::filesystem::create_symlink("real/new.ini", PathOf("dangling.ini"));
    const ProfileFile dangling(PathOf("dangling.ini"));
    EXPECT_TRUE(dangling.WriteString("s", "k", "new"));
    EXPECT_TRUE(dangling.Flush());
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("dangling.ini")));
    EXPECT_EQ(ReadBytes(PathOf("real/new.ini")), "[s]\r\nk=new\r\n");
}

// Every writer replaces regular files only: renamed over, a FIFO or a device would be gone.
TEST_F(ProfileWritesTest, AnythingButARegularFileIsRefusedAndLeftAsItIs) {
    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(PathOf("fifo"), PathOf("to-fifo"));
    std::filesystem::create_directory(PathOf("folder"));
    for (const std::string name : {"fifo", "to-fifo"}) {
        EXPECT_FALSE(ReplaceFileAtomically(PathOf(name), "x")) << name;
        EXPECT_EQ(errno, EINVAL) << name;
        const ProfileFile file(PathOf(name));
        EXPECT_FALSE(file.WriteString("s", "k", "v") && file.Flush()) << name;
    }
    EXPECT_FALSE(ReplaceFileAtomically(PathOf("folder"), "x"));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("to-fifo")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"fifo", "folder", "to-fifo"})) << "no temporary file is left";
    // Only root may rename over a device; it must not either.
    if (geteuid() == 0) {
        EXPECT_FALSE(ReplaceFileAtomically("/dev/null", "x"));
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    }
}

TEST_F(ProfileWritesTest, ALinkLoopIsReportedAsSuchAndNothingIsCreated) {
    std::filesystem::create_symlink(PathOf("loop2"), PathOf("loop1"));
    std::filesystem::create_symlink(PathOf("loop1"), PathOf("loop2"));
    const ProfileFile file(PathOf("loop1"));
    EXPECT_FALSE(file.WriteString("s", "k", "v") && file.Flush());
    EXPECT_EQ(Service().WriteError(PathOf("loop1")), ELOOP);
    EXPECT_EQ(Names(), (std::vector<std::string>{"loop1", "loop2"}));
}

TEST_F(ProfileWritesTest, AHardLinkedNameGetsANewFileAndTheOtherNameKeepsTheOldContent) {
    WriteBytes(PathOf("a.ini"), "[s]\r\nk=old\r\n");
    ASSERT_EQ(link(PathOf("a.ini").c_str(), PathOf("b.ini").c_str()), 0);
    const ProfileFile file(PathOf("a.ini"));
    EXPECT_TRUE(file.WriteString("s", "k", "new"));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(ReadBytes(PathOf("a.ini")), "[s]\r\nk=new\r\n");
    EXPECT_EQ(ReadBytes(PathOf("b.ini")), "[s]\r\nk=old\r\n");
}

TEST_F(ProfileWritesTest, StaleTemporaryCopiesOfTheFileAreRemovedByItsNextWrite) {
    WriteBytes(PathOf("a.ini"), "");
    // Left by writes killed before the rename …
    WriteBytes(PathOf(".a.ini.Ab3dE9"), "[s]\r\nk=stale\r\n");
    WriteBytes(PathOf(".a.ini.zzzzzz"), "");
    // … and files that only look alike.
    WriteBytes(PathOf(".a.ini.Ab3dE"), "");
    WriteBytes(PathOf(".a.ini.Ab3dE9x"), "");
    WriteBytes(PathOf(".a.ini.bak-01"), "");
    WriteBytes(PathOf(".b.ini.Ab3dE9"), "");
    std::filesystem::create_directory(PathOf(".a.ini.folder"));
    const ProfileFile file(PathOf("a.ini"));
    EXPECT_TRUE(file.WriteString("s", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(Names(), (std::vector<std::string>{".a.ini.Ab3dE", ".a.ini.Ab3dE9x", ".a.ini.bak-01", ".a.ini.folder",
                                                 ".a.ini.lock", ".b.ini.Ab3dE9", "a.ini"}));
}

TEST_F(ProfileWritesTest, AFileOverTheSizeLimitIsRefusedWithoutBeingRead) {
    const std::string path = PathOf("huge.ini");
    WriteBytes(path, "[s]\r\nk=1\r\n");
    std::filesystem::resize_file(path, profile::kMaxFileBytes + 1);  // sparse: costs no disk
    std::vector<profile::FileFailure> failures;
    Service().SetFailureListener([&](const profile::FileFailure& failure) { failures.push_back(failure); });
    const ProfileFile file(path);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(file.ReadInt("s", "k", 7), 7);
    EXPECT_EQ(Service().ReadError(path), EFBIG);
    EXPECT_FALSE(file.WriteString("s", "k", "2"));
    EXPECT_EQ(Service().WriteError(path), EFBIG);
    EXPECT_EQ(std::filesystem::file_size(path), profile::kMaxFileBytes + 1);
    // The refused read is told once, not at every read; the refused write once more.
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].file, path);
    EXPECT_EQ(failures[0].action, profile::FileFailure::Action::Read);
    EXPECT_EQ(failures[0].error, EFBIG);
    EXPECT_EQ(failures[1].action, profile::FileFailure::Action::Write);

    // Back under the limit, it is read again.
    std::filesystem::resize_file(path, 10);
    EXPECT_EQ(file.ReadInt("s", "k", 7), 1);
    EXPECT_EQ(Service().ReadError(path), 0);
}

TEST_F(ProfileWritesTest, EachFailedFlushIsToldWithTheFileAndTheReason) {
    const std::string path = PathOf("r.ini");
    WriteBytes(path, "");
    chmod(path.c_str(), 0444);
    std::vector<profile::FileFailure> failures;
    Service().SetFailureListener([&](const profile::FileFailure& failure) { failures.push_back(failure); });
    const ProfileFile file(path);
    file.WriteString("s", "k", "1");
    file.Flush();
    file.WriteString("s", "k", "2");
    file.Flush();
    ProfileFile(PathOf("gone/a.ini")).WriteString("s", "k", "v");
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0].file, path);
    EXPECT_EQ(failures[0].action, profile::FileFailure::Action::Write);
    EXPECT_EQ(failures[0].error, EACCES);
    EXPECT_EQ(failures[2].file, PathOf("gone/a.ini"));
    EXPECT_EQ(failures[2].error, ENOENT);
}
