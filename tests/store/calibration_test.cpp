#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "store/calibration.h"
#include "tests/support/temp_home.h"

namespace {

class CalibrationTest : public TempHomeTest {
protected:
    const SettingsProfile settings;
};

std::int32_t Fixed(const char* text, int decimals) {
    std::int32_t value = 12345;
    EXPECT_TRUE(ParseFixed(text, decimals, value)) << text;
    return value;
}

bool Refused(const char* text, int decimals) {
    std::int32_t value = 0;
    return !ParseFixed(text, decimals, value);
}

}  // namespace

TEST(FixedTest, DecimalsBecomeWholeCountsOfTheLastPlace) {
    EXPECT_EQ(Fixed("1.5", 1), 15);
    EXPECT_EQ(Fixed("-1.5", 1), -15);
    EXPECT_EQ(Fixed("+2", 1), 20);
    EXPECT_EQ(Fixed(" 0.05 ", 2), 5);
    EXPECT_EQ(Fixed("-.5", 1), -5);
    EXPECT_EQ(Fixed("10", 2), 1000);
    EXPECT_TRUE(Refused("", 1));
    EXPECT_TRUE(Refused("-", 1));
    EXPECT_TRUE(Refused("1.", 1));
    EXPECT_TRUE(Refused("1.55", 1));  // finer than the field's steps
    EXPECT_TRUE(Refused("1,5", 1));
    EXPECT_TRUE(Refused("1e3", 1));
    EXPECT_TRUE(Refused("9999999", 1));
    EXPECT_EQ(FixedText(15, 1), "1.5");
    EXPECT_EQ(FixedText(-5, 1), "-0.5");
    EXPECT_EQ(FixedText(0, 2), "0.00");
    EXPECT_EQ(FixedText(-200, 2), "-2.00");
}

TEST_F(CalibrationTest, StoredPerPrinterAndReadBack) {
    std::string problem;
    ASSERT_TRUE(StoreCalibration(settings, "Office LaserJet", {10, 15, -25}, problem)) << problem;
    ASSERT_TRUE(StoreCalibration(settings, "受付のプリンタ", {-100, 100, 200}, problem)) << problem;
    EXPECT_EQ(settings.ReadString("Calibration", "Office LaserJet", ""), "1.0,1.5,-0.25");
    EXPECT_EQ(ReadCalibration(settings, "Office LaserJet"), (PrinterCalibration{10, 15, -25}));
    EXPECT_EQ(ReadCalibration(settings, "受付のプリンタ"), (PrinterCalibration{-100, 100, 200}));
    EXPECT_TRUE(ReadCalibration(settings, "Another").IsNone());
    EXPECT_TRUE(ReadCalibration(settings, "").IsNone());
}

TEST_F(CalibrationTest, TheBacksOffsetIsStoredBesideAndReadOnItsOwn) {
    std::string problem;
    PrinterCalibration calibration{10, 15, -25};
    calibration.backOffsetX = -12;
    calibration.backOffsetY = 3;
    ASSERT_TRUE(StoreCalibration(settings, "Duplex", calibration, problem)) << problem;
    EXPECT_EQ(settings.ReadString("CalibrationBack", "Duplex", ""), "-1.2,0.3");
    EXPECT_EQ(ReadCalibration(settings, "Duplex"), calibration);
    EXPECT_EQ(BackPageCalibration(calibration), (PrinterCalibration{-2, 18, -25}));
    calibration.backOffsetY = 101;
    EXPECT_FALSE(StoreCalibration(settings, "Duplex", calibration, problem));
    EXPECT_FALSE(ReadCalibration(settings, "Duplex").IsNone());

    // A damaged front keeps the back, a damaged back keeps the front.
    settings.WriteString("Calibration", "Duplex", "x");
    StoredCalibration state = StoredCalibration::Usable;
    EXPECT_EQ(ReadCalibration(settings, "Duplex", &state).backOffsetX, -12);
    EXPECT_EQ(state, StoredCalibration::Damaged);
    settings.WriteString("Calibration", "Duplex", "1.0,1.5,-0.25");
    settings.WriteString("CalibrationBack", "Duplex", "0.5,20");
    EXPECT_EQ(ReadCalibration(settings, "Duplex"), (PrinterCalibration{10, 15, -25}));
}

TEST_F(CalibrationTest, ValuesOutOfRangeAreRefusedWithAMessageAndNothingIsWritten) {
    std::string problem;
    EXPECT_FALSE(StoreCalibration(settings, "P", {101, 0, 0}, problem));
    EXPECT_EQ(problem, "ずれは -10.0～10.0 mm の範囲で入力してください。");
    EXPECT_FALSE(StoreCalibration(settings, "P", {0, -101, 0}, problem));
    EXPECT_FALSE(StoreCalibration(settings, "P", {0, 0, 201}, problem));
    EXPECT_EQ(problem, "倍率の補正は -2.00～2.00 % の範囲で入力してください。");
    EXPECT_EQ(settings.ReadString("Calibration", "P", "(none)"), "(none)");
}

TEST_F(CalibrationTest, AFileThatCannotBeWrittenIsNamedWithTheReason) {
    WriteBytes(PathOf("ZULNAME.INI"), "");
    std::filesystem::permissions(PathOf("ZULNAME.INI"), std::filesystem::perms::owner_read);
    std::string problem;
    EXPECT_FALSE(StoreCalibration(settings, "P", {1, 2, 3}, problem));
    EXPECT_EQ(problem.rfind("「" + PathOf("ZULNAME.INI") + "」に書き込めません。書き込みが許可されていません", 0), 0u) << problem;
}

TEST_F(CalibrationTest, EveryPrinterNameHasAKeyOfItsOwn) {
    std::string problem;
    ASSERT_TRUE(StoreCalibration(settings, "a=b[c]", {1, 2, 3}, problem)) << problem;
    EXPECT_EQ(settings.ReadString("Calibration", "a%3Db%5Bc%5D", ""), "0.1,0.2,0.03");
    EXPECT_EQ(ReadCalibration(settings, "a=b[c]"), (PrinterCalibration{1, 2, 3}));
    EXPECT_TRUE(ReadCalibration(settings, "a_b_c_").IsNone());
    // "ゼ" ends in the byte of "[": cleaning bytes made it "ダ", another printer's name.
    ASSERT_TRUE(StoreCalibration(settings, "ゼロックス プリンタ", {4, 5, 6}, problem)) << problem;
    EXPECT_EQ(ReadCalibration(settings, "ゼロックス プリンタ"), (PrinterCalibration{4, 5, 6}));
    EXPECT_TRUE(ReadCalibration(settings, "ダロックス プリンタ").IsNone());
    // Keys are trimmed, and code page 932 cannot hold every name.
    ASSERT_TRUE(StoreCalibration(settings, " P ", {7, 8, 9}, problem)) << problem;
    ASSERT_TRUE(StoreCalibration(settings, "𠮷田", {1, 1, 1}, problem)) << problem;
    EXPECT_TRUE(ReadCalibration(settings, "P").IsNone());
    EXPECT_EQ(ReadCalibration(settings, " P "), (PrinterCalibration{7, 8, 9}));
    EXPECT_EQ(ReadCalibration(settings, "𠮷田"), (PrinterCalibration{1, 1, 1}));
}

TEST_F(CalibrationTest, DamagedOrOutOfRangeStoredValuesMeanNoCalibration) {
    using State = StoredCalibration;
    for (const auto& [stored, expected] :
         std::vector<std::pair<const char*, State>>{{"1.0,1.5", State::Damaged},     {"x,1,1", State::Damaged},
                                                    {"1.0,1.5,0.5,", State::Damaged}, {"20.0,0,0", State::OutOfRange},
                                                    {"0,0,3.00", State::OutOfRange},  {"", State::None}}) {
        WriteBytes(PathOf("ZULNAME.INI"), std::string("[Calibration]\r\nP=") + stored + "\r\n");
        State state;
        EXPECT_TRUE(ReadCalibration(settings, "P", &state).IsNone()) << stored;
        EXPECT_EQ(state, expected) << stored;
    }
}
