#include "render/legibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "render/card_reading.h"
#include "render/item_boxes.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "tests/render/render_fixture.h"

namespace {

class LegibilityTest : public RenderTest {
protected:
    std::vector<std::string> Notes(const std::string& keys) {
        Record("[0000]\r\n" + keys);
        view.CurrentSection = "0000";
        const CardValue card = ReadCard(view, "0000");
        std::ostringstream trace;
        TraceSurface measuring(trace, 100, 100, true);
        return LegibilityNotes(card, DrawnItemBoxes(view, measuring, card),
                               [](const std::string& face, char32_t code) { return code != 0x20BB7 || face == "Full"; });
    }
    static std::string Item(const std::string& item, const std::string& suffix, const std::string& value) {
        return "1" + S(item) + suffix + "=" + value + "\r\n";
    }
};

}  // namespace

// A name with a character its face lacks, set at 4 units (2.9 pt); a company condensed to a
// fifth of its width. A face that has the character, a readable size and a mild condensing say
// nothing.
TEST_F(LegibilityTest, NamesAFallbackFaceAndATextTooNarrowOrTooSmallToRead) {
    const std::string name = "&#x20bb7;" + S("田");
    const std::string card = S("氏名") + "=" + exact_text::Plain(name) + "\r\n" + S("氏名") + "Unicode=" + name + "\r\n" +
                             S("所属") + "=" + S("株式会社山田製作所東京本社営業部") + "\r\n" +
                             "1IsPrint" + S("氏名") + "=1\r\n1IsPrint" + S("所属") + "=1\r\n" +
                             Item("所属", "FitWidth", "60") + Item("所属", "FitMin", "10") +
                             Item("所属", "Font", "-20 0 0 0 400 0 0 0 128 3 2 1 49 0");
    const std::vector<std::string> notes =
        Notes(card + Item("氏名", "Font", "-4 0 0 0 400 0 0 0 128 3 2 1 49 0") + Item("氏名", "FontFace", "Thin"));
    ASSERT_EQ(notes.size(), 3u) << ::testing::PrintToString(notes);
    EXPECT_EQ(notes[0], "氏名 「𠮷」はフォント「Thin」になく、別のフォントで印刷");
    EXPECT_EQ(notes[1], "氏名 文字の大きさ 2.9 pt（6 pt 未満）");
    EXPECT_EQ(notes[2].rfind("所属 長体 ", 0), 0u) << notes[2];
    EXPECT_NE(notes[2].find("（50 % 未満）"), std::string::npos) << notes[2];

    EXPECT_TRUE(Notes(S("氏名") + "=" + exact_text::Plain(name) + "\r\n" + S("氏名") + "Unicode=" + name + "\r\n1IsPrint" +
                      S("氏名") + "=1\r\n" + Item("氏名", "Font", "-20 0 0 0 400 0 0 0 128 3 2 1 49 0") +
                      Item("氏名", "FontFace", "Full"))
                    .empty());
}
