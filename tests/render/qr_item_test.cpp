#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/card.h"
#include "render/qr_code.h"
#include "tests/render/render_fixture.h"

namespace {

// Card 0000 of a 358 × 216 label whose name is printed as a QR code when `keys` say so.
class QrItemTest : public RenderTest {
protected:
    QrItemTest() { view.CurrentSection = "0000"; }

    void NameCard(const std::string& text, const std::string& keys) {
        Record("[0000]\r\n" + S("氏名") + "=" + text + "\r\n1IsPrint" + S("氏名") + "=1\r\n" + keys);
    }
    std::string Key(const std::string& suffix, const std::string& value) const {
        return "1" + S("氏名") + suffix + "=" + value + "\r\n";
    }
    std::vector<std::string> Draw(std::vector<std::string> prefixes) {
        return Trace([&](Surface& s) { DrawCard(view, s, 10, -10); }, std::move(prefixes));
    }
};

}  // namespace

TEST_F(QrItemTest, TheTextBecomesOneCodeOfTheStoredSizeAndLevel) {
    NameCard("A0042", Key("QR", "1") + Key("QRSize", "120") + Key("QRLevel", "Q") + Key("Xpos", "30") + Key("Ypos", "40"));
    EXPECT_EQ(Draw({"qr", "text"}), std::vector<std::string>{"qr 40 -50 120 level=Q modules=21 \"A0042\""});
    // Missing keys: 80 units, level M; an unknown level and a size of 0 or less are the defaults.
    NameCard("A0042", Key("QR", "1") + Key("QRLevel", "x"));
    EXPECT_EQ(Draw({"qr"}), std::vector<std::string>{"qr 10 -10 80 level=M modules=21 \"A0042\""});
    NameCard("A0042", Key("QR", "1") + Key("QRSize", "-5") + Key("QRLevel", "h"));
    EXPECT_EQ(Draw({"qr"}), std::vector<std::string>{"qr 10 -10 80 level=H modules=21 \"A0042\""});
}

TEST_F(QrItemTest, AlignmentPlacesTheSquare) {
    NameCard("A0042", Key("QR", "1") + Key("QRSize", "100") + Key("PrintPos", "2") + Key("PrintVPos", "3"));
    // (358 − 100) / 2 = 129 right of the card, 216 − 100 = 116 down.
    EXPECT_EQ(Draw({"qr"}), std::vector<std::string>{"qr 139 -126 100 level=M modules=21 \"A0042\""});
}

TEST_F(QrItemTest, MoreTextOrMoreCorrectionMakesMoreModules) {
    const std::string url = "https://tags.invalid/guest?id=000123&event=2026";
    NameCard(url, Key("QR", "1") + Key("QRLevel", "L"));
    const std::vector<std::string> low = Draw({"qr"});
    NameCard(url, Key("QR", "1") + Key("QRLevel", "H"));
    const std::vector<std::string> high = Draw({"qr"});
    ASSERT_EQ(low.size(), 1u);
    ASSERT_EQ(high.size(), 1u);
    EXPECT_NE(low[0].find("modules=29"), std::string::npos) << low[0];   // version 3
    EXPECT_NE(high[0].find("modules=41"), std::string::npos) << high[0]; // version 6
}

TEST_F(QrItemTest, TextTheCodeCannotHoldShowsAMarkedBoxInstead) {
    QrSymbol symbol;
    EXPECT_EQ(EncodeQr(std::string(1300, 'a'), 'H', symbol), QrProblem::TooLong);
    EXPECT_EQ(symbol.modules, 0);
    EXPECT_EQ(EncodeQr(std::string(1300, 'a'), 'L', symbol), QrProblem::None);
    EXPECT_EQ(symbol.modules, 121);  // version 26
    EXPECT_EQ(EncodeQr("", 'M', symbol), QrProblem::Empty);
    EXPECT_EQ(EncodeQr("A\xFD", 'M', symbol), QrProblem::NotText);

    // The frame layer's outline of the card is left out.
    const std::vector<std::string> box = {"rect 10 -10 70 -70 pen=solid:1:ff0000 brush=none",
                                          "text 12 -12 14 15 esc=0 color=ff0000 bk=transparent hollow=0 "
                                          "font=-15:400:ＭＳ ゴシック \"QR\""};
    NameCard("A\xFD", Key("QR", "1") + Key("QRSize", "60"));
    EXPECT_EQ(Draw({"qr", "rect 10 -10 70", "text"}), box);
    // 259 stored half-width kana are 777 UTF-8 bytes: version 27 at level L, 125 modules, too
    // fine to print in 60 hundredths of an inch (a module under one hundredth).
    NameCard(std::string(259, '\xB1'), Key("QR", "1") + Key("QRSize", "60") + Key("QRLevel", "L"));
    EXPECT_EQ(Draw({"qr", "rect 10 -10 70", "text"}), box);
    EXPECT_EQ(CodeFor(std::string(259, '\xB1'), 'L', 60, symbol), QrProblem::TooFine);
    EXPECT_EQ(CodeFor(std::string(259, '\xB1'), 'L', 133, symbol), QrProblem::None);
    NameCard(std::string(259, '\xB1'), Key("QR", "1") + Key("QRSize", "300") + Key("QRLevel", "L"));
    EXPECT_EQ(Draw({"qr"}).size(), 1u);
}

TEST_F(QrItemTest, WithoutTheKeyTheItemIsText) {
    NameCard("A0042", Key("QR", "0") + Key("QRSize", "120"));
    const std::vector<std::string> lines = Draw({"qr", "text"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("text ", 0), 0u);
}

TEST_F(QrItemTest, TheCodeCarriesUtf8) {
    QrSymbol kanji;
    ASSERT_EQ(EncodeQr(S("山田"), 'M', kanji), QrProblem::None);
    // Six UTF-8 bytes in byte mode fit the smallest version at every level.
    EXPECT_EQ(kanji.modules, 21);
    EXPECT_EQ(kanji.dark.size(), 21u * 21u);
    // The finder pattern's corner module is dark, its separator light.
    EXPECT_TRUE(kanji.Dark(0, 0));
    EXPECT_FALSE(kanji.Dark(7, 0));
}
