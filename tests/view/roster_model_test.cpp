#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/exact_text.h"
#include "store/profiles.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"
#include "view/roster_model.h"

namespace {

class RosterModelTest : public TempHomeTest {
protected:
    RosterModelTest() {
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=2\r\nCurID=1\r\nLabel=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") +
                                        "\r\n" + S("読み") + "=" + S("やまだ") + "\r\n1" + S("氏名") + "Xpos=80\r\n[0001]\r\n" +
                                        S("氏名") + "=" + S("佐藤") + "\r\n" + S("読み") + "=" + S("サトウ") + "\r\n[0002]\r\n" +
                                        S("氏名") + "=" + S("鈴木") + "\r\n" + S("学年") + "=" + S("三年") + "\r\n");
        record.SetPath(PathOf("r.ini"));
    }
    std::string Name(std::int32_t row) const { return roster.Cell(row, 1); }

    SettingsProfile settings;
    RecordProfile record;
    RosterModel roster{settings, record, {S("学年")}};
};

}  // namespace

TEST_F(RosterModelTest, ShowsANumberAndAColumnPerItem) {
    EXPECT_EQ(roster.ColumnCount(), 10);
    EXPECT_EQ(roster.Header(0), S("番号"));
    EXPECT_EQ(roster.Header(4), S("読み"));
    EXPECT_EQ(roster.Header(9), S("学年"));
    EXPECT_EQ(roster.RowCount(), 3);
    EXPECT_EQ(roster.Cell(2, 0), "0002");
    EXPECT_EQ(roster.Cell(2, 9), S("三年"));
    EXPECT_FALSE(roster.IsEditable(0));
    EXPECT_TRUE(roster.SetCell(1, 2, S("部長")));
    EXPECT_EQ(ProfileFile(PathOf("r.ini")).ReadString("0001", S("肩書き"), ""), S("部長"));
    EXPECT_FALSE(roster.SetCell(3, 2, "x"));
    EXPECT_EQ(roster.CurrentCard(), 1);
    roster.MakeCurrent(2);
    EXPECT_EQ(record.ReadInt("#Setting#", "CurID", 0), 2);
}

TEST_F(RosterModelTest, NewCardsInheritTheDesignAndPastedRowsSkipAHeader) {
    ASSERT_TRUE(roster.InsertBefore(1));
    EXPECT_EQ(record.ReadString("0001", "1" + S("氏名") + "Xpos", ""), "80");
    EXPECT_EQ(Name(1), "");
    EXPECT_EQ(record.ReadInt("#Setting#", "CurID", 0), 2);  // still 佐藤

    const RosterModel::PasteResult pasted =
        roster.Paste(0, "氏名\t肩書き\r\n高橋\t課長\r\n\"林\t太郎\"\t\r\nZoë\t係長\r\n");
    EXPECT_TRUE(pasted.headerSkipped);
    ASSERT_TRUE(pasted.outcome);
    EXPECT_EQ(pasted.outcome.changed, 3);
    EXPECT_EQ(Name(1), S("高橋"));
    EXPECT_EQ(roster.Cell(1, 2), S("課長"));
    EXPECT_EQ(Name(2), S("林\t太郎"));
    EXPECT_EQ(exact_text::ToUtf8(roster.Cell(3, 1)), "Zoë");  // kept beside 〓 for code page 932
    EXPECT_EQ(roster.Cell(3, 2), S("係長"));
    EXPECT_EQ(record.ReadString("0002", "1" + S("氏名") + "Xpos", ""), "80");

    // Rows copied out paste back as the same texts.
    const std::string copied = roster.CopyRows({1, 2});
    EXPECT_EQ(copied, "高橋\t課長\r\n\"林\t太郎\"\r\n");
    const std::int32_t before = roster.RowCount();
    EXPECT_FALSE(roster.Paste(before - 1, copied).headerSkipped);
    EXPECT_EQ(Name(before + 1), S("林\t太郎"));
}

TEST_F(RosterModelTest, SearchMatchesEveryKanaFormAndLetterCase) {
    roster.SetCell(2, 4, S("ﾔﾏﾀﾞ"));
    EXPECT_EQ(roster.Matching("やまだ"), (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(roster.Matching("さとう"), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(roster.Matching("0002"), (std::vector<std::int32_t>{2}));
    EXPECT_TRUE(roster.Matching("田中").empty());
}

TEST_F(RosterModelTest, MovesSortsDeletesAndPrintsTheSelection) {
    ASSERT_TRUE(roster.MoveDown(0));
    EXPECT_EQ(Name(1), S("山田"));
    ASSERT_TRUE(roster.MoveUp(1));
    EXPECT_EQ(Name(0), S("山田"));
    ASSERT_TRUE(roster.SortBy(4));
    EXPECT_EQ(Name(0), S("佐藤"));
    EXPECT_EQ(Name(2), S("鈴木"));
    EXPECT_EQ(roster.SortBy(0).failure, cards::Failure::UnknownItem);
    EXPECT_TRUE(roster.SetPrintOrder({2, 0}));
    EXPECT_EQ(record.ReadFullString("Current", "PrintOrder", ""), "0002|0000|");
    ASSERT_TRUE(roster.Delete({0}));
    EXPECT_EQ(record.ReadFullString("Current", "PrintOrder", ""), "0001|");
    ASSERT_TRUE(roster.Duplicate({1}));
    EXPECT_EQ(roster.RowCount(), 3);
}

TEST_F(RosterModelTest, TheCurrentCardsDesignGoesToEveryoneOrTheSelection) {
    roster.MakeCurrent(0);
    EXPECT_EQ(roster.DesignChanges({}, 1), 2);
    EXPECT_EQ(roster.DesignChanges({1}, 1), 1);
    EXPECT_EQ(roster.DesignChanges({}, 2), 0);
    ASSERT_TRUE(roster.ApplyCurrentDesign({2}, cards::kAllSlots));
    EXPECT_EQ(record.ReadString("0002", "1" + S("氏名") + "Xpos", ""), "80");
    EXPECT_EQ(record.ReadString("0001", "1" + S("氏名") + "Xpos", "none"), "none");
    EXPECT_EQ(roster.DesignChanges({}, 1), 1);
}

TEST_F(RosterModelTest, ACardWhoseCategoryIsTypedTakesItsRule) {
    ProfileFile file(PathOf("r.ini"));
    for (const auto& [key, value] : {std::pair{"Count", "1"}, {"Item1", "肩書き"}, {"Value1", "来賓"}, {"Honorific1", "様"}})
        ASSERT_TRUE(file.WriteString("CategoryDesigns", key, S(value)));
    ASSERT_TRUE(file.Flush());
    EXPECT_TRUE(roster.SetCell(1, 2, S("来賓")));
    EXPECT_EQ(file.ReadString("0001", "1" + S("氏名Honorific"), ""), S("様"));
    EXPECT_EQ(file.ReadString("0000", "1" + S("氏名Honorific"), ""), "");
    EXPECT_EQ(roster.ShownCell(1, 1), S("佐藤　様"));
    EXPECT_EQ(roster.Cell(1, 1), S("佐藤"));
    EXPECT_EQ(roster.ShownCell(1, 2), S("来賓"));
}
