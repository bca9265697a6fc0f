#include "dialogs/sheet_preview.h"

#include <gtest/gtest.h>

#include "tests/render/render_fixture.h"

namespace {

class SheetPreviewTest : public RenderTest {
protected:
    // Cards 0000 … 0004, named and printed in slot 2.
    SheetPreviewTest() {
        std::string bytes = "[#Setting#]\r\nLabel=1\r\nMax=4\r\n";
        for (const char* card : {"0000", "0001", "0002", "0003", "0004"})
            bytes += "[" + std::string(card) + "]\r\n" + S("氏名") + "=N\r\n2IsPrint" + S("氏名") + "=1\r\n";
        Record(bytes);
        view.slot = 1;
        view.slotPrefix = "1";
    }
    std::vector<std::string> Preview(const SheetLayout& layout, std::vector<std::string> prefixes) {
        return Trace([&](Surface& s) { DrawSheetPreview(view, 2, layout, s); }, std::move(prefixes));
    }
};

}  // namespace

TEST_F(SheetPreviewTest, DrawsOnePageAtTheGivenLayoutAndCutLinesWithTheSlotsKeys) {
    SheetLayout layout;
    layout.columns = 3;
    layout.rows = 1;
    layout.label = {100, 50};
    layout.left = 5;
    layout.top = 7;
    layout.gapH = 20;
    const std::string before = ReadBytes(PathOf("r.ini"));
    EXPECT_EQ(Preview(layout, {"card"}),
              (std::vector<std::string>{"card 0000 5 -7", "card 0001 125 -7", "card 0002 245 -7"}));
    EXPECT_EQ(Preview(layout, {"text"}).size(), 3u) << "names are printed with the keys of slot 2";
    EXPECT_EQ(view.slot, 1);
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), before);

    layout.columns = 1;
    EXPECT_EQ(Preview(layout, {"line"}).size(), 4u);  // the outline
    layout.cropMarks = true;
    EXPECT_EQ(Preview(layout, {"line"}).size(), 8u);  // four corner marks of two arms
    layout.noCutLine = true;
    EXPECT_TRUE(Preview(layout, {"line"}).empty());
}
