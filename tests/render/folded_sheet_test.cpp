#include <gtest/gtest.h>

#include <sstream>

#include "render/print_page.h"
#include "render/sheet.h"
#include "tests/render/render_fixture.h"

namespace {

// Default labels (358 × 216) at the default offsets (10, 10) on A4 (827 × 1169).
class FoldedSheetTest : public RenderTest {
protected:
    // Cards 0000 … with the names given, their メッセージ "M" + the name; the back shows the
    // message and 所属, whose text only the back section has.
    void Cards(const std::vector<std::string>& names, bool withBack = true) {
        std::string bytes = "[#Setting#]\r\nMax=" + std::to_string(names.size() - 1) + "\r\n";
        for (std::size_t i = 0; i < names.size(); ++i)
            bytes += "[000" + std::to_string(i) + "]\r\n" + S("氏名") + "=" + names[i] + "\r\n1IsPrint" + S("氏名") +
                     "=1\r\n" + S("メッセージ") + "=M" + names[i] + "\r\n";
        if (withBack)
            bytes += "[1Back]\r\n1IsPrint" + S("メッセージ") + "=1\r\n1IsPrint" + S("所属") + "=1\r\n" + S("所属") + "=Club\r\n";
        Record(bytes);
        view.userItems = {S("メッセージ")};
    }
    std::vector<std::string> Page(std::int32_t page, std::vector<std::string> prefixes) {
        return Trace([&](Surface& s) { DrawPrintPage(view, s, page); }, std::move(prefixes));
    }
};

// The x, y and escapement of a trace's text line.
struct TextAt {
    int x = 0, y = 0, escapement = 0;
    std::string text;
};
TextAt Parse(const std::string& line) {
    TextAt at;
    std::istringstream in(line.substr(5));
    in >> at.x >> at.y;
    at.escapement = std::stoi(line.substr(line.find("esc=") + 4));
    at.text = line.substr(line.rfind(' ') + 1);
    return at;
}

}  // namespace

// The face above the fold is the face below it turned half a turn about its own centre: every
// mark at the point mirrored through the centre, the text's escapement 1800.
TEST_F(FoldedSheetTest, ATopBottomCellHoldsTheFaceUprightBelowAndTurnedAbove) {
    Settings("[PrintOptions]\r\n1Fold=1\r\n");
    Cards({"A"}, false);
    const std::vector<std::string> lines = Page(1, {"card", "text", "line"});
    ASSERT_EQ(lines.size(), 9u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[0], "card 0000 10 -10");
    EXPECT_EQ(lines[2], "card 0000 10 -226");
    const TextAt turned = Parse(lines[1]), upright = Parse(lines[3]);
    EXPECT_EQ(turned.escapement, 1800);
    EXPECT_EQ(upright.escapement, 0);
    // Turned about (189, −118): the upright face's point, one face higher, mirrored.
    EXPECT_EQ(turned.x + upright.x, 10 + 368);
    EXPECT_EQ(turned.y + (upright.y + 216), -10 - 226);
    // One cut line around the whole card and a dotted fold between its faces.
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()),
              (std::vector<std::string>{"line 10 -10 10 -442 pen=solid:0:000000", "line 10 -442 368 -442 pen=solid:0:000000",
                                        "line 368 -442 368 -10 pen=solid:0:000000", "line 368 -10 10 -10 pen=solid:0:000000",
                                        "line 10 -226 368 -226 pen=dot:0:000000"}));
    Settings("[PrintOptions]\r\n1Fold=2\r\n1FoldLine=0\r\n1Column=1\r\n");
    const std::vector<std::string> sideways = Page(1, {"card", "line"});
    EXPECT_EQ(sideways, (std::vector<std::string>{"card 0000 10 -10", "card 0000 368 -10", "line 10 -10 10 -226 pen=solid:0:000000",
                                                  "line 10 -226 726 -226 pen=solid:0:000000", "line 726 -226 726 -10 pen=solid:0:000000",
                                                  "line 726 -10 10 -10 pen=solid:0:000000"}));
}

// A label past 10 m is read as 10 m long: the turned face and the cells after it stay where the
// drawing's sums hold.
TEST_F(FoldedSheetTest, ALabelPastTenMetresIsReadAsTenMetres) {
    Settings("[Card]\r\n1w=2147483647\r\n1h=2147483647\r\n[PrintOptions]\r\n1Fold=1\r\n1Column=1\r\n1GapV=2147483647\r\n");
    Cards({"A", "B"}, false);
    EXPECT_EQ(Page(1, {"card"}), (std::vector<std::string>{"card 0000 10 -10", "card 0000 10 -393710", "card 0001 10 -1181110",
                                                          "card 0001 10 -1574810"}));
}

// A card edited alone is one upright face, whatever the fold.
TEST_F(FoldedSheetTest, CardModeDrawsOneUprightFace) {
    Settings("[PrintOptions]\r\n1Fold=1\r\n");
    Cards({"A"}, false);
    view.mode = ViewMode::CardMode;
    const std::vector<std::string> lines = Trace([&](Surface& s) { DrawSheet(view, s); }, {"card", "text"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Parse(lines[1]).escapement, 0);
}

// Two-sided, page 2k is the back of page 2k−1: each card's back (the back's design, the card's
// texts, the back's own where the card has none) behind its front, columns mirrored over the long
// edge and rows over the short one, on the slot's paper.
TEST_F(FoldedSheetTest, EachBackPageFollowsItsFrontWithTheBacksBehindTheFronts) {
    Cards({"A", "B", "C"});
    Settings("[PrintOptions]\r\n1Duplex=1\r\n");
    EXPECT_EQ(PrintPageCount(view), 2);
    EXPECT_EQ(SheetPageCount(view), 1) << "the screen shows the fronts";
    EXPECT_EQ(Page(1, {"card"}), (std::vector<std::string>{"card 0000 10 -10", "card 0001 368 -10", "card 0002 10 -226"}));
    const std::vector<std::string> back = Page(2, {"card", "text"});
    ASSERT_EQ(back.size(), 9u) << ::testing::PrintToString(back);
    EXPECT_EQ(back[0], "card 0000 459 -10");
    EXPECT_EQ(Parse(back[1]).text, "\"Club\"");
    EXPECT_EQ(Parse(back[2]).text, "\"MA\"");
    EXPECT_EQ(back[3], "card 0001 101 -10");
    EXPECT_EQ(back[6], "card 0002 459 -226");
    EXPECT_TRUE(Page(2, {"line"}).empty());  // cut lines are on the front

    Settings("[PrintOptions]\r\n1Duplex=2\r\n1Paper=210x148\r\n");
    EXPECT_EQ(Page(2, {"card"}), (std::vector<std::string>{"card 0000 10 -357", "card 0001 368 -357", "card 0002 10 -141"}));
    view.duplex = Duplex::None;  // a run's choice over the slot's
    EXPECT_EQ(PrintPageCount(view), 1);
    view.duplex = Duplex::LongEdge;
    Cards({"A", "B", "C"}, false);
    EXPECT_EQ(PrintPageCount(view), 1);
}

// Folded and two-sided, the back is the card's inside behind the turned face: turned over the
// long edge, upright over the short one; nothing of the front's design.
TEST_F(FoldedSheetTest, AFoldedCardsBackIsItsInsideBehindTheTurnedFace) {
    Cards({"A"});
    Settings("[PrintOptions]\r\n1Fold=1\r\n1Duplex=1\r\n");
    std::vector<std::string> back = Page(2, {"card", "text"});
    ASSERT_EQ(back.size(), 3u) << ::testing::PrintToString(back);
    EXPECT_EQ(back[0], "card 0000 459 -10");
    EXPECT_EQ(Parse(back[2]).text, "\"MA\"");
    EXPECT_EQ(Parse(back[2]).escapement, 1800);
    // Within the upper half of the mirrored card.
    EXPECT_GE(Parse(back[2]).y, -226);
    EXPECT_LE(Parse(back[2]).y, -10);
    Settings("[PrintOptions]\r\n1Fold=1\r\n1Duplex=2\r\n");
    back = Page(2, {"card", "text"});
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0], "card 0000 10 -943");  // the lower half of the card, rows mirrored
    EXPECT_EQ(Parse(back[2]).escapement, 0);
}

// A back page takes the printer's back offset besides its calibration.
TEST_F(FoldedSheetTest, BackPagesAddTheBackOffset) {
    Cards({"A"});
    Settings("[PrintOptions]\r\n1Duplex=1\r\n");
    PrinterCalibration calibration{10, -15, 25};
    calibration.backOffsetX = 5;
    calibration.backOffsetY = 7;
    const auto calibrate = [&](std::int32_t page) {
        return Trace([&](Surface& s) { DrawPrintPage(view, s, page, calibration); }, {"calibrate"});
    };
    EXPECT_EQ(calibrate(1), (std::vector<std::string>{"calibrate x=1.0mm y=-1.5mm scale=0.25%"}));
    EXPECT_EQ(calibrate(2), (std::vector<std::string>{"calibrate x=1.5mm y=-0.8mm scale=0.25%"}));
}

// A frame kept in a design's own keys (a category's) belongs to the section it is in: the back's
// to the back, the card's to its front.
TEST_F(FoldedSheetTest, ABacksOwnFrameIsTheBacksNotTheCardsBehindIt) {
    Record("[#Setting#]\r\nMax=0\r\n[0000]\r\n" + S("氏名") + "=A\r\n1IsPrint" + S("氏名") +
           "=1\r\n1Frame=1\r\n1Frame1Outside=65280\r\n1Frame1OutsideRatio=0\r\n[1Back]\r\n1IsPrint" + S("氏名") +
           "=1\r\n1Frame=1\r\n1Frame1Outside=255\r\n1Frame1OutsideRatio=0\r\n");
    Settings("[PrintOptions]\r\n1Duplex=1\r\n");
    const std::vector<std::string> front = Page(1, {"rect"}), back = Page(2, {"rect"});
    ASSERT_FALSE(front.empty());
    ASSERT_FALSE(back.empty());
    EXPECT_NE(front[0].find("brush=solid:00ff00"), std::string::npos) << front[0];
    EXPECT_NE(back[0].find("brush=solid:ff0000"), std::string::npos) << back[0];
}

// Folded over a vertical line, each face turns about an upright axis: both print upright, side
// by side. The inside lies behind the right face, the one in front: in the back cell's left half
// when the paper turns over its long edge (columns mirrored), upright, and in its right half,
// turned, over the short edge.
TEST_F(FoldedSheetTest, ALeftRightCardPrintsBothFacesUprightWithItsInsideBehindTheRightFace) {
    Cards({"A"});
    Settings("[PrintOptions]\r\n1Fold=2\r\n1Column=1\r\n");
    const std::vector<std::string> front = Page(1, {"card", "text"});
    ASSERT_EQ(front.size(), 4u) << ::testing::PrintToString(front);
    EXPECT_EQ(front[0], "card 0000 10 -10");
    EXPECT_EQ(front[2], "card 0000 368 -10");
    EXPECT_EQ(Parse(front[1]).escapement, 0);
    EXPECT_EQ(Parse(front[3]).escapement, 0);
    EXPECT_EQ(Parse(front[3]).x - Parse(front[1]).x, 358);
    EXPECT_EQ(Parse(front[3]).y, Parse(front[1]).y);

    // The right face spans 368 … 726; mirrored over the page's 827, 101 … 459.
    Settings("[PrintOptions]\r\n1Fold=2\r\n1Column=1\r\n1Duplex=1\r\n");
    std::vector<std::string> back = Page(2, {"card", "text"});
    ASSERT_EQ(back.size(), 3u) << ::testing::PrintToString(back);
    EXPECT_EQ(back[0], "card 0000 101 -10");
    EXPECT_EQ(Parse(back[2]).text, "\"MA\"");
    EXPECT_EQ(Parse(back[2]).escapement, 0);
    Settings("[PrintOptions]\r\n1Fold=2\r\n1Column=1\r\n1Duplex=2\r\n");
    back = Page(2, {"card", "text"});
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0], "card 0000 368 -943");  // the right half, rows mirrored
    EXPECT_EQ(Parse(back[2]).escapement, 1800);
    EXPECT_GE(Parse(back[2]).x, 368);
    EXPECT_LE(Parse(back[2]).x, 726);
}
