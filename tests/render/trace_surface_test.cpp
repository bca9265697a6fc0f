#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "render/trace_surface.h"
#include "tests/support/temp_home.h"

TEST(TraceSurface, WritesEachOperationAsOneLine) {
    std::ostringstream out;
    TraceSurface surface(out, 100, 100, true);
    surface.BeginPage(1);
    surface.BeginCard("0000", 10, -10);
    surface.SetPen({PenStyle::DashDot, 2, Rgb(255, 0, 0)});
    surface.SetBrush({BrushKind::Pattern50, Rgb(0, 0, 255)});
    surface.DrawRectangle(10, -10, 368, -226);
    surface.SetBrush({BrushKind::None, 0});
    surface.DrawPolygon({{1, 2}, {3, -4}});
    surface.DrawLine(0, 0, 5, -5);
    surface.DrawImage(3, 4, 96, 48, Pixels{}, S("画像\\a.bmp"));
    EXPECT_EQ(out.str(),
              "surface dpi=100,100 printing=1\n"
              "page 1\n"
              "card 0000 10 -10\n"
              "rect 10 -10 368 -226 pen=dashdot:2:ff0000 brush=p50:0000ff\n"
              "polygon 1,2 3,-4 pen=dashdot:2:ff0000 brush=none\n"
              "line 0 0 5 -5 pen=dashdot:2:ff0000\n"
              "image 3 4 96 48 \"画像\\\\a.bmp\"\n");
}

TEST(TraceSurface, TextCarriesItsExtentFontColoursAndEscapedContent) {
    std::ostringstream out;
    TraceSurface surface(out, 100, 100, false);
    LogFont font;
    font.lfHeight = -20;
    font.lfWeight = 700;
    font.lfEscapement = 900;
    font.lfFaceName = S("ＭＳ ゴシック");
    surface.SetFont(font);
    EXPECT_EQ(surface.GetTextMetrics().averageCharWidth, 10);
    EXPECT_EQ(surface.MeasureText(S("山田")).width, 40);  // a double-byte character is a full cell
    surface.SetTextColor(Rgb(1, 2, 3));
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    surface.DrawHollowText(5, -6, S("山\"田"));
    surface.SetBackgroundMode(BackgroundMode::Opaque);
    surface.SetBackgroundColor(Rgb(255, 255, 0));
    surface.DrawText(5, -6, "\x81");
    EXPECT_EQ(out.str(),
              "surface dpi=100,100 printing=0\n"
              "text 5 -6 50 20 esc=900 color=010203 bk=transparent hollow=1 font=-20:700:ＭＳ ゴシック \"山\\\"田\"\n"
              "text 5 -6 10 20 esc=900 color=010203 bk=opaque:ffff00 hollow=0 font=-20:700:ＭＳ ゴシック \"\\x81\"\n");
}

TEST(TraceSurface, FontsOfAnyStoredHeightMeasureWithinTenInches) {
    std::ostringstream out;
    TraceSurface surface(out, 100, 100, true);
    LogFont font;
    for (const std::int32_t height : {std::numeric_limits<std::int32_t>::min(), -1001, 1001,
                                      std::numeric_limits<std::int32_t>::max()}) {
        font.lfHeight = height;
        surface.SetFont(font);
        EXPECT_EQ(surface.GetTextMetrics().height, 1000) << height;
        EXPECT_EQ(surface.GetTextMetrics().averageCharWidth, 500) << height;
    }
    font.lfHeight = -999;
    surface.SetFont(font);
    EXPECT_EQ(surface.GetTextMetrics().height, 999);
    // Five million half-width characters of 500 units each: wider than the drawing range.
    font.lfHeight = -1000;
    surface.SetFont(font);
    EXPECT_EQ(surface.MeasureText(std::string(5'000'000, 'x')).width, std::numeric_limits<std::int32_t>::max());
}
