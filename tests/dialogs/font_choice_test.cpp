#include <gtest/gtest.h>

#include "dialogs/font_choice.h"

TEST(FontChoice, PointSizesBecomeEmHeightsInHundredthsOfAnInch) {
    EXPECT_EQ(HeightFromPoints(12), -17);  // 16.67 units
    EXPECT_EQ(HeightFromPoints(9), -13);   // 12.5 units, rounded away from zero
    EXPECT_DOUBLE_EQ(PointsFromHeight(-16), 11.52);
    EXPECT_DOUBLE_EQ(PointsFromHeight(25), 18);  // a cell height is shown as it stands
    EXPECT_EQ(HeightFromPoints(PointsFromHeight(-16)), -16);
}

TEST(FontChoice, AChoiceChangesOnlyWhatTheFontDialogShows) {
    LogFont font;
    font.lfHeight = -16;
    font.lfWidth = 7;
    font.lfEscapement = 900;
    font.lfWeight = 0;
    font.lfCharSet = 128;
    font.lfPitchAndFamily = 49;
    font.lfFaceName = "FixedSys";
    FontChoice choice = ToFontChoice(font, 255);
    EXPECT_EQ(choice.weight, 400);
    EXPECT_EQ(choice.color, 255u);
    choice.points = 24;
    choice.italic = true;
    choice.strikeOut = true;
    choice.face = "IPAMincho";
    ApplyFontChoice(choice, font);
    EXPECT_EQ(font.lfHeight, -33);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 900);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 1);
    EXPECT_EQ(font.lfCharSet, 128);
    EXPECT_EQ(font.lfPitchAndFamily, 49);
    EXPECT_EQ(font.lfFaceName, "IPAMincho");
}
