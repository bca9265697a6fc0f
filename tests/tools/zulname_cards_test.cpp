#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/private_tmpfs.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

class ZulnameCardsTest : public TempHomeTest {
protected:
    ZulnameCardsTest() { WriteBytes(PathOf("ZULNAME.INI"), "[UserDef]\r\nItems=" + S("学年") + "|\r\n"); }

    ToolOutcome Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--record", File()});
        return RunTool(ZULNAME_CARDS_PATH, args, Home());
    }
    std::string File() const { return PathOf("名簿.ini"); }
    std::string Header() const { return "番号\t氏名\t肩書き\t所属\t読み\tその他1\tその他2\tその他3\tその他4\t学年\n"; }
    // The list's rows after the header.
    std::string Rows() const {
        const std::string listed = Run({"list"}).out;
        return listed.substr(listed.find('\n') + 1);
    }
    void ThreeCards() const {
        WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n1" + S("氏名") +
                               "Xpos=50\r\n[0001]\r\n" + S("氏名") + "=" + S("佐藤") + "\r\n" + S("読み") + "=" +
                               S("さとう") + "\r\n[0002]\r\n" + S("氏名") + "=" + S("鈴木") + "\r\n" + S("学年") + "=" +
                               S("二年\tA組") + "\r\n");
    }
};

}  // namespace

TEST_F(ZulnameCardsTest, ListsEveryCardWithAHeaderAsTabSeparatedUtf8) {
    ThreeCards();
    const ToolOutcome listed = Run({"list"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, Header() + "0000\t山田\t\t\t\t\t\t\t\t\n0001\t佐藤\t\t\tさとう\t\t\t\t\t\n"
                                     "0002\t鈴木\t\t\t\t\t\t\t\t二年 A組\n");
}

TEST_F(ZulnameCardsTest, AddsCardsThatTakeTheDesignBeforeThem) {
    ThreeCards();
    const ToolOutcome added = Run({"add", "--after", "0", "高橋", "", "", "たかはし"});
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.out, "added card 0001 (4 cards)\n");
    EXPECT_EQ(Rows().find("0000\t山田\t\t\t\t\t\t\t\t\n0001\t高橋\t\t\tたかはし\t"), 0u);
    const std::string bytes = ReadBytes(File());
    EXPECT_NE(bytes.find("[0001]\r\n" + S("氏名") + "=" + S("高橋") + "\r\n" + S("読み") + "=" + S("たかはし") + "\r\n1" +
                         S("氏名") + "Xpos=50\r\n"),
              std::string::npos);
    EXPECT_EQ(Run({"add"}).out, "added card 0004 (5 cards)\n");
}

TEST_F(ZulnameCardsTest, TextBeyondCodePage932IsAddedAndListedExactly) {
    ThreeCards();
    const ToolOutcome added = Run({"add", "Zoë 😀", "部長"});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_NE(Rows().find("0003\tZoë 😀\t部長\t"), std::string::npos) << Rows();
    EXPECT_EQ(Run({"add", "\xff"}).status, 1);  // not UTF-8: left empty
}

TEST_F(ZulnameCardsTest, DeletesMovesSortsAndAppliesADesign) {
    ThreeCards();
    EXPECT_EQ(Run({"move", "2", "--to", "0"}).out, "moved card 0002 to 0000\n");
    EXPECT_EQ(Run({"sort", "読み"}).out, "sorted 3 cards by 読み (3 moved)\n");
    EXPECT_EQ(Rows().find("0000\t佐藤\t"), 0u);
    EXPECT_EQ(Run({"apply-design", "--from", "2", "--to", "0-1", "--slot", "1"}).out,
              "applied the design of card 0002 to 2 cards, slot 1\n");
    EXPECT_EQ(Run({"delete", "0", "2"}).out, "deleted 2 cards (1 card left)\n");
    EXPECT_EQ(Rows(), "0000\t鈴木\t\t\t\t\t\t\t\t二年 A組\n");
    EXPECT_NE(ReadBytes(File()).find("1" + S("氏名") + "Xpos=50"), std::string::npos);
}

TEST_F(ZulnameCardsTest, ReadingsAreWrittenInLatinLettersIntoAnotherItem) {
    ThreeCards();
    EXPECT_EQ(Run({"romaji", "--from", "読み", "--to", "その他1", "--order", "family-given"}).out,
              "wrote the names of 1 card in Latin letters\n");
    EXPECT_EQ(Rows(), "0000\t山田\t\t\t\t\t\t\t\t\n0001\t佐藤\t\t\tさとう\tSATO\t\t\t\t\n0002\t鈴木\t\t\t\t\t\t\t\t二年 A組\n");
}

TEST_F(ZulnameCardsTest, BadCommandLinesExitWithTwoAndWriteNothing) {
    ThreeCards();
    const std::string before = ReadBytes(File());
    ExpectFailure(Run({}), 2, "usage");
    ExpectFailure(Run({"shuffle"}), 2, "shuffle");
    ExpectFailure(Run({"delete", "2-1"}), 2, "backwards");
    ExpectFailure(Run({"delete", "1", "3"}), 2, "out of range");
    ExpectFailure(Run({"delete", "x"}), 2, "not a card number");
    ExpectFailure(Run({"move", "0", "--to", "9"}), 2, "out of range");
    ExpectFailure(Run({"sort", "ふりがな"}), 2, "ふりがな");
    ExpectFailure(Run({"apply-design", "--to", "all"}), 2, "--from");
    ExpectFailure(Run({"apply-design", "--from", "0", "--slot", "4"}), 2, "--slot");
    ExpectFailure(Run({"add", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}), 2, "more texts");
    ExpectFailure(Run({"romaji", "--from", "読み"}), 2, "--to");
    ExpectFailure(Run({"romaji", "--from", "読み", "--to", "ローマ字"}), 2, "ローマ字");
    ExpectFailure(Run({"romaji", "--from", "読み", "--to", "その他1", "--order", "western"}), 2, "--order");
    EXPECT_EQ(ReadBytes(File()), before);
}

TEST_F(ZulnameCardsTest, AMissingOrUnwritableFileExitsWithOne) {
    ExpectFailure(Run({"list"}), 1, "no record file");
    WriteBytes(File(), "[#Setting#]\r\nMax=99999999\r\n");
    ExpectFailure(Run({"delete", "0"}), 1, "more cards");
}

TEST_F(ZulnameCardsTest, CardOperationsBesideAnotherWriterAllGoThroughAndLoseNothing) {
    // Names and readings in opposite orders, so that every sort moves cards.
    constexpr int kCards = 200, kRuns = 30;
    std::string bytes = "[#Setting#]\r\nMax=" + std::to_string(kCards - 1) + "\r\n";
    for (int card = 0; card < kCards; ++card) {
        const std::string number = std::to_string(1000 + card);
        bytes += "[" + std::to_string(10000 + card).substr(1) + "]\r\n" + S("氏名") + "=N" + number + "\r\n" + S("読み") +
                 "=R" + std::to_string(2999 - card) + "\r\n";
    }
    WriteBytes(File(), bytes);
    const pid_t adding = RunToolRepeatedly(ZULNAME_CARDS_PATH, kRuns, [this](int run) {
        return std::vector<std::string>{"--record", File(), "add", "added" + std::to_string(run)};
    });
    const pid_t sorting = RunToolRepeatedly(ZULNAME_CARDS_PATH, kRuns, [this](int run) {
        return std::vector<std::string>{"--record", File(), "sort", run % 2 == 0 ? "読み" : "氏名"};
    });
    EXPECT_EQ(FailedRuns(adding), 0);
    EXPECT_EQ(FailedRuns(sorting), 0);
    const std::string rows = Rows();
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), kCards + kRuns);
    for (int run = 0; run < kRuns; ++run) EXPECT_NE(rows.find("\tadded" + std::to_string(run) + "\t"), std::string::npos) << run;
}

TEST_F(ZulnameCardsTest, AFailedWriteSaysWhy) {
    WriteBytes(File(), "[#Setting#]\r\nMax=999999\r\n");
    ExpectFailure(Run({"add"}), 1, "at most 1000000 cards");
    const std::optional<ToolOutcome> full =
        RunOnPrivateTmpfs(Home(), TmpfsState::Full, "r.ini", "[#Setting#]\r\nMax=0\r\n", ZULNAME_CARDS_PATH,
                          [](const std::string& file) { return std::vector<std::string>{"--record", file, "add", "x"}; });
    if (!full) GTEST_SKIP() << "this machine allows no private mounts";
    ExpectFailure(*full, 1, "r.ini: the disk is full");
}

TEST_F(ZulnameCardsTest, CheckNamesEachCharacterThatMayPrintWrong) {
    ThreeCards();
    ASSERT_EQ(Run({"add", "𠮷田"}).status, 0);
    const ToolOutcome checked = Run({"check"});
    EXPECT_EQ(checked.status, 0) << checked.err;  // Noto CJK draws it
    EXPECT_NE(checked.out.find("0003\t氏名\t𠮷\tU+20BB7\tbeyond-jis-x-0208,beyond-cp932\t"), std::string::npos) << checked.out;
}
