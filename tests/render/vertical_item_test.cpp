#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "render/card.h"
#include "render/vertical_cells.h"
#include "tests/render/render_fixture.h"

namespace {

// A vertical name in a 20-unit trace font on card 0000 of a 358 × 216 label drawn at (10, −10).
class VerticalItemTest : public RenderTest {
protected:
    VerticalItemTest() { view.CurrentSection = "0000"; }

    void NameCard(const std::string& name, const std::string& keys) {
        const std::string item = S("氏名");
        Record("[0000]\r\n" + item + "=" + S(name) + "\r\n1IsPrint" + item + "=1\r\n1" + item +
               "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n1" + item + "Vertical=1\r\n" + keys);
    }
    static std::string Key(const std::string& suffix, const std::string& value) {
        return "1" + S("氏名") + suffix + "=" + value + "\r\n";
    }
    std::vector<std::string> Draw() {
        return Trace([&](Surface& s) { DrawCard(view, s, 10, -10); }, {"text", "vtext"});
    }
    // Each line as "x y width length [scaley=N] font-height".
    std::vector<std::string> Columns() {
        std::vector<std::string> columns;
        for (const std::string& line : Draw()) {
            std::istringstream in(line);
            std::string word, x, y, width, length, height, scale;
            in >> word >> x >> y >> width >> length;
            for (std::string field; in >> field;) {
                if (field.rfind("font=", 0) == 0) height = " " + field.substr(5, field.find(':') - 5);
                if (field.rfind("scaley=", 0) == 0) scale = " " + field;
            }
            columns.push_back(word + " " + x + " " + y + " " + width + " " + length + scale + height);
        }
        return columns;
    }
};

}  // namespace

TEST(VerticalCellsTest, DigitPairsStandingAloneTakeOneCell) {
    EXPECT_EQ(VerticalCells(S("山田太郎")), 4);
    EXPECT_EQ(VerticalCells(S("第12回")), 3);
    EXPECT_EQ(VerticalCells("2026"), 4);   // four digits stay upright, one a cell
    EXPECT_EQ(VerticalCells("1"), 1);
    EXPECT_EQ(VerticalCells("12"), 1);
    EXPECT_EQ(VerticalCells("12a34"), 3);
    EXPECT_EQ(VerticalCells(S("１２")), 2);  // full-width digits are characters of their own
    EXPECT_EQ(VerticalCells(""), 0);
}

TEST_F(VerticalItemTest, TheColumnStartsAtTheStoredPosition) {
    NameCard("山田 太郎", Key("Xpos", "30") + Key("Ypos", "5"));  // 5 cells of 20
    const std::vector<std::string> lines = Draw();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "vtext 40 -15 20 100 esc=0 color=000000 bk=opaque:ffffff hollow=0 font=-20:400:ＭＳ ゴシック "
                        "\"山田 太郎\"");
}

TEST_F(VerticalItemTest, AlignmentActsAcrossAndAlongTheTag) {
    // Centred across: (358 − 20) / 2 = 169; at the bottom: 216 − 80 = 136.
    NameCard("山田太郎", Key("PrintPos", "2") + Key("PrintVPos", "3"));
    EXPECT_EQ(Columns(), std::vector<std::string>{"vtext 179 -146 20 80 -20"});
    NameCard("山田太郎", Key("PrintPos", "1") + Key("PrintVPos", "2"));
    EXPECT_EQ(Columns(), std::vector<std::string>{"vtext 348 -78 20 80 -20"});
}

TEST_F(VerticalItemTest, AFitWidthShortensTheColumnThenShrinksItAboutItsCentreLine) {
    // 8 cells, 160 long: 平体 at 75 % gives 120.
    NameCard("勅使河原左衛門郎", Key("Xpos", "50") + Key("FitWidth", "120"));
    EXPECT_EQ(Columns(), std::vector<std::string>{"vtext 60 -10 20 120 scaley=75 -20"});
    // At 50 % it is still 80 long: the font goes to 15 (60 long) and the narrower column keeps
    // its centre line, 2 units in ((20 − 15) / 2).
    NameCard("勅使河原左衛門郎", Key("Xpos", "50") + Key("FitWidth", "60"));
    EXPECT_EQ(Columns(), std::vector<std::string>{"vtext 62 -10 15 60 scaley=50 -15"});
}

TEST_F(VerticalItemTest, EffectsAreColumnsToo) {
    NameCard("山田", Key("bShadow", "1") + Key("Nakanuki", "1"));
    const std::vector<std::string> lines = Draw();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("vtext 10 -10 20 40 ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("hollow=1"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("vtext 12 -12 20 40 ", 0), 0u) << lines[1];  // the shadow: 10 × 10 / 50, 20 × 10 / 100
    EXPECT_NE(lines[1].find("color=808080"), std::string::npos);
    EXPECT_EQ(lines[2].rfind("vtext 10 -10 20 40 ", 0), 0u) << lines[2];
}

TEST_F(VerticalItemTest, RubyStaysAnItemOfItsOwnBesideAVerticalName) {
    NameCard("山田", Key("Ruby", "1") + S("読み") + "=" + S("やまだ") + "\r\n1IsPrint" + S("読み") + "=1\r\n");
    const std::vector<std::string> lines = Draw();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].find("ruby=1"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("text ", 0), 0u);
}
