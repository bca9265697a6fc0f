#include "render/ruby.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "render/card.h"
#include "tests/render/render_fixture.h"

namespace {

// A name in a 20-unit trace font at (0, 30) of card 0000 drawn at (10, −10): its cell's
// top-left corner is at (10, −40). The reading has the default 16-unit font.
class RubyTest : public RenderTest {
protected:
    RubyTest() { view.CurrentSection = "0000"; }

    void NameCard(const std::string& name, const std::string& reading, const std::string& keys) {
        const std::string item = S("氏名"), readingItem = S("読み");
        Record("[0000]\r\n" + item + "=" + S(name) + "\r\n1IsPrint" + item + "=1\r\n1" + item +
               "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n1" + item + "Ypos=30\r\n" + readingItem + "=" + S(reading) +
               "\r\n1IsPrint" + readingItem + "=1\r\n1" + readingItem + "Ypos=100\r\n" + keys);
    }
    static std::string Key(const std::string& suffix, const std::string& value) {
        return "1" + S("氏名") + suffix + "=" + value + "\r\n";
    }
    // Each text line as "x y width font-height [scalex=N] [ruby=1] text".
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const std::string& line : Trace([&](Surface& s) { DrawCard(view, s, 10, -10); }, {"text"})) {
            std::istringstream in(line);
            std::string word, x, y, width;
            in >> word >> x >> y >> width;
            std::string height, marks, text;
            for (std::string field; in >> field;) {
                if (field.rfind("font=", 0) == 0) height = " " + field.substr(5, field.find(':') - 5);
                if (field.rfind("scalex=", 0) == 0 || field == "ruby=1") marks += " " + field;
                if (field[0] == '"') text = " " + field;
            }
            texts.push_back(x + " " + y + " " + width + height + marks + text);
        }
        return texts;
    }
};

}  // namespace

TEST(RubyPartsTest, SplitsAtHalfAndFullWidthSpaces) {
    using Parts = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(SplitParts(S("山田 太郎")), (Parts{{0, 4}, {5, 4}}));
    EXPECT_EQ(SplitParts(S("山田　太郎")), (Parts{{0, 4}, {6, 4}}));
    EXPECT_EQ(SplitParts(S("  山田 　太郎 ")), (Parts{{2, 4}, {9, 4}}));
    EXPECT_EQ(SplitParts(S("　 ")), Parts{});
    EXPECT_EQ(SplitParts(""), Parts{});
    // 0x81 0x40 is a space only as a whole character: "ア" (0x83 0x41) followed by "@" is not split.
    EXPECT_EQ(SplitParts("\x83\x41@"), (Parts{{0, 3}}));
}

TEST_F(RubyTest, EachReadingPartIsCentredOverItsNamePart) {
    NameCard("山田 太郎", "やまだ　たろう", Key("Ruby", "1"));
    // Ruby at 40 % of 20 is 8 high; やまだ is 24 wide over 山田 (40): 8 in; 太郎 starts at 50.
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10 -40 90 -20 \"山田", "18 -32 24 -8 ruby=1 \"やまだ\"",
                                                 "68 -32 24 -8 ruby=1 \"たろう\""}));
}

TEST_F(RubyTest, UnequalPartsPutTheWholeReadingOverTheWholeName) {
    NameCard("山田 太郎", "やまだたろう", Key("Ruby", "1") + Key("RubySize", "50"));
    // 12 bytes at 10 high: 60 wide over 90, centred 15 in, 10 above the name.
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10 -40 90 -20 \"山田", "25 -30 60 -10 ruby=1 \"やまだたろう\""}));
}

TEST_F(RubyTest, WithoutRubyOrReadingTheReadingIsItsOwnItem) {
    NameCard("山田 太郎", "やまだ たろう", "");
    const std::vector<std::string> plain = Texts();
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[1], "10 -110 104 -16 \"やまだ");  // the reading where it is placed
    NameCard("山田 太郎", "", Key("Ruby", "1"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -40 90 -20 \"山田"});
    NameCard("山田 太郎", "　", Key("Ruby", "1"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -40 90 -20 \"山田"});
}

TEST_F(RubyTest, FittingTakesNameAndRubyTogether) {
    // At 100 % the ruby is as high as the name: 13 bytes, 130 wide, wider than the name's 90.
    // 77 % brings it to 100 (100.1); both are condensed alike.
    NameCard("山田 太郎", "やまだ たろう", Key("Ruby", "1") + Key("RubySize", "100") + Key("FitWidth", "100"));
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "10 -40 69 -20 scalex=77 \"山田");
    // 山田 is 30 wide, やまだ 46: it reaches 8 past each side; 太郎 starts at 38.
    EXPECT_EQ(texts[1], "2 -20 46 -20 scalex=77 ruby=1 \"やまだ\"");
    EXPECT_EQ(texts[2], "40 -20 46 -20 scalex=77 ruby=1 \"たろう\"");
}
