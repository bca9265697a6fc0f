#include <gtest/gtest.h>

#include "sheets/length.h"

namespace {

double Mm(const char* text) {
    double millimetres = -1;
    EXPECT_TRUE(sheets::ParseLength(text, millimetres)) << text;
    return millimetres;
}

bool Rejects(const char* text) {
    double millimetres = 0;
    return !sheets::ParseLength(text, millimetres);
}

}  // namespace

TEST(LengthTest, EveryUnitOfTheFormatAndBarePoints) {
    EXPECT_DOUBLE_EQ(Mm("91mm"), 91);
    EXPECT_DOUBLE_EQ(Mm("2.5cm"), 25);
    EXPECT_DOUBLE_EQ(Mm("2.625in"), 66.675);
    EXPECT_DOUBLE_EQ(Mm("72pt"), 25.4);
    EXPECT_DOUBLE_EQ(Mm("1pc"), 25.4 / 6);
    EXPECT_DOUBLE_EQ(Mm("72"), 25.4);  // a bare number is in points
    EXPECT_DOUBLE_EQ(Mm(" 10 mm "), 10);
    EXPECT_DOUBLE_EQ(Mm("-3mm"), -3);
}

TEST(LengthTest, UnknownUnitsAndMissingNumbersAreRefused) {
    EXPECT_TRUE(Rejects(""));
    EXPECT_TRUE(Rejects("mm"));
    EXPECT_TRUE(Rejects("in"));  // a corner radius written without its number
    EXPECT_TRUE(Rejects("12px"));
    EXPECT_TRUE(Rejects("12 inches"));
    EXPECT_TRUE(Rejects("1,5mm"));
    EXPECT_TRUE(Rejects("nan"));
}
