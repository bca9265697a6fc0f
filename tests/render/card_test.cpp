#include <gtest/gtest.h>

#include <cstdio>

#include "render/card.h"
#include "tests/render/render_fixture.h"

namespace {

// Card 0000 with a name 山田 (two double-byte characters, 40 × 20 in a 20-unit trace font).
class CardTest : public RenderTest {
protected:
    CardTest() { view.CurrentSection = "0000"; }

    std::string Name() const { return S("氏名"); }
    // Keys of the name item for slot 1 on top of a printed name with a 20-unit font.
    void NameCard(const std::string& keys, const std::string& more = "") {
        Record("[0000]\r\n" + Name() + "=" + S("山田") + "\r\n1IsPrint" + Name() + "=1\r\n1" + Name() +
               "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n" + keys + more);
    }
    std::string NameKey(const std::string& suffix) const { return "1" + Name() + suffix; }
    std::vector<std::string> Draw(std::vector<std::string> prefixes) {
        return Trace([&](Surface& s) { DrawCard(view, s, 10, -10); }, std::move(prefixes));
    }
    std::vector<std::string> TextPositions() {
        std::vector<std::string> positions;
        for (const std::string& line : Draw({"text"})) {
            std::istringstream in(line);
            std::string word, x, y;
            in >> word >> x >> y;
            positions.push_back(x + "," + y);
        }
        return positions;
    }
};

}  // namespace

TEST_F(CardTest, AlignmentPlacesTheTextWithinTheLabelAndNeverLeftOfIt) {
    NameCard(NameKey("Xpos=7\r\n") + NameKey("Ypos=8\r\n"));
    EXPECT_EQ(TextPositions(), std::vector<std::string>{"17,-18"});
    NameCard(NameKey("Xpos=7\r\n") + NameKey("PrintPos=1\r\n") + NameKey("PrintVPos=3\r\n"));
    EXPECT_EQ(TextPositions(), std::vector<std::string>{"328,-206"});  // 358 − 40, 216 − 20
    NameCard(NameKey("PrintPos=2\r\n") + NameKey("PrintVPos=2\r\n"));
    EXPECT_EQ(TextPositions(), std::vector<std::string>{"169,-108"});
    view.label = {30, 216};
    Settings("[Card]\r\n1w=30\r\n");
    NameCard(NameKey("Xpos=7\r\n") + NameKey("PrintPos=2\r\n"));
    EXPECT_EQ(TextPositions(), std::vector<std::string>{"10,-10"});
}

// A stored position past 10 m is read as 10 m: the text and its honorific stay where the sums
// of such positions hold.
TEST_F(CardTest, PositionsPastTenMetresAreReadAsTenMetres) {
    const std::string honorific = NameKey("Honorific=" + S("様") + "\r\n");
    NameCard(honorific);
    const std::vector<std::string> atCorner = TextPositions();
    NameCard(NameKey("Xpos=2147483647\r\n") + NameKey("Ypos=2147483647\r\n") + honorific);
    const std::vector<std::string> far = TextPositions();
    ASSERT_EQ(far.size(), 2u);
    for (std::size_t i = 0; i < far.size(); ++i) {
        int x = 0, y = 0, farX = 0, farY = 0;
        std::sscanf(atCorner[i].c_str(), "%d,%d", &x, &y);
        std::sscanf(far[i].c_str(), "%d,%d", &farX, &farY);
        EXPECT_EQ(farX - x, 393700) << far[i];
        EXPECT_EQ(y - farY, 393700) << far[i];
    }
    NameCard(NameKey("Xpos=-2147483648\r\n") + NameKey("Ypos=-2147483648\r\n"));
    EXPECT_EQ(TextPositions(), std::vector<std::string>{"-393690,393690"});
}

TEST_F(CardTest, ShadowsAndThreeDCopiesLieRightAndBelow) {
    NameCard(NameKey("bShadow=2\r\n") + NameKey("ShadowX=-15\r\n") + NameKey("shadowy=5\r\n"));
    // dx = 10·15/50 = 3, dy = 20·5/100 = 1: shadow, copies k = 3, 2, 1, then the text again.
    EXPECT_EQ(TextPositions(),
              (std::vector<std::string>{"10,-10", "13,-11", "13,-11", "12,-10", "11,-10", "10,-10"}));
    const std::vector<std::string> lines = Draw({"text"});
    EXPECT_NE(lines[1].find("color=808080 bk=transparent"), std::string::npos);
    EXPECT_NE(lines[5].find("color=000000 bk=transparent"), std::string::npos);
}

TEST_F(CardTest, BackgroundBoxPaintsOnlyWithTheFirstOutput) {
    NameCard(NameKey("bBkCol=1\r\n") + NameKey("BkCol=65280\r\n") + NameKey("bShadow=1\r\n"));
    const std::vector<std::string> lines = Draw({"text"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("bk=opaque:00ff00"), std::string::npos);
    EXPECT_NE(lines[1].find("bk=transparent"), std::string::npos);
    EXPECT_NE(lines[2].find("bk=transparent"), std::string::npos);
}

TEST_F(CardTest, HollowTextIsOutlinedAndStillShadowed) {
    NameCard(NameKey("Nakanuki=1\r\n"));
    const std::vector<std::string> hollow = Draw({"text"});
    ASSERT_EQ(hollow.size(), 1u);
    EXPECT_NE(hollow[0].find("hollow=1"), std::string::npos);
    NameCard(NameKey("Nakanuki=1\r\n") + NameKey("bShadow=1\r\n"));
    const std::vector<std::string> shadowed = Draw({"text"});
    ASSERT_EQ(shadowed.size(), 3u);
    EXPECT_NE(shadowed[2].find("hollow=0"), std::string::npos);
}

TEST_F(CardTest, RotationComesWithTheFontAndAlignmentUsesTheUnrotatedExtent) {
    Record("[0000]\r\n" + Name() + "=" + S("山田") + "\r\n1IsPrint" + Name() + "=1\r\n1" + Name() +
           "Font=-20 0 900 900 400 0 0 0 128 3 2 1 49 255\r\n" + NameKey("PrintPos=1\r\n"));
    const std::vector<std::string> lines = Draw({"text"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, lines[0].find(" \"")),
              "text 328 -10 40 20 esc=900 color=ff0000 bk=opaque:ffffff hollow=0 font=-20:400:ＭＳ ゴシック");
}

TEST_F(CardTest, TextOverDecorationPutsTheLinesUnderTransparentText) {
    const std::string line = "1Line1sx=5\r\n1Line1ex=50\r\n";
    NameCard("", line);
    std::vector<std::string> lines = Draw({"text", "line 15"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("text", 0), 0u);  // lines over the text
    EXPECT_NE(lines[0].find("bk=opaque"), std::string::npos);

    Settings("[PrintMode]\r\nbTransparent=1\r\n");
    lines = Draw({"text", "line 15"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("line", 0), 0u);  // lines under the text
    EXPECT_NE(lines[1].find("bk=transparent"), std::string::npos);
}

TEST_F(CardTest, ACardWhoseNameIsNotPrintedStopsAfterItsDecorationUnderTheText) {
    Settings("[PrintMode]\r\nbTransparent=1\r\n");
    Record("[0000]\r\n" + Name() + "=" + S("山田") + "\r\n" + S("読み") + "=yamada\r\n1IsPrint" + S("読み") +
           "=1\r\n1Line1sx=5\r\n");
    const std::vector<std::string> lines = Draw({});
    ASSERT_EQ(lines.size(), 3u);  // the card mark, the frame's outline and the line
    EXPECT_EQ(lines[1].rfind("rect", 0), 0u);
    EXPECT_EQ(lines[2], "line 15 -10 10 -10 pen=solid:1:000000");
}

TEST_F(CardTest, ItemsAreDrawnNameFirstThenTheOthersThenTheUsersOwn) {
    view.userItems = {S("係"), S("部屋")};
    std::string bytes = "[0000]\r\n";
    for (const char* item : {"部屋", "係", "その他4", "肩書き", "読み", "氏名"})
        bytes += S(item) + "=" + S(item) + "\r\n1IsPrint" + S(item) + "=1\r\n";
    Record(bytes);
    std::vector<std::string> order;
    for (const std::string& line : Draw({"text"})) order.push_back(line.substr(line.find('"')));
    EXPECT_EQ(order, (std::vector<std::string>{"\"氏名\"", "\"読み\"", "\"肩書き\"", "\"その他4\"", "\"係\"", "\"部屋\""}));
}

TEST_F(CardTest, EachBackgroundBoxBelongsToItsOwnItem) {
    const auto box = [](const char* item, const char* colour) {
        return "1" + S(item) + "bBkCol=1\r\n1" + S(item) + "BkCol=" + colour + "\r\n";
    };
    std::string bytes = "[0000]\r\n";
    for (const char* item : {"氏名", "読み", "肩書き", "所属"})
        bytes += S(item) + "=x\r\n1IsPrint" + S(item) + "=1\r\n";
    Record(bytes + box("氏名", "65535") + box("肩書き", "65280"));  // yellow, then green
    const auto backgrounds = [&] {
        std::vector<std::string> found;
        for (const std::string& line : Draw({"text"})) {
            const std::size_t at = line.find(" bk=") + 4;
            found.push_back(line.substr(at, line.find(' ', at) - at));
        }
        return found;
    };
    // Drawn 氏名, 読み, 肩書き, 所属: the items without a box keep the default white one.
    EXPECT_EQ(backgrounds(),
              (std::vector<std::string>{"opaque:ffff00", "opaque:ffffff", "opaque:00ff00", "opaque:ffffff"}));
    Settings("[PrintMode]\r\nbTransparent=1\r\n");
    EXPECT_EQ(backgrounds(),
              (std::vector<std::string>{"opaque:ffff00", "transparent", "opaque:00ff00", "transparent"}));
}

TEST_F(CardTest, ExtremeStoredFontNumbersAreDrawnWithinBounds) {
    Record("[0000]\r\n" + Name() + "=" + S("山田") + "\r\n1IsPrint" + Name() + "=1\r\n1" + Name() +
           "Font=-2147483648 -2147483648 -2147483648 -2147483648 2147483647 0 0 0 128 3 2 1 49 0\r\n" +
           NameKey("PrintPos=2\r\n") + NameKey("PrintVPos=3\r\n") + NameKey("bShadow=1\r\n"));
    const std::vector<std::string> lines = Draw({"text"});
    ASSERT_EQ(lines.size(), 3u);
    // A ten-inch font is wider and higher than the label: it starts at the label's corner.
    EXPECT_EQ(lines[0].substr(0, lines[0].find(" color")), "text 10 -10 2000 1000 esc=-2147483648");
    // The shadow: 500 · 10 / 50 to the right, 1000 · 10 / 100 down.
    EXPECT_EQ(lines[1].substr(0, lines[1].find(" esc")), "text 110 -110 2000 1000");
}

TEST_F(CardTest, AnHonorificFollowsTheNameOnItsBaselineAndTheLineIsPlacedAsAWhole) {
    // 様 at 50 % of the 20-unit font: 10 wide after a gap of 2; the line 山田 様 is 52 wide, centred in 358.
    NameCard(NameKey("PrintPos=2\r\n") + NameKey("Honorific=") + S("様") + "\r\n" + NameKey("HonorificSize=50\r\n"));
    EXPECT_EQ(TextPositions(), (std::vector<std::string>{"163,-10", "205,-20"}));  // its top 10 lower
}
