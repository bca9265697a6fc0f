#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "render/card.h"
#include "render/card_reading.h"
#include "render/sheet.h"
#include "store/exact_text.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "tests/render/render_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// A card value with the items of slot 1 in drawing order, as reading an empty card gives them.
CardValue EmptyCard(const std::string& section) {
    CardValue card;
    card.section = section;
    for (const std::size_t i : {0, 3, 1, 2, 4, 5, 6, 7}) card.items.emplace_back().name = FixedItems()[i];
    return card;
}

ItemValue& Printed(CardValue& card, std::size_t index, const std::string& text) {
    ItemValue& item = card.items[index];
    item.printed = true;
    item.text = text;
    return item;
}

class CardValueTest : public RenderTest {
protected:
    CardValueTest() { view.CurrentSection = "0000"; }

    Lines FromFile() {
        return Trace([&](Surface& s) { DrawCard(view, s, 10, -10); });
    }
    Lines FromValue(const CardValue& card) {
        return Trace([&](Surface& s) { DrawCardValue(view, s, 10, -10, card); });
    }
    // Reads per card of a print job of every page of `count` cards made of `card`'s keys.
    double ReadsPerCard(int count, const std::string& card, const std::string& more = "") {
        std::string bytes = "[#Setting#]\r\nMax=" + std::to_string(count - 1) + "\r\n" + more;
        for (int i = 0; i < count; ++i) {
            char section[16];
            std::snprintf(section, sizeof section, "%.4d", i);
            bytes += "[" + std::string(section) + "]\r\n" + card;
        }
        Record(bytes);
        profile::ProfileService& service = profile::ProfileService::Instance();
        const std::size_t reads = service.ReadCount();
        const std::int32_t pages = PrintPageCount(view);
        for (view.printPage = 1; view.printPage <= pages; ++view.printPage)
            Trace([&](Surface& s) { DrawSheet(view, s); });
        return static_cast<double>(service.ReadCount() - reads) / count;
    }
};

}  // namespace

// Every layer at once: a round-cornered frame drawn again over the image, a line, a name in its
// own font with a box and a 3D shadow, a hollow item in the surface's font, an unprinted item.
TEST_F(CardValueTest, ACardBuiltInCodeDrawsAsTheSameCardReadFromItsFile) {
    Record("[1Frame]\r\nFrame=2\r\nFrame2Inside=255\r\nFrame2InsideRatio=5\r\nFrame2BorderWidth1=3\r\n"
           "Frame2GapAll=1\r\nFrame2Gap=8\r\nFrame2r=12\r\nFrameBeforeBmp=0\r\n"
           "[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n1IsPrint" + S("氏名") + "=1\r\n1" + S("氏名") +
           "Font=-20 0 0 0 700 0 0 0 128 3 2 1 49 255\r\n1" + S("氏名") + "PrintPos=2\r\n1" + S("氏名") +
           "bBkCol=1\r\n1" + S("氏名") + "BkCol=65280\r\n1" + S("氏名") + "bShadow=2\r\n1" + S("氏名") +
           "ShadowX=20\r\n" + S("所属") + "=" + S("総務") + "\r\n1IsPrint" + S("所属") + "=1\r\n1" + S("所属") +
           "Font=\r\n1" + S("所属") + "Xpos=30\r\n1" + S("所属") + "Ypos=60\r\n1" + S("所属") + "Nakanuki=1\r\n" +
           S("肩書き") + "=" + S("部長") + "\r\n1Line2sx=5\r\n1Line2sy=100\r\n1Line2ex=300\r\n1Line2ey=100\r\n"
           "1Line2Col=16711680\r\n1Line2Width=2\r\n");

    CardValue card = EmptyCard("0000");
    card.frame.kind = static_cast<std::int32_t>(FrameKind::RoundRect);
    card.frame.inside = {255, static_cast<std::int32_t>(FillPattern::BDiagonal), {PenStyle::Solid, 3, 255}};
    card.frame.gapTop = card.frame.gapBottom = card.frame.gapLeft = card.frame.gapRight = 8;
    card.frame.roundCorner = 12;
    card.frame.beforeImage = false;
    ItemValue& name = Printed(card, 0, S("山田"));
    name.font.font.lfHeight = -20;
    name.font.font.lfWeight = 700;
    name.font.color = 255;
    name.printPos = static_cast<std::int32_t>(AlignmentCode::Centre);
    name.effects.box = true;
    name.effects.boxColor = Rgb(0, 255, 0);
    name.effects.shadow = static_cast<std::int32_t>(ShadowStyle::ThreeD);
    name.effects.shadowX = 20;
    ItemValue& group = Printed(card, 3, S("総務"));
    group.font.set = false;
    group.xpos = 30;
    group.ypos = 60;
    group.effects.hollow = true;
    card.items[2].text = S("部長");  // not printed
    card.lines[1] = {5, 100, 300, 100, Rgb(0, 0, 255), 2};

    const Lines lines = FromFile();
    EXPECT_EQ(FromValue(card), lines);
    const auto count = [&](const std::string& prefix) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("roundrect"), 2);  // the inner shape, and again over the image
    EXPECT_EQ(count("line 15 -110 310 -110"), 1);
    EXPECT_EQ(count("text"), 2 + 5 + 1);  // the name, its shadow, four 3D copies and the text again; the group
}

// The values a missing key gives are those a value starts with: a card of nothing but a printed
// name and a shadow draws alike, with the frame, lines and image left out.
TEST_F(CardValueTest, MissingKeysGiveTheValuesAValueStartsWith) {
    Record("[0000]\r\n" + S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n1" + S("氏名") + "bShadow=1\r\n"
           "1BMP=\r\n");
    CardValue card = EmptyCard("0000");
    Printed(card, 0, "N").effects.shadow = 1;
    EXPECT_EQ(FromValue(card), FromFile());

    const CardValue read = ReadCard(view, "0000");
    const ItemValue& item = read.items.front();
    EXPECT_EQ(item.name, S("氏名"));
    EXPECT_TRUE(item.font.set);
    EXPECT_EQ(item.font.numbers, StoredFont::kNumbers);
    EXPECT_EQ(item.effects.shadowX, 10);
    EXPECT_EQ(item.effects.shadowColor, Rgb(128, 128, 128));
    EXPECT_TRUE(read.image.path.empty());
    EXPECT_EQ(read.label.width, 358);
    EXPECT_EQ(read.frame.inside.pattern, static_cast<std::int32_t>(FillPattern::Hollow));
    EXPECT_FALSE(read.frame.roundCorner.has_value());
}

// A font record of fewer than fourteen numbers changes only the fields it gives, and the colour
// only when it gives that too.
TEST_F(CardValueTest, AShortFontRecordKeepsTheRestOfTheFontInForce) {
    Record("[0000]\r\n" + S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n1" + S("氏名") + "Font=-30 0 0 0 700\r\n1" +
           S("氏名") + "FontFace=Mono\r\n");
    const StoredFont stored = ReadCard(view, "0000").items.front().font;
    EXPECT_EQ(stored.numbers, 5u);
    LogFont inForce;
    inForce.lfItalic = 1;
    inForce.lfCharSet = 7;
    ColorRef color = 0x123456;
    stored.PutOver(inForce, color);
    EXPECT_EQ(inForce.lfHeight, -30);
    EXPECT_EQ(inForce.lfWeight, 700);
    EXPECT_EQ(inForce.lfItalic, 1);
    EXPECT_EQ(inForce.lfCharSet, 7);
    EXPECT_EQ(inForce.lfFaceName, "Mono");
    EXPECT_EQ(color, 0x123456u);

    StoredFont none;
    none.set = false;
    none.PutOver(inForce, color);
    EXPECT_EQ(inForce.lfHeight, -30);
}

// Past what shows a layer draws nothing, its keys are not read: the items after a name that is
// not printed, the colour of a line without coordinates, the placement of an image without a path.
TEST_F(CardValueTest, ALayerThatDrawsNothingLeavesItsOtherKeysUnread) {
    Record("[0000]\r\n" + S("氏名") + "=N\r\n" + S("所属") + "=G\r\n1IsPrint" + S("所属") +
           "=1\r\n1Line1Col=255\r\n1Line2ex=4\r\n1Line2Col=255\r\n1BMPZoom=50\r\n");
    const CardValue card = ReadCard(view, "0000");
    EXPECT_FALSE(card.items[0].printed);
    EXPECT_TRUE(card.items[3].text.empty());
    EXPECT_EQ(card.lines[0].color, 0u);
    EXPECT_EQ(card.lines[1].color, 255u);
    EXPECT_EQ(card.image.zoom, 100);
}

// What all cards share is read once per drawing: a frame of many keys costs no reads per card, and
// reads per card do not grow with the cards.
TEST_F(CardValueTest, TheFrameIsReadOncePerDrawingAndEachCardAFixedNumberOfTimes) {
    const std::string card = S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n1" + S("氏名") + "bShadow=1\r\n"
                             "1Line1sx=5\r\n1BMP=logo.bmp\r\n";
    const std::string frame = "[1Frame]\r\nFrame=1\r\nFrame1Inside=255\r\nFrame1GapT=3\r\n";
    const double plain = ReadsPerCard(200, card);
    const double framed = ReadsPerCard(200, card, frame);
    EXPECT_LT(framed - plain, 1.0);
    EXPECT_LE(ReadsPerCard(600, card, frame), ReadsPerCard(30, card, frame));
}

// The shared part follows the files: a frame or label size changed between two drawings is drawn.
TEST_F(CardValueTest, ChangesToTheFrameAndTheLabelSizeReachTheNextDrawing) {
    const std::string name = "[0000]\r\n" + S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n1" + S("氏名") +
                             "PrintPos=1\r\n";
    Record(name);
    const Lines before = FromFile();
    Record(name + "[1Frame]\r\nFrame=3\r\n");
    Settings("[Card]\r\n1w=200\r\n");
    const Lines after = FromFile();
    const auto ellipses = [](const Lines& lines) {
        return std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("ellipse", 0) == 0; });
    };
    EXPECT_EQ(ellipses(before), 0);
    EXPECT_EQ(ellipses(after), 1);
    EXPECT_EQ(ReadCard(view, "0000").label.width, 200);
}

// While a card is edited, a record file may hide its frame and image; the text stays, and a
// print draws them.
TEST_F(CardValueTest, EditingACardOfAFileThatHidesDecorationLeavesOutFrameAndImage) {
    Record("[Option]\r\nNoBMPEdit=1\r\n[1Frame]\r\nFrame=3\r\n[0000]\r\n" + S("氏名") + "=N\r\n1IsPrint" + S("氏名") +
           "=1\r\n");
    const auto kinds = [&] {
        Lines found;
        for (const std::string& line : FromFile()) found.push_back(line.substr(0, line.find(' ')));
        return found;
    };
    EXPECT_EQ(kinds(), (Lines{"card", "rect", "ellipse", "text", "line", "line", "line", "line"}));
    view.mode = ViewMode::CardMode;
    EXPECT_EQ(kinds(), (Lines{"card", "text", "line", "line", "line", "line"}));
}

// The card reads both keys whole: a long exact text beside a plain form within the read limit
// is the card's text, and a plain text without an exact key is cut as any read cuts it.
TEST_F(CardValueTest, ALongExactTextIsReadWholeAndAPlainOneIsCut) {
    const std::string exact = "&#x20bb7;" + std::string(50, 'a') + "&#x20bb7;";  // 9 + 50 + 9 bytes
    const std::string shortExact = exact + exact + exact + exact;  // 272 bytes, plain 216
    Record("[0000]\r\n" + S("氏名") + "=" + exact_text::Plain(shortExact) + "\r\n" + S("氏名") + "Unicode=" + shortExact +
           "\r\n" + S("所属") + "=" + std::string(300, 'b') + "\r\n1IsPrint" + S("氏名") + "=1\r\n1IsPrint" + S("所属") + "=1\r\n");
    const CardValue read = ReadCard(view, "0000");
    const auto text = [&](const std::string& item) {
        return std::find_if(read.items.begin(), read.items.end(), [&](const ItemValue& i) { return i.name == item; })->text;
    };
    EXPECT_EQ(text(S("氏名")), shortExact);
    EXPECT_EQ(text(S("所属")), std::string(259, 'b'));
}
