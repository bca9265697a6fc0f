#include "app/file_failure_report.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using Action = profile::FileFailure::Action;

bool Mentions(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(FileFailureReportTest, OneMessagePerFailingFileNamingTheFileAndWhatHappened) {
    FileFailureReport report;
    EXPECT_TRUE(report.Note({"/d/a.ini", Action::Write, EROFS}));
    EXPECT_FALSE(report.Note({"/d/a.ini", Action::Write, EROFS}));
    EXPECT_FALSE(report.Note({"/d/b.ini", Action::Write, ENOSPC}));
    const std::vector<std::string> messages = report.TakeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(Mentions(messages[0], "「/d/a.ini」に保存できません"));
    EXPECT_TRUE(Mentions(messages[0], "読み取り専用のファイルシステム")) << messages[0];
    EXPECT_TRUE(Mentions(messages[1], "「/d/b.ini」"));
    EXPECT_TRUE(Mentions(messages[1], "空き容量")) << messages[1];
    EXPECT_TRUE(report.TakeMessages().empty());
}

TEST(FileFailureReportTest, AFileIsNamedAgainOnlyAfterItWasWrittenOnceMore) {
    FileFailureReport report;
    report.Note({"a.ini", Action::Write, EACCES});
    report.TakeMessages();
    // Every keystroke saves: the user is not told again at each one.
    EXPECT_FALSE(report.Note({"a.ini", Action::Write, EACCES}));
    EXPECT_FALSE(report.Note({"a.ini", Action::Write, ENOSPC}));
    EXPECT_TRUE(report.TakeMessages().empty());
    report.Note({"a.ini", Action::Write, 0});
    EXPECT_TRUE(report.Note({"a.ini", Action::Write, ENOSPC}));
    EXPECT_EQ(report.TakeMessages().size(), 1u);
}

TEST(FileFailureReportTest, AFileThatCannotBeReadIsNotAlsoReportedUnsaved) {
    FileFailureReport report;
    EXPECT_TRUE(report.Note({"big.ini", Action::Read, EFBIG}));
    EXPECT_FALSE(report.Note({"big.ini", Action::Write, EFBIG}));
    const std::vector<std::string> messages = report.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(Mentions(messages[0], "「big.ini」を読み込めません"));
    EXPECT_TRUE(Mentions(messages[0], "256MB"));
    // Readable again, a failed save is told.
    report.Note({"big.ini", Action::Read, 0});
    EXPECT_TRUE(report.Note({"big.ini", Action::Write, ELOOP}));
    EXPECT_TRUE(Mentions(report.TakeMessages().at(0), "シンボリックリンクが循環"));
}
