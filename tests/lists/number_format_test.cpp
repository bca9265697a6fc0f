#include <gtest/gtest.h>

#include "lists/number_format.h"

TEST(NumberFormat, GeneralShowsWholeNumbersWithoutAPoint) {
    EXPECT_EQ(FormatCellNumber(3, "General"), "3");
    EXPECT_EQ(FormatCellNumber(-42, "General"), "-42");
    EXPECT_EQ(FormatCellNumber(9012345678, "General"), "9012345678");
    EXPECT_EQ(FormatCellNumber(1.5, "General"), "1.5");
    EXPECT_EQ(FormatCellNumber(0.1 + 0.2, "General"), "0.3");
    EXPECT_EQ(FormatCellNumber(2, "@"), "2");
    // Formats it does not understand fall back to General.
    EXPECT_EQ(FormatCellNumber(1234.5, "0.00E+00"), "1234.5");
    EXPECT_EQ(FormatCellNumber(0.5, "# ?/?"), "0.5");
}

TEST(NumberFormat, DigitPatternsPadRoundAndGroup) {
    EXPECT_EQ(FormatCellNumber(7, "000"), "007");
    EXPECT_EQ(FormatCellNumber(12345, "000"), "12345");
    EXPECT_EQ(FormatCellNumber(2.5, "0"), "3");
    EXPECT_EQ(FormatCellNumber(1.5, "#,##0.00"), "1.50");
    EXPECT_EQ(FormatCellNumber(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(FormatCellNumber(-1234, "#,##0"), "-1,234");
    EXPECT_EQ(FormatCellNumber(0.25, "0%"), "25%");
    EXPECT_EQ(FormatCellNumber(0.125, "0.0%"), "12.5%");
    EXPECT_EQ(FormatCellNumber(0.5, "#.00"), ".50");
    // Literal text and colours; only the first section applies.
    EXPECT_EQ(FormatCellNumber(3, "\"第\"0\"班\""), "第3班");
    EXPECT_EQ(FormatCellNumber(12, "[Red]0\\人;[Blue]-0"), "12人");
    EXPECT_EQ(FormatCellNumber(42, BuiltInNumberFormat(1)), "42");
}

TEST(NumberFormat, DatesAndTimesFromSerialDays) {
    EXPECT_EQ(FormatCellNumber(46113, "yyyy/m/d"), "2026/4/1");
    EXPECT_EQ(FormatCellNumber(46113, BuiltInNumberFormat(14)), "2026/4/1");
    EXPECT_EQ(FormatCellNumber(46380, "yyyy-mm-dd"), "2026-12-24");
    EXPECT_EQ(FormatCellNumber(46380, "yyyy\"年\"m\"月\"d\"日\""), "2026年12月24日");
    EXPECT_EQ(FormatCellNumber(60, "yyyy/m/d"), "1900/2/28");  // the 1900 leap day Excel counts is not here
    EXPECT_EQ(FormatCellNumber(46113.75, "yyyy/m/d h:mm"), "2026/4/1 18:00");
    EXPECT_EQ(FormatCellNumber(0.5 + 30.0 / 86400, "hh:mm:ss"), "12:00:30");
    EXPECT_EQ(FormatCellNumber(-1, "yyyy/m/d"), "-1");
}
