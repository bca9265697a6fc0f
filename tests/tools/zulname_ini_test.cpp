#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/private_tmpfs.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

class ZulnameIniTest : public TempHomeTest {
protected:
    ToolOutcome Run(const std::vector<std::string>& args) const { return RunTool(ZULNAME_INI_PATH, args, Home()); }

    std::string File() const { return PathOf("名札.ini"); }
};

}  // namespace

TEST_F(ZulnameIniTest, ReadsStoredTextAsUtf8) {
    WriteBytes(File(), "[" + S("来賓") + "]\r\n" + S("役職") + "=" + S("部長") + "\r\n" + S("表示") + "=" +
                           S("表ソ") + "\r\nXpos= 12abc\r\n");
    EXPECT_EQ(Run({"get", File(), "来賓", "役職"}).out, "部長\n");
    EXPECT_EQ(Run({"get", File(), "来賓", "表示"}).out, "表ソ\n");
    EXPECT_EQ(Run({"get", File(), "来賓", "氏名", "なし"}).out, "なし\n");
    EXPECT_EQ(Run({"get", File(), "来賓", "氏名"}).out, "\n");
    EXPECT_EQ(Run({"getint", File(), "来賓", "XPOS"}).out, "12\n");
    EXPECT_EQ(Run({"getint", File(), "来賓", "Ypos", "-7cm"}).out, "-7\n");
    EXPECT_EQ(Run({"getint", File(), "来賓", "Ypos"}).out, "0\n");
    EXPECT_EQ(Run({"get", PathOf("missing.ini"), "s", "k", "d"}).out, "d\n");
}

TEST_F(ZulnameIniTest, WritesCodePage932AndKeepsTheRestOfTheFile) {
    EXPECT_EQ(Run({"set", File(), "生徒", "氏名", "山田 太郎"}).status, 0);
    EXPECT_EQ(ReadBytes(File()), "[" + S("生徒") + "]\r\n" + S("氏名") + "=" + S("山田 太郎") + "\r\n");

    WriteBytes(File(), "; note\n[s]\nk=1\nother=x\n");
    EXPECT_EQ(Run({"set", File(), "S", "K", "２"}).status, 0);
    EXPECT_EQ(ReadBytes(File()), "; note\n[s]\nk=" + S("２") + "\nother=x\n");
}

TEST_F(ZulnameIniTest, RawModeCarriesBytesBothWays) {
    // 88 9F is 亜; 5C is a backslash; 81 20 is no character at all.
    EXPECT_EQ(Run({"--raw", "set", File(), "s", "k", "\\x88\\x9f\\\\\\x81 x"}).status, 0);
    EXPECT_EQ(ReadBytes(File()), "[s]\r\nk=\x88\x9f\\\x81 x\r\n");
    EXPECT_EQ(Run({"--raw", "get", File(), "s", "k"}).out, "\x88\x9f\\\x81 x\n");
    ExpectFailure(Run({"get", File(), "s", "k"}), 1, "--raw");

    EXPECT_EQ(Run({"--raw", "set", File(), "\\x95\\x5C", "k", "v"}).status, 0);
    EXPECT_EQ(Run({"get", File(), "表", "k"}).out, "v\n");
}

TEST_F(ZulnameIniTest, UsageErrorsExitWithTwoAndWriteNothing) {
    ExpectFailure(Run({}), 2, "usage");
    ExpectFailure(Run({"put", File(), "s", "k", "v"}), 2, "put");
    ExpectFailure(Run({"get", File(), "s"}), 2, "usage");
    ExpectFailure(Run({"get", File(), "s", "k", "d", "extra"}), 2, "usage");
    ExpectFailure(Run({"set", File(), "s", "k", "😀"}), 2, "code page 932");
    ExpectFailure(Run({"set", File(), "s", "k", "\xff"}), 2, "code page 932");
    ExpectFailure(Run({"--raw", "set", File(), "s", "k", "a\\q"}), 2, "escape");
    ExpectFailure(Run({"--raw", "set", File(), "s", "k", "\\x4"}), 2, "escape");
    ExpectFailure(Run({"--raw", "set", File(), "s", "k", "\\x00"}), 2, "NUL");
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(ZulnameIniTest, AFileThatCannotBeWrittenExitsWithOneAndSaysWhy) {
    ExpectFailure(Run({"set", PathOf("gone/a.ini"), "s", "k", "v"}), 1, "does not exist");
    EXPECT_FALSE(std::filesystem::exists(PathOf("gone")));

    std::filesystem::create_directory(PathOf("dir.ini"));
    ExpectFailure(Run({"set", PathOf("dir.ini"), "s", "k", "v"}), 1, "is a folder");

    WriteBytes(PathOf("plain"), "x");
    ExpectFailure(Run({"set", PathOf("plain/a.ini"), "s", "k", "v"}), 1, "not a folder");

    ExpectFailure(Run({"set", File(), "s", "[k]", "v"}), 1, "key");
    ExpectFailure(Run({"set", File(), "s", " ", "v"}), 1, "key");
    // 81 takes the "]" of "[\x81]" as its second byte: the header would not read back.
    ExpectFailure(Run({"--raw", "set", File(), "\\x81", "k", "v"}), 1, "section");
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(ZulnameIniTest, AWriteOverTheFileSizeLimitFailsAndKeepsTheFile) {
    WriteBytes(File(), "[s]\r\nk=old\r\n");
    ExpectFailure(RunToolWithFileSizeLimit(ZULNAME_INI_PATH, {"set", File(), "s", "k", std::string(2000, 'x')}, Home(), 1024),
                  1, "cannot write " + File() + ": file too large");
    EXPECT_EQ(ReadBytes(File()), "[s]\r\nk=old\r\n");
    EXPECT_EQ(TemporariesOf(File()), std::vector<std::string>());
}

TEST_F(ZulnameIniTest, TwoWritersAtOnceLoseNoWrite) {
    constexpr int kWrites = 60;
    const auto setKeys = [this](const std::string& prefix) {
        return RunToolRepeatedly(ZULNAME_INI_PATH, kWrites, [this, prefix](int i) {
            return std::vector<std::string>{"set", File(), "s", prefix + std::to_string(i), std::to_string(i)};
        });
    };
    const pid_t first = setKeys("a");
    const pid_t second = setKeys("b");
    EXPECT_EQ(FailedRuns(first), 0);
    EXPECT_EQ(FailedRuns(second), 0);
    const std::string text = ReadBytes(File());
    int missing = 0;
    for (const char* prefix : {"a", "b"})
        for (int i = 0; i < kWrites; ++i)
            missing += text.find("\n" + std::string(prefix) + std::to_string(i) + "=" + std::to_string(i) + "\r") ==
                       std::string::npos;
    EXPECT_EQ(missing, 0);
}

TEST_F(ZulnameIniTest, AReadOnlyFileIsLeftAloneAndTheExitStatusSaysSo) {
    WriteBytes(File(), "[a]\r\n");
    chmod(File().c_str(), 0444);
    ExpectFailure(Run({"set", File(), "a", "k", "2"}), 1, "read-only");
    EXPECT_EQ(ReadBytes(File()), "[a]\r\n");
    EXPECT_EQ(Run({"get", File(), "a", "k", "none"}).out, "none\n");
}

TEST_F(ZulnameIniTest, MessagesSayWhatHappened) {
    std::filesystem::create_symlink(PathOf("loop2"), PathOf("loop1"));
    std::filesystem::create_symlink(PathOf("loop1"), PathOf("loop2"));
    ExpectFailure(Run({"set", PathOf("loop1"), "s", "k", "v"}), 1, "loop");
    ExpectFailure(Run({"get", PathOf("loop1"), "s", "k"}), 1, "loop");

    WriteBytes(PathOf("huge.ini"), "[s]\r\nk=1\r\n");
    std::filesystem::resize_file(PathOf("huge.ini"), (256u << 20) + 1);
    ExpectFailure(Run({"get", PathOf("huge.ini"), "s", "k"}), 1, "larger than 256 MB");
    ExpectFailure(Run({"set", PathOf("huge.ini"), "s", "k", "2"}), 1, "larger than 256 MB");
}

TEST_F(ZulnameIniTest, AReadOnlyFileSystemAndAFullDiskAreNamedAsSuch) {
    const auto set = [this](TmpfsState state) {
        return RunOnPrivateTmpfs(Home(), state, "a.ini", "[s]\r\n", ZULNAME_INI_PATH, [](const std::string& file) {
            return std::vector<std::string>{"set", file, "s", "k", "v"};
        });
    };
    const std::optional<ToolOutcome> readOnly = set(TmpfsState::ReadOnly);
    if (!readOnly) GTEST_SKIP() << "this machine allows no private mounts";
    ExpectFailure(*readOnly, 1, "the file system is read-only");
    const std::optional<ToolOutcome> full = set(TmpfsState::Full);
    ASSERT_TRUE(full);
    ExpectFailure(*full, 1, "the disk is full");
}
