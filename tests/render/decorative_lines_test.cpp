#include "render/decorative_lines.h"

#include <string>
#include <vector>

#include "render/card_reading.h"
#include "tests/render/render_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class DecorativeLines : public RenderTest {
protected:
    // Line "1" of card 0000 at (10, −20).
    Lines Line(const std::string& keys) {
        Record("[0000]\n" + keys);
        return Trace([&](Surface& s) { DrawLineOf(s, "0000", "1"); });
    }
    // The line as a card reads and draws it.
    void DrawLineOf(Surface& s, const std::string& section, const std::string& line) {
        DrawCardLine(s, 10, -20, ReadLine(SectionReader(*view.record, section), LineKeys(view.slotPrefix, line)));
    }
};

TEST_F(DecorativeLines, AllCoordinatesZeroDrawsNothing) {
    EXPECT_EQ(Line("1Line1Col=255\n1Line1Width=5\n1Line1sx=0\n"), Lines{});
}

TEST_F(DecorativeLines, EndsAreMeasuredFromTheTopLeftCornerDownward) {
    EXPECT_EQ(Line("1Line1sx=10\n"), Lines{"line 20 -20 10 -20 pen=solid:1:000000"});
    EXPECT_EQ(Line("1Line1sx=5\n1Line1sy=6\n1Line1ex=7\n1Line1ey=8\n"), Lines{"line 15 -26 17 -28 pen=solid:1:000000"});
}

TEST_F(DecorativeLines, LinesOutsideTheCardAreNotClipped) {
    EXPECT_EQ(Line("1Line1sx=-30\n1Line1sy=400\n1Line1ex=500\n1Line1ey=-10\n"),
              Lines{"line -20 -420 510 -10 pen=solid:1:000000"});
}

TEST_F(DecorativeLines, ColourAndWidthAreStored) {
    EXPECT_EQ(Line("1Line1sx=1\n1Line1Col=255\n1Line1Width=0\n"), Lines{"line 11 -20 10 -20 pen=solid:0:ff0000"});
    EXPECT_EQ(Line("1Line1sx=1\n1Line1Width=12\n"), Lines{"line 11 -20 10 -20 pen=solid:12:000000"});
}

TEST_F(DecorativeLines, KeysNameTheSlotAndTheLine) {
    view.slotPrefix = "2";
    Record("[0000]\n1Line3sx=1\n2Line1sx=2\n2Line3sx=3\n[0001]\n2Line3sx=4\n");
    EXPECT_EQ(Trace([&](Surface& s) { DrawLineOf(s, "0000", "3"); }),
              Lines{"line 13 -20 10 -20 pen=solid:1:000000"});
}

TEST_F(DecorativeLines, PreviousPenIsRestored) {
    Record("[0000]\n1Line1sx=1\n1Line1Col=255\n");
    const Lines lines = Trace([&](Surface& s) {
        s.SetPen({PenStyle::DashDot, 3, Rgb(1, 2, 3)});
        DrawLineOf(s, "0000", "1");
        s.DrawLine(0, 0, 1, 1);
    });
    EXPECT_EQ(lines, (Lines{"line 11 -20 10 -20 pen=solid:1:ff0000", "line 0 0 1 1 pen=dashdot:3:010203"}));
}

}  // namespace
