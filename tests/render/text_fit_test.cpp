#include "render/text_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "render/card.h"
#include "render/logical_math.h"
#include "render/wrapped_item.h"
#include "tests/render/render_fixture.h"

namespace {

// A text whose width is `perUnit` per unit of height at 100 %, rounded down like a surface's
// measurement, counting how often it is measured.
struct Measured {
    double perUnit;
    int calls = 0;
    std::int32_t operator()(std::int32_t height, std::int32_t scale) {
        ++calls;
        return static_cast<std::int32_t>(std::floor(perUnit * height * scale / 100.0));
    }
};

TextFit Fit(Measured& text, std::int32_t height, std::int32_t fitWidth, std::int32_t fitMin) {
    return FitText(height, text(height, 100), fitWidth, fitMin, [&](std::int32_t h, std::int32_t s) { return text(h, s); });
}

}  // namespace

TEST(TextFitTest, ATextThatFitsIsLeftAlone) {
    Measured text{5.0};
    EXPECT_EQ(Fit(text, 20, 100, 50).scale, 100);
    EXPECT_EQ(Fit(text, 20, 500, 50).height, 20);
    EXPECT_EQ(Fit(text, 20, 0, 50).scale, 100);  // no width: off
    EXPECT_EQ(Fit(text, 20, -30, 50).scale, 100);
}

TEST(TextFitTest, CondensesToTheWidestScaleThatFitsBeforeShrinking) {
    Measured text{9.5};  // 190 wide at height 20
    TextFit fit = Fit(text, 20, 150, 50);
    EXPECT_EQ(fit.height, 20);
    EXPECT_EQ(fit.scale, 79);  // 150.1 wide, measured 150; 80 % would be 152
    EXPECT_LE(text(20, fit.scale), 150);
    EXPECT_GT(text(20, fit.scale + 1), 150);

    // At the smallest scale the text is still 95 wide: the font is made smaller, at 50 %.
    fit = Fit(text, 20, 80, 50);
    EXPECT_EQ(fit.scale, 50);
    EXPECT_EQ(fit.height, 17);  // 80.75 wide, measured 80; 18 would be 85.5
    EXPECT_LE(text(fit.height, 50), 80);
    EXPECT_GT(text(fit.height + 1, 50), 80);
}

TEST(TextFitTest, MeasuresAboutLogTwoOfTheRangeTimes) {
    for (const double perUnit : {1.0, 7.3, 19.9, 64.0}) {
        for (const std::int32_t width : {3, 40, 199, 1000}) {
            Measured text{perUnit};
            const TextFit fit = Fit(text, 300, width, 10);
            // 1 natural measurement, ≤ 2 + ⌈log₂ 90⌉ for the scale, ≤ 2 + ⌈log₂ 300⌉ for the height.
            EXPECT_LE(text.calls, 1 + 9 + 11) << perUnit << " " << width;
            if (fit.height > 1) {
                EXPECT_LE(text(fit.height, fit.scale), width);
            }
        }
    }
}

TEST(TextFitTest, AWidthNothingFitsGivesTheSmallestFontNeverZero) {
    Measured text{10.0};
    const TextFit fit = Fit(text, 20, 1, 50);
    EXPECT_EQ(fit.height, 1);
    EXPECT_EQ(fit.scale, 50);
    Measured one{10.0};
    EXPECT_EQ(Fit(one, 1, 1, 50).height, 1);
}

TEST(TextFitTest, ASmallestScaleOfAHundredOnlyShrinks) {
    Measured text{10.0};  // 200 wide
    const TextFit fit = Fit(text, 20, 150, 100);
    EXPECT_EQ(fit.scale, 100);
    EXPECT_EQ(fit.height, 15);
}

TEST(TextFitTest, HeightsKeepTheirSignAndFixedWidthsShrinkAlong) {
    LogFont font;
    font.lfHeight = -40;
    font.lfWidth = 20;
    const LogFont smaller = WithHeight(font, 30);
    EXPECT_EQ(smaller.lfHeight, -30);
    EXPECT_EQ(smaller.lfWidth, 15);
    font.lfHeight = 0;
    font.lfWidth = 0;
    EXPECT_EQ(HeightOf(font), 16);
    EXPECT_EQ(WithHeight(font, 12).lfHeight, 12);  // a cell height, as 0 stands for one
    font.lfHeight = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(HeightOf(font), kMaxFontExtent);
}

namespace {

// A name of 19 bytes, 190 wide in a 20-unit trace font, on a 358 × 216 label.
class FitItemTest : public RenderTest {
protected:
    FitItemTest() { view.CurrentSection = "0000"; }

    void NameCard(const std::string& keys) {
        const std::string name = S("氏名");
        Record("[0000]\r\n" + name + "=" + S("勅使河原 左衛門三郎") + "\r\n1IsPrint" + name + "=1\r\n1" + name +
               "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n" + keys);
    }
    static std::string Key(const std::string& suffix, const std::string& value) {
        return "1" + S("氏名") + suffix + "=" + value + "\r\n";
    }
    // Each text line as "x y width font-height [scalex=N]".
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const std::string& line : Trace([&](Surface& s) { DrawCard(view, s, 10, -10); }, {"text"})) {
            std::istringstream in(line);
            std::string word, x, y, width;
            in >> word >> x >> y >> width;
            std::string height, scale;
            for (std::string field; in >> field;) {
                if (field.rfind("font=", 0) == 0) height = " " + field.substr(5, field.find(':') - 5);
                if (field.rfind("scalex=", 0) == 0) scale = " " + field;
            }
            texts.push_back(x + " " + y + " " + width + height + scale);
        }
        return texts;
    }
};

}  // namespace

TEST_F(FitItemTest, CondensesFirstThenShrinksKeepingTheBaseline) {
    NameCard(Key("Xpos", "5") + Key("Ypos", "8") + Key("FitWidth", "150"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"15 -18 150 -20 scalex=79"});
    // At the default smallest scale of 50 % it is still 95 wide: the font goes down to 17, and
    // the cell moves down by the 3 units its ascent lost.
    NameCard(Key("Xpos", "5") + Key("Ypos", "8") + Key("FitWidth", "80"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"15 -21 80 -17 scalex=50"});
    // A text that fits is drawn as it is.
    NameCard(Key("Xpos", "5") + Key("Ypos", "8") + Key("FitWidth", "190"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"15 -18 190 -20"});
}

// An item that may wrap takes a second line, broken at the blank, rather than condensing below
// three quarters; each line is 70 % of the height and fitted on its own, the lower drawn first. A text that condenses
// little stays on one line.
TEST_F(FitItemTest, AWrappingItemTakesASecondLineBeforeItCondensesHard) {
    NameCard(Key("FitWidth", "100") + Key("Wrap", "1"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10 -26 70 -14", "10 -10 56 -14"}));
    NameCard(Key("FitWidth", "100"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -10 100 -20 scalex=53"});
    NameCard(Key("FitWidth", "150") + Key("Wrap", "1"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -10 150 -20 scalex=79"});
    // Centred, each line in the box by its own width.
    NameCard(Key("PrintPos", "2") + Key("FitWidth", "100") + Key("Wrap", "1"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"154 -26 70 -14", "161 -10 56 -14"}));
    // A name with its honorific stays one line, and the honorific is printed.
    NameCard(Key("FitWidth", "100") + Key("Wrap", "1") + Key("Honorific", S("様")));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10 -11 90 -19 scalex=50", "103 -17 6 -13 scalex=50"}));
}

TEST(WrapPointTest, BreaksAtTheMiddleBlankElseBetweenCharactersNeverBeforeAClosingMark) {
    const std::string company = S("株式会社 山田製作所");
    const WrapPoint blank = FindWrapPoint(company);
    EXPECT_EQ(company.substr(0, blank.end), S("株式会社"));
    EXPECT_EQ(company.substr(blank.start), S("山田製作所"));
    const std::string closing = S("東京、大阪");
    const WrapPoint after = FindWrapPoint(closing);
    EXPECT_EQ(closing.substr(after.start), S("大阪"));  // not "、大阪"
    const std::string variant = S("葛") + "&#xe0100;" + S("西");
    EXPECT_EQ(variant.substr(FindWrapPoint(variant).start), S("西"));
    EXPECT_EQ(FindWrapPoint(S("山")).end, 0u);
}

TEST_F(FitItemTest, AnAlignedItemPlacesItsWidthBox) {
    // The 150-wide box is centred ((358 − 150) / 2 = 104) and the text centred in it.
    NameCard(Key("PrintPos", "2") + Key("FitWidth", "150"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"114 -10 150 -20 scalex=79"});
    // A short name in a wide box stays centred on the tag: (358 − 200) / 2 + (200 − 190) / 2.
    NameCard(Key("PrintPos", "2") + Key("FitWidth", "200"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"94 -10 190 -20"});
    // Right: the box ends at the label's right edge, the text at the box's.
    NameCard(Key("PrintPos", "1") + Key("FitWidth", "300"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"178 -10 190 -20"});
    // A box wider than the label counts as the label: the text is centred as without one.
    NameCard(Key("PrintPos", "2") + Key("FitWidth", "900"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"94 -10 190 -20"});
    // Free placement: the box starts at Xpos.
    NameCard(Key("Xpos", "40") + Key("FitWidth", "300"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"50 -10 190 -20"});
}

TEST_F(FitItemTest, ShadowAndBoxFollowTheFittedText) {
    NameCard(Key("FitWidth", "150") + Key("bShadow", "1") + Key("bBkCol", "1"));
    // The shadow's offset comes from the fitted font: 20 × 79 / 200 = 7 average width, 7 × 10 / 50 = 1.
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10 -10 150 -20 scalex=79", "11 -12 150 -20 scalex=79",
                                                 "10 -10 150 -20 scalex=79"}));
    NameCard(Key("FitWidth", "150") + Key("Nakanuki", "1"));
    const std::vector<std::string> hollow = Trace([&](Surface& s) { DrawCard(view, s, 10, -10); }, {"text"});
    ASSERT_EQ(hollow.size(), 1u);
    EXPECT_NE(hollow[0].find("hollow=1 scalex=79"), std::string::npos) << hollow[0];
}

TEST_F(FitItemTest, OutOfRangeSettingsAreOffOrClamped) {
    NameCard(Key("FitWidth", "-150"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -10 190 -20"});
    NameCard(Key("FitWidth", "0") + Key("FitMin", "0"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -10 190 -20"});
    // A smallest scale above 100 is 100: only the font shrinks (15: 19 × 7 = 133 wide; 16 would
    // be 152).
    NameCard(Key("FitWidth", "150") + Key("FitMin", "500"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -15 133 -15"});
    // Below 10 it is 10; a width of 1 gets a font of 2 (19 × 2 × 10 / 200 = 1.9), never of 0.
    NameCard(Key("FitWidth", "1") + Key("FitMin", "-20"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"10 -28 1 -2 scalex=10"});
}

TEST_F(FitItemTest, FollowingItemsGetTheirOwnFontAndNoScale) {
    const std::string title = S("肩書き");
    NameCard(Key("FitWidth", "80") + "1IsPrint" + title + "=1\r\n" + title + "=" + S("会長") + "\r\n");
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "10 -10 32 -16");  // the default font, unscaled
}
