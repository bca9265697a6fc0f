#include <gtest/gtest.h>

#include "dialogs/calibration_model.h"
#include "tests/support/temp_home.h"

namespace {

class FakeCalibrationPlatform : public CalibrationPlatform {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void PrintTestPage() override { ++testPages; }
    void PrintRegistrationPages() override { ++registrationPages; }

    std::vector<std::string> messages;
    int testPages = 0, registrationPages = 0;
};

class CalibrationModelTest : public TempHomeTest {
protected:
    CalibrationModel Opened(const std::string& printer = "Office") {
        CalibrationModel model(settings, printer, platform);
        model.OnOpen();
        return model;
    }

    const SettingsProfile settings;
    FakeCalibrationPlatform platform;
};

}  // namespace

TEST_F(CalibrationModelTest, OpensOnTheStoredValuesOfThePrinterOrNone) {
    CalibrationModel fresh = Opened();
    EXPECT_EQ(fresh.heading, "プリンタ: Office");
    EXPECT_EQ(fresh.offsetX, "0.0");
    EXPECT_EQ(fresh.offsetY, "0.0");
    EXPECT_EQ(fresh.scale, "0.00");
    WriteBytes(PathOf("ZULNAME.INI"), "[Calibration]\r\nOffice=1.0,1.5,-0.25\r\n");
    CalibrationModel stored = Opened();
    EXPECT_EQ(stored.offsetX, "1.0");
    EXPECT_EQ(stored.offsetY, "1.5");
    EXPECT_EQ(stored.scale, "-0.25");
    EXPECT_EQ(Opened("Other").offsetX, "0.0");
}

TEST_F(CalibrationModelTest, OkStoresWhatWasTypedForThisPrinter) {
    CalibrationModel model = Opened();
    model.offsetX = "-1";
    model.offsetY = "1.5";
    model.scale = "0.3";
    EXPECT_TRUE(model.OnOk());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(settings.ReadString("Calibration", "Office", ""), "-1.0,1.5,0.30");
    model.OnPrintTestPage();
    EXPECT_EQ(platform.testPages, 1);
    model.backOffsetX = "0.4";
    model.backOffsetY = "x";
    EXPECT_FALSE(model.OnOk());
    model.backOffsetY = "-0.2";
    EXPECT_TRUE(model.OnOk());
    EXPECT_EQ(settings.ReadString("CalibrationBack", "Office", ""), "0.4,-0.2");
    EXPECT_EQ(Opened().backOffsetY, "-0.2");
    model.OnPrintRegistrationPages();
    EXPECT_EQ(platform.registrationPages, 1);
}

TEST_F(CalibrationModelTest, ValuesThatAreNoNumbersOrOutOfRangeAreRefusedWithAMessage) {
    const struct {
        const char *x, *y, *scale, *message;
    } cases[] = {
        {"abc", "0", "0", "ずれは 0.1 mm 単位の数で入力してください (例: 1.5, -0.3)。"},
        {"0", "0.05", "0", "ずれは 0.1 mm 単位の数で入力してください (例: 1.5, -0.3)。"},
        {"0", "0", "1%", "倍率の補正は 0.01 % 単位の数で入力してください (例: 0.25)。"},
        {"10.1", "0", "0", "ずれは -10.0～10.0 mm の範囲で入力してください。"},
        {"0", "-10.1", "0", "ずれは -10.0～10.0 mm の範囲で入力してください。"},
        {"0", "0", "-2.01", "倍率の補正は -2.00～2.00 % の範囲で入力してください。"},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        CalibrationModel model = Opened();
        model.offsetX = c.x;
        model.offsetY = c.y;
        model.scale = c.scale;
        EXPECT_FALSE(model.OnOk()) << c.x << " " << c.y << " " << c.scale;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], c.message);
    }
    EXPECT_EQ(settings.ReadString("Calibration", "Office", "(none)"), "(none)");
    CalibrationModel edge = Opened();
    edge.offsetX = "10.0";
    edge.offsetY = "-10";
    edge.scale = "-2";
    EXPECT_TRUE(edge.OnOk());
}
