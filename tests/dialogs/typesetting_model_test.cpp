#include "dialogs/typesetting_model.h"

#include <gtest/gtest.h>

#include <optional>

#include "store/typesetting.h"
#include "tests/dialogs/decoration_platform_fake.h"
#include "tests/support/temp_home.h"

namespace {

// An item of card 0000 on slot 1 of a record file, on a label 358 wide.
class TypesettingModelTest : public TempHomeTest {
protected:
    TypesettingModelTest() { record.SetPath(Home() + "/r.ini"); }

    TypesettingModel& Open(const std::string& item) {
        model.emplace(platform, record, "0000", "1", item, 358);
        model->OnOpen();
        return *model;
    }
    void Store(const std::string& key, const std::string& value) {
        record.WriteString("0000", key, value);
        record.Flush();
    }
    ItemTypesetting Stored(const std::string& item) const { return ReadItemTypesetting(record, "0000", "1", item); }

    const std::string name = S("氏名");
    const std::string title = S("肩書き");
    RecordProfile record;
    FakeDecorationPlatform platform;
    std::optional<TypesettingModel> model;
};

}  // namespace

TEST_F(TypesettingModelTest, OpensWithTheStoredSettingsInRange) {
    Store("1" + name + "FitWidth", "250");
    Store("1" + name + "FitMin", "5");
    Store("1" + name + "Ruby", "1");
    Store("1" + name + "QRLevel", "q");
    TypesettingModel& dialog = Open(name);
    EXPECT_EQ(dialog.maxWidth, "250");
    EXPECT_EQ(dialog.fitMin, "10");
    EXPECT_TRUE(dialog.ruby);
    EXPECT_TRUE(dialog.rubyEnabled);
    EXPECT_EQ(dialog.qrSize, "80");
    EXPECT_EQ(dialog.qrLevel, 2);
    EXPECT_FALSE(dialog.qrControlsEnabled);
    // Furigana are the name's alone.
    Store("1" + title + "Ruby", "1");
    EXPECT_FALSE(Open(title).rubyEnabled);
    EXPECT_FALSE(model->ruby);
}

TEST_F(TypesettingModelTest, ChangesAreWrittenAndShownAtOnceAndCancelPutsThemBack) {
    Store("1" + name + "FitWidth", "250");
    TypesettingModel& dialog = Open(name);
    dialog.maxWidth = "300";
    dialog.wrap = true;
    dialog.vertical = true;
    dialog.qr = true;
    dialog.qrLevel = 3;
    dialog.qrSize = "-4";
    dialog.OnChanged();
    EXPECT_EQ(platform.refreshes, 1);
    ItemTypesetting stored = Stored(name);
    EXPECT_EQ(stored.fitWidth, 300);
    EXPECT_TRUE(stored.wrap);
    EXPECT_TRUE(stored.vertical);
    EXPECT_TRUE(stored.qr);
    EXPECT_EQ(stored.qrLevel, 'H');
    EXPECT_EQ(stored.qrSize, 80);  // a size of 0 or less is the default
    EXPECT_TRUE(dialog.qrControlsEnabled);
    dialog.OnCancel();
    stored = Stored(name);
    EXPECT_EQ(stored.fitWidth, 250);
    EXPECT_FALSE(stored.wrap);
    EXPECT_FALSE(stored.vertical);
    EXPECT_FALSE(stored.qr);
    EXPECT_EQ(platform.refreshes, 2);
}

TEST_F(TypesettingModelTest, FitToLabelTakesTheWidthRightOfTheItem) {
    Store("1" + name + "Xpos", "58");
    TypesettingModel& dialog = Open(name);
    dialog.OnFitToLabel();
    EXPECT_EQ(dialog.maxWidth, "300");
    EXPECT_EQ(Stored(name).fitWidth, 300);
    Store("1" + name + "Xpos", "500");  // right of the label: no width left, fitting off
    Open(name).OnFitToLabel();
    EXPECT_EQ(model->maxWidth, "0");
    EXPECT_EQ(Stored(name).fitWidth, 0);
}

TEST_F(TypesettingModelTest, SaysWhyTheTextCannotBeACode) {
    Store(name, std::string(259, '\xB1'));  // 777 UTF-8 bytes
    TypesettingModel& dialog = Open(name);
    dialog.qr = true;
    dialog.qrLevel = 0;
    dialog.qrSize = "100";
    dialog.OnChanged();
    EXPECT_EQ(dialog.qrProblem, S("QRコードが小さすぎます。大きさを広げるか訂正レベルを下げてください"));
    dialog.qrSize = "120";  // version 22 at L: 105 modules and the quiet zone
    dialog.OnChanged();
    EXPECT_EQ(dialog.qrProblem, "");
    dialog.qrLevel = 3;  // version 31 at H: 141 modules
    dialog.OnChanged();
    EXPECT_NE(dialog.qrProblem, "");
    dialog.qr = false;
    dialog.OnChanged();
    EXPECT_EQ(dialog.qrProblem, "");
    EXPECT_EQ(QrProblemText("A\xFD", 'M', 80), S("QRコードにできない文字があります"));
    EXPECT_EQ(QrProblemText(std::string(1300, 'a'), 'H', 1000), S("文字が多すぎてQRコードにできません"));
}
