#include "dialogs/font_choice.h"

#include <gtest/gtest.h>

TEST(FontChoice, PointSizesBecomeEmHeightsInHundredthsOfAnInch) {
    EXPECT_EQ(HeightFromPoints(12), -17);  // 16.67 units
    EXPECT_DOUBLE_EQ(PointsFromHeight(-16), 11.52);
    EXPECT_DOUBLE_EQ(PointsFromHeight(25), 18);  // a cell height is shown as it stands
}

TEST(FontChoice, AChoiceChangesOnlyWhatTheFontDialogShows) {
    LogFont font = DefaultItemFont();
    font.lfWidth = 7;
    font.lfEscapement = 900;
    FontChoice choice = ToFontChoice(font, 255);
    choice.points = 24;
    choice.italic = true;
    ApplyFontChoice(choice, font);
    EXPECT_EQ(font.lfHeight, -33);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 900);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfPitchAndFamily, 49);
}
