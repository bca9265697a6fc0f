#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "store/profile_service.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"

// Writers in several processes, or several writers of one file: no write is lost.

namespace {

class ProfileSharingTest : public TempHomeTest {};

// Writes keys prefix0 … prefixN-1, flushing each one, as a program does that saves every change.
bool WriteKeys(const std::string& path, const std::string& prefix, int count) {
    const ProfileFile file(path);
    for (int i = 0; i < count; ++i)
        if (!file.WriteInt("s", prefix + std::to_string(i), i) || !file.Flush()) return false;
    return true;
}

}  // namespace

TEST_F(ProfileSharingTest, TwoProcessesWritingOneFileLoseNoWrite) {
    const std::string path = PathOf("shared.ini");
    constexpr int kWrites = 100;
    pid_t children[2];
    const char* prefixes[2] = {"a", "b"};
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) _exit(WriteKeys(path, prefixes[i], kWrites) ? 0 : 1);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    // A fresh path string, so that nothing this process cached is read.
    const ProfileFile file(Home() + "/./shared.ini");
    int missing = 0;
    for (const char* prefix : prefixes)
        for (int i = 0; i < kWrites; ++i) missing += file.ReadInt("s", prefix + std::to_string(i), -1) != i;
    EXPECT_EQ(missing, 0);
}

TEST_F(ProfileSharingTest, AReplacementThatLooksLikeTheReadFileIsStillSeen) {
    // Another writer replaces the file with one of the same size, time and inode number (inode
    // numbers are reused and file times are coarse); its write must still not be lost.
    const std::string path = PathOf("a.ini");
    const ProfileFile mine(path);
    EXPECT_TRUE(mine.WriteInt("s", "a", 1));
    EXPECT_TRUE(mine.Flush());
    struct stat original {};
    ASSERT_EQ(stat(path.c_str(), &original), 0);
    ASSERT_EQ(link(path.c_str(), PathOf("keep").c_str()), 0);  // holds the inode number

    const ProfileFile theirs(Home() + "/./a.ini");
    EXPECT_TRUE(theirs.WriteInt("s", "a", 2));
    EXPECT_TRUE(theirs.Flush());
    WriteBytes(PathOf("keep"), ReadBytes(path));
    const timespec times[2] = {original.st_atim, original.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, PathOf("keep").c_str(), times, 0), 0);
    std::filesystem::rename(PathOf("keep"), path);

    EXPECT_TRUE(mine.WriteInt("s", "b", 3));
    EXPECT_TRUE(mine.Flush());
    EXPECT_EQ(ReadBytes(path), "[s]\r\na=2\r\nb=3\r\n");
}

TEST_F(ProfileSharingTest, TheLockFileIsHiddenBesideTheFileAndOutlivesTheReplacement) {
    const ProfileFile file(PathOf("a.ini"));
    EXPECT_TRUE(file.WriteString("s", "k", "1"));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.WriteString("s", "k", "2"));
    EXPECT_TRUE(file.Flush());
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Home())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".a.ini.lock", "a.ini"}));
}

TEST_F(ProfileSharingTest, AWholeFileRewriteIsRefusedWhenAnotherWriterChangedTheFileMeanwhile) {
    const std::string path = PathOf("a.ini");
    WriteBytes(path, "[s]\r\na=1\r\n");
    auto& service = profile::ProfileService::Instance();
    profile::ProfileDocument rewritten = service.Document(path);
    rewritten.Set("s", "mine", "1");

    const ProfileFile theirs(Home() + "/./a.ini");
    EXPECT_TRUE(theirs.WriteInt("s", "theirs", 2));
    EXPECT_TRUE(theirs.Flush());
    EXPECT_FALSE(service.Replace(path, rewritten));
    EXPECT_EQ(service.WriteError(path), EAGAIN);
    EXPECT_EQ(ReadBytes(path), "[s]\r\na=1\r\ntheirs=2\r\n");

    // Worked out again from the file as it is now, it is written.
    rewritten = service.Document(path);
    rewritten.Set("s", "mine", "1");
    EXPECT_TRUE(service.Replace(path, rewritten));
    EXPECT_EQ(ReadBytes(path), "[s]\r\na=1\r\ntheirs=2\r\nmine=1\r\n");
}
