#include "dialogs/text_decoration_model.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/dialogs/decoration_platform_fake.h"
#include "tests/support/temp_home.h"

namespace {

using Axis = TextDecorationModel::Axis;

// Item 氏名 of card 0000 on slot 1 of a record file.
class TextDecorationModelTest : public TempHomeTest {
protected:
    TextDecorationModelTest() { record.SetPath(Home() + "/r.ini"); }

    TextDecorationModel& Open() {
        model.emplace(platform, record, "0000", prefix);
        model->OnOpen();
        return *model;
    }
    void Store(const std::string& suffix, const std::string& value) {
        record.WriteString("0000", prefix + suffix, value);
        record.Flush();
    }
    std::string Stored(const std::string& suffix) const { return record.ReadString("0000", prefix + suffix, "(none)"); }
    LogFont StoredFont() const {
        LogFont font;
        ColorRef color = 0;
        EXPECT_TRUE(CFontSetting::Load("0000", prefix, font, color, record.Path()));
        return font;
    }

    const std::string prefix = "1" + S("氏名");
    RecordProfile record;
    FakeDecorationPlatform platform;
    std::optional<TextDecorationModel> model;
};

}  // namespace

TEST_F(TextDecorationModelTest, AnItemWithoutEffectsOpensPlainWithOffsetsOfTen) {
    TextDecorationModel& dialog = Open();
    EXPECT_EQ(dialog.angle, "0");
    EXPECT_FALSE(dialog.background);
    EXPECT_FALSE(dialog.backgroundColorEnabled);
    EXPECT_EQ(dialog.shadow, ShadowStyle::None);
    EXPECT_FALSE(dialog.shadowControlsEnabled);
    EXPECT_EQ(dialog.offset, (std::array<std::string, 2>{"10", "10"}));
    EXPECT_FALSE(dialog.hollow);
}

TEST_F(TextDecorationModelTest, TheAngleIsTheEscapementInWholeDegrees) {
    Store("Font", "-20 0 155 0 700 0 0 0 128 3 2 1 49 255");
    Store("FontFace", "IPAGothic");
    EXPECT_EQ(Open().angle, "15");
    model->angle = "-30";
    model->OnUpdateView();
    const LogFont font = StoredFont();
    EXPECT_EQ(font.lfEscapement, -300);
    // Only the tilt is the dialog's to change.
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfFaceName, "IPAGothic");
    EXPECT_EQ(platform.refreshes, 1);
}

TEST_F(TextDecorationModelTest, TheAngleStaysWithinHalfATurnEitherWay) {
    TextDecorationModel& dialog = Open();
    for (const auto& [typed, shown] : std::vector<std::pair<std::string, std::string>>{
             {"200", "180"}, {"-999", "-180"}, {"180", "180"}, {"45x", "45x"}, {"x", "x"}}) {
        dialog.angle = typed;
        dialog.OnAngleEdited();
        EXPECT_EQ(dialog.angle, shown) << typed;
    }
    for (const auto& [from, step, to] : std::vector<std::tuple<std::string, std::int32_t, std::string>>{
             {"180", 1, "180"}, {"-180", -1, "-180"}, {"abc", -1, "-1"}}) {
        dialog.angle = from;
        dialog.OnAngleStep(step);
        EXPECT_EQ(dialog.angle, to) << from;
    }
}

TEST_F(TextDecorationModelTest, ShadowControlsFollowTheKindWhileTheOffsetStepsAlwaysWork) {
    Store("bShadow", "2");
    Store("ShadowX", "-30");
    TextDecorationModel& dialog = Open();
    EXPECT_EQ(dialog.shadow, ShadowStyle::ThreeD);
    EXPECT_TRUE(dialog.shadowControlsEnabled);
    EXPECT_EQ(dialog.offset[0], "-30");

    dialog.shadow = ShadowStyle::None;
    dialog.OnShadowChosen();
    EXPECT_FALSE(dialog.shadowControlsEnabled);
    dialog.OnOffsetStep(Axis::X, -1);
    dialog.OnOffsetStep(Axis::Y, 1);
    EXPECT_EQ(dialog.offset, (std::array<std::string, 2>{"-31", "11"}));
    dialog.offset[0] = "2147483647";  // the largest value a field holds stays put, it does not wrap
    dialog.OnOffsetStep(Axis::X, 1);
    EXPECT_EQ(dialog.offset[0], "2147483647");

    dialog.shadow = ShadowStyle::Shadow;
    dialog.OnShadowChosen();
    EXPECT_TRUE(dialog.shadowControlsEnabled);
    EXPECT_EQ(platform.refreshes, 0);  // choosing a kind stores nothing yet
    EXPECT_EQ(Stored("bShadow"), "2");
}

TEST_F(TextDecorationModelTest, CancelRestoresTiltAndShadowAndKeepsBackgroundAndColours) {
    Store("Font", "-20 0 100 0 400 0 0 0 128 3 2 1 49 0");
    Store("bShadow", "1");
    Store("ShadowX", "30");
    TextDecorationModel& dialog = Open();
    dialog.angle = "45";
    dialog.shadow = ShadowStyle::ThreeD;
    dialog.offset = {"5", "6"};
    dialog.OnUpdateView();
    EXPECT_EQ(StoredFont().lfEscapement, 450);
    EXPECT_EQ(Stored("bShadow"), "2");

    dialog.background = true;
    dialog.OnBackgroundToggled();
    EXPECT_EQ(Stored("bBkCol"), "1");  // at once
    EXPECT_TRUE(dialog.backgroundColorEnabled);
    dialog.OnShadowColor();  // cancelled: nothing is stored
    EXPECT_EQ(Stored("ShadowCol"), "(none)");
    platform.choice = Rgb(1, 2, 3);
    dialog.OnBackgroundColor();
    dialog.offset = {"7", "8"};
    dialog.OnShadowColor();
    // The shadow colour takes the shadow as shown along with it.
    EXPECT_EQ(Stored("ShadowX"), "7");
    EXPECT_EQ(Stored("ShadowY"), "8");
    EXPECT_EQ(platform.offered, (std::vector<ColorRef>{0x808080, 0xFFFFFF, 0x808080}));
    EXPECT_EQ(platform.refreshes, 4);

    dialog.hollow = true;
    dialog.OnCancel();
    EXPECT_EQ(StoredFont().lfEscapement, 100);
    EXPECT_EQ(Stored("bShadow"), "1");
    EXPECT_EQ(Stored("ShadowX"), "30");
    EXPECT_EQ(Stored("ShadowY"), "10");
    EXPECT_EQ(Stored("bBkCol"), "1");
    EXPECT_EQ(Stored("BkCol"), std::to_string(Rgb(1, 2, 3)));
    EXPECT_EQ(Stored("ShadowCol"), std::to_string(Rgb(1, 2, 3)));
    EXPECT_EQ(Stored("Nakanuki"), "(none)");
}

TEST_F(TextDecorationModelTest, CancelAfterAnUpdateLeavesAnEmptyFontEmpty) {
    Store("Font", "");
    TextDecorationModel& dialog = Open();
    dialog.angle = "10";
    dialog.OnUpdateView();
    EXPECT_NE(Stored("Font"), "");
    dialog.OnCancel();
    EXPECT_EQ(Stored("Font"), "");
}

TEST_F(TextDecorationModelTest, HollowAndBackgroundAreStoredByOkButNotByUpdate) {
    TextDecorationModel& dialog = Open();
    dialog.hollow = true;
    dialog.background = true;  // shown, but the click handler has not run
    dialog.OnUpdateView();
    EXPECT_EQ(Stored("Nakanuki"), "(none)");
    EXPECT_EQ(Stored("bBkCol"), "(none)");
    dialog.OnOk();
    EXPECT_EQ(Stored("Nakanuki"), "1");
    EXPECT_EQ(Stored("bBkCol"), "1");
    EXPECT_EQ(Stored("bShadow"), "0");
}

TEST_F(TextDecorationModelTest, OffsetsAreStoredAsTypedButNeverWithALineBreak) {
    TextDecorationModel& dialog = Open();
    dialog.offset = {"15%", "2\r\n[0000]\r\nbShadow=0"};
    dialog.OnOk();
    EXPECT_EQ(Stored("ShadowX"), "15%");
    EXPECT_EQ(Stored("ShadowY"), "2  [0000]  bShadow=0");
    EXPECT_EQ(record.ReadString("0000", "bShadow", "(none)"), "(none)");
}
