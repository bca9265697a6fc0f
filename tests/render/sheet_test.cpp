#include <gtest/gtest.h>

#include "render/sheet.h"
#include "store/profile_service.h"
#include "tests/render/render_fixture.h"

namespace {

class SheetTest : public RenderTest {
protected:
    // A record file with cards 0000 … count−1, each named unless listed in `unnamed`.
    void NamedCards(int count, std::vector<int> unnamed = {}, const std::string& extra = "") {
        std::string bytes = "[#Setting#]\r\nMax=" + std::to_string(count - 1) + "\r\n" + extra;
        for (int card = 0; card < count; ++card) {
            char section[16];
            std::snprintf(section, sizeof section, "%.4d", card);
            const bool named = std::find(unnamed.begin(), unnamed.end(), card) == unnamed.end();
            bytes += "[" + std::string(section) + "]\r\n" + (named ? S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n" : "");
        }
        Record(bytes);
    }
    std::vector<std::string> Cards(bool printing = true) {
        return Trace([&](Surface& s) { DrawSheet(view, s); }, {"card"}, printing);
    }
};

}  // namespace

TEST_F(SheetTest, DefaultLayoutIsTwoColumnsOfFiveRowsOfBusinessCards) {
    NamedCards(3);
    EXPECT_EQ(Cards(), (std::vector<std::string>{"card 0000 10 -10", "card 0001 368 -10", "card 0002 10 -226"}));
    EXPECT_EQ(PrintPageCount(view), 1);
}

TEST_F(SheetTest, GapsAndOffsetsMoveTheGrid) {
    Settings("[PrintOptions]\r\n1GapH=20\r\n1GapV=10\r\n");
    NamedCards(3, {}, "[Option]\r\nTop=30\r\nLeft=40\r\n");
    EXPECT_EQ(Cards(), (std::vector<std::string>{"card 0000 40 -30", "card 0001 418 -30", "card 0002 40 -256"}));
}

TEST_F(SheetTest, CardsWithoutANameAreNeitherPlacedNorCounted) {
    NamedCards(12, {3});
    EXPECT_EQ(PrintPageCount(view), 2);
    view.printPage = 2;
    EXPECT_EQ(Cards(), (std::vector<std::string>{"card 0011 10 -10"}));
    EXPECT_EQ(CardList(record).size(), 11u);
}

TEST_F(SheetTest, EveryNamedCardIsPrintedHoweverManyThereAre) {
    NamedCards(120);
    EXPECT_EQ(CardList(record).size(), 120u);
    EXPECT_EQ(PrintPageCount(view), 12);
    view.printPage = 12;
    EXPECT_EQ(Cards().back(), "card 0119 368 -874");
}

TEST_F(SheetTest, ThePrintOrderIsFollowedWithRepeatsAndReadWhole) {
    NamedCards(6, {}, "[Current]\r\nPrintOrder=0005|0002||0005|\r\n");
    EXPECT_EQ(Cards(), (std::vector<std::string>{"card 0005 10 -10", "card 0002 368 -10", "card 0005 10 -226"}));

    std::string order;
    for (int i = 0; i < 70; ++i) order += "0001|";  // 350 bytes, past an ordinary read
    NamedCards(2, {}, "[Current]\r\nPrintOrder=" + order + "\r\n");
    EXPECT_EQ(CardList(record).size(), 70u);
    EXPECT_EQ(PrintPageCount(view), 7);
}

TEST_F(SheetTest, AScreenPagePastTheCardsFallsBackToTheLastPageWithCards) {
    NamedCards(12);
    const std::string key = "1" + record.Path();
    settings.WriteInt("CurPage", key, 4);
    EXPECT_EQ(Cards(false).front(), "card 0010 10 -10");
    EXPECT_EQ(settings.ReadInt("CurPage", key, 0), 2);
    EXPECT_EQ(settings.ReadInt("MaxPage", key, 0), 2);

    settings.WriteInt("CurPage", key, 2147483647);  // must not take a step per page
    EXPECT_EQ(Cards(false).size(), 2u);
    settings.WriteInt("CurPage", key, -3);
    EXPECT_EQ(Cards(false).front(), "card 0000 10 -10");
}

TEST_F(SheetTest, AnEmptyRecordFileHasOnePageThatPrintsNothing) {
    Record("");
    EXPECT_EQ(PrintPageCount(view), 1);
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(settings.ReadInt("MaxPage", "1" + record.Path(), 0), 1);
}

TEST_F(SheetTest, AnEmptyRecordFileShowsWhereTheTagsGoAndHowToStart) {
    Record("");
    Settings("[PrintOptions]\r\n1NoCutLine=1\r\n");  // the outlines are a hint, not cut lines
    const std::vector<std::string> shown = Trace([&](Surface& s) { DrawSheet(view, s); }, {}, false);
    std::vector<std::string> outlines, texts;
    for (const std::string& line : shown) (line.rfind("rect ", 0) == 0 ? outlines : texts).push_back(line);
    ASSERT_EQ(outlines.size(), 10u);
    EXPECT_EQ(outlines.front().substr(0, outlines.front().find(" pen")), "rect 10 -10 368 -226");
    EXPECT_EQ(outlines.back().substr(0, outlines.back().find(" pen")), "rect 368 -874 726 -1090");
    EXPECT_NE(outlines.front().find("brush=none"), std::string::npos);
    // One line of guidance, centred in the first tag: 14 characters of 8 by 17 units.
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("text 77 -109 224 17 ", 0), 0u) << texts[0];
    EXPECT_NE(texts[0].find("\"「入力」でカードを作成します\""), std::string::npos);

    // Gaps and offsets place the outlines as they will place the tags; a tag narrower than the
    // line starts it at its left edge.
    Settings("[PrintOptions]\r\n1Column=3\r\n1Line=1\r\n1GapH=20\r\n[Card]\r\n1w=100\r\n1h=50\r\n");
    Record("[Option]\r\nLeft=30\r\nTop=40\r\n");
    const std::vector<std::string> narrow = Trace([&](Surface& s) { DrawSheet(view, s); }, {}, false);
    ASSERT_EQ(narrow.size(), 4u);
    EXPECT_EQ(narrow[2].substr(0, narrow[2].find(" pen")), "rect 270 -40 370 -90");
    EXPECT_EQ(narrow[3].rfind("text 35 -56 ", 0), 0u) << narrow[3];

    // Printed, an empty record file is still blank paper.
    EXPECT_TRUE(Trace([&](Surface& s) { DrawSheet(view, s); }).empty());
}

TEST_F(SheetTest, ColumnsAndRowsBelowOneCountAsOne) {
    Settings("[PrintOptions]\r\n1Column=0\r\n1Line=abc\r\n");
    NamedCards(3);
    EXPECT_EQ(PrintPageCount(view), 3);
    view.printPage = 2;
    EXPECT_EQ(Cards(), (std::vector<std::string>{"card 0001 10 -10"}));
}

TEST_F(SheetTest, CutLinesOutlineEachTagOrMarkItsCorners) {
    NamedCards(1);
    const auto lines = [&] { return Trace([&](Surface& s) { DrawSheet(view, s); }, {"line"}); };
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "line 10 -10 10 -226 pen=solid:0:000000", "line 10 -226 368 -226 pen=solid:0:000000",
                           "line 368 -226 368 -10 pen=solid:0:000000", "line 368 -10 10 -10 pen=solid:0:000000"}));
    NamedCards(1, {}, "[Option]\r\nTombo=1\r\n");
    const std::vector<std::string> marks = lines();
    ASSERT_EQ(marks.size(), 8u);
    EXPECT_EQ(marks.front(), "line 10 -10 10 -20 pen=solid:0:000000");
    EXPECT_EQ(marks.back(), "line 20 -10 10 -10 pen=solid:0:000000");
    Settings("[PrintOptions]\r\n1NoCutLine=1\r\n");
    EXPECT_TRUE(lines().empty());
}

TEST_F(SheetTest, CardModeDrawsTheCurrentCardOnItsGuideGrid) {
    Record("[#Setting#]\r\nCurID=2\r\nMax=3\r\n[0002]\r\n" + S("氏名") + "=N\r\n");
    view.mode = ViewMode::CardMode;
    const std::vector<std::string> lines = Trace([&](Surface& s) { DrawSheet(view, s); }, {"line", "card"});
    std::vector<std::string> vertical, horizontal;
    for (const std::string& line : lines) {
        if (line.find("ff0000") == std::string::npos) continue;
        (line.rfind("line 10 ", 0) == 0 ? horizontal : vertical).push_back(line);
    }
    ASSERT_EQ(vertical.size(), 35u);
    EXPECT_EQ(vertical[0], "line 20 -5 20 -231 pen=dot:1:ff0000");
    EXPECT_EQ(vertical[4], "line 60 -5 60 -231 pen=dashdotdot:1:ff0000");
    EXPECT_EQ(vertical[9], "line 110 -5 110 -231 pen=dashdot:1:ff0000");
    EXPECT_EQ(vertical[34], "line 360 -5 360 -231 pen=dashdotdot:1:ff0000");
    ASSERT_EQ(horizontal.size(), 21u);
    EXPECT_EQ(horizontal[0], "line 10 -20 378 -20 pen=dot:1:ff0000");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "card 0002 10 -10"), lines.end());
}

TEST_F(SheetTest, DrawingAgainReadsNoFileAgain) {
    NamedCards(30);
    Settings("[PrintOptions]\r\n1Column=3\r\n");
    Cards();
    const std::size_t parses = profile::ProfileService::Instance().ParseCount();
    Cards();
    PrintPageCount(view);
    EXPECT_EQ(profile::ProfileService::Instance().ParseCount(), parses);
}

TEST_F(SheetTest, TheCardListFollowsChangesToTheRecordFile) {
    NamedCards(3);
    EXPECT_EQ(PrintPageCount(view), 1);
    EXPECT_EQ(ViewCardList(view).size(), 3u);
    NamedCards(11);
    EXPECT_EQ(ViewCardList(view).size(), 11u);
    record.WriteString("0011", S("氏名"), "N");
    record.WriteInt("#Setting#", "Max", 11);
    EXPECT_EQ(PrintPageCount(view), 2);
}

// A print job of every page parses the record file once, and each card costs the same number of
// reads however many cards there are.
TEST_F(SheetTest, APrintJobParsesOnceAndReadsAFixedNumberPerCard) {
    profile::ProfileService& service = profile::ProfileService::Instance();
    const auto readsPerCard = [&](int count) {
        NamedCards(count);
        const std::size_t parses = service.ParseCount(), reads = service.ReadCount();
        std::size_t drawn = 0;
        const std::int32_t pages = PrintPageCount(view);
        for (view.printPage = 1; view.printPage <= pages; ++view.printPage) drawn += Cards().size();
        EXPECT_EQ(drawn, static_cast<std::size_t>(count));
        EXPECT_LE(service.ParseCount() - parses, 2u);  // the record file, and the settings file at most
        return static_cast<double>(service.ReadCount() - reads) / count;
    };
    const double few = readsPerCard(20), many = readsPerCard(400);
    EXPECT_GT(few, 10.0);  // every layer of a card reads its keys
    EXPECT_LE(many, few);
}
