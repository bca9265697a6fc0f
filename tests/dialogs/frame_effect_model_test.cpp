#include "dialogs/frame_effect_model.h"

#include <gtest/gtest.h>

#include <optional>

#include "render/frames.h"
#include "tests/render/render_fixture.h"

namespace {

using Side = FrameEffectModel::Side;
using Role = FrameEffectModel::Role;

class FakeFramePlatform : public FrameEffectPlatform {
public:
    std::optional<ColorRef> ChooseColor(ColorRef initial) override {
        shown = initial;
        return chosen;
    }
    void RefreshAllViews() override { ++refreshes; }
    void BringToFront() override { ++broughtToFront; }

    std::optional<ColorRef> chosen, shown;
    int refreshes = 0, broughtToFront = 0;
};

class FrameEffectModelTest : public RenderTest {
protected:
    FrameEffectModel& Open() {
        model.emplace(platform, record, "1Frame");
        model->OnOpen();
        return *model;
    }
    std::string Stored(const std::string& key) { return record.ReadString("1Frame", key, "(none)"); }
    std::vector<std::string> Drawn() {
        return Trace([this](Surface& surface) { DrawFrames(view, surface, 0, 0); });
    }

    FakeFramePlatform platform;
    std::optional<FrameEffectModel> model;
};

}  // namespace

TEST_F(FrameEffectModelTest, AFileWithoutFrameKeysOpensWithTheDialogsDefaults) {
    Record("");
    FrameEffectModel& dialog = Open();
    EXPECT_EQ(dialog.kind, 0);
    EXPECT_EQ(dialog.colors, (std::array<ColorRef, 3>{0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
    EXPECT_EQ(dialog.patterns, (std::array<std::int32_t, 2>{0, 0}));
    EXPECT_EQ(dialog.width, "1");
    EXPECT_TRUE(dialog.beforeImage);
    EXPECT_EQ(dialog.distances, (std::array<std::string, 4>{"5", "5", "5", "5"}));
    EXPECT_FALSE(dialog.outsideEnabled);
    EXPECT_FALSE(dialog.allSides);
    EXPECT_TRUE(dialog.sidesEnabled);
}

TEST_F(FrameEffectModelTest, WidthNeverGoesBelowOneAndDistancesNeverBelowZero) {
    Record("[1Frame]\r\nFrame=1\r\nFrame1BorderWidth1=-3\r\nFrame1GapL=0\r\n");
    FrameEffectModel& dialog = Open();
    EXPECT_EQ(dialog.width, "1");  // a stored width below 1 is corrected as it is shown
    dialog.OnWidthStep(-1);
    EXPECT_EQ(dialog.width, "1");
    dialog.width = "abc";
    dialog.OnWidthEdited();
    EXPECT_EQ(dialog.width, "1");
    dialog.OnDistanceStep(Side::Left, -1);
    EXPECT_EQ(dialog.distances[2], "0");
    dialog.width = "0";  // not corrected by an edit event: OK still stores 1
    dialog.OnOk();
    EXPECT_EQ(Stored("Frame1BorderWidth1"), "1");
}

TEST_F(FrameEffectModelTest, AnotherKindTakesTheFieldsShownUnderItsOwnKeys) {
    Record("[1Frame]\r\nFrame=3\r\nFrame3Inside=255\r\nFrame3InsideRatio=2\r\nFrame3GapT=7\r\n");
    FrameEffectModel& dialog = Open();
    EXPECT_TRUE(dialog.outsideEnabled);
    dialog.OnKindChosen(5);
    dialog.OnOk();
    EXPECT_EQ(Stored("Frame"), "5");
    EXPECT_EQ(Stored("Frame5Inside"), "255");
    EXPECT_EQ(Stored("Frame5InsideRatio"), "2");
    EXPECT_EQ(Stored("Frame5GapT"), "7");
    EXPECT_EQ(Stored("Frame5Outside"), "16777215");  // written as "OutSide", the same key
    EXPECT_EQ(Stored("Frame3InsideRatio"), "2");
    EXPECT_EQ(Stored("Frame3GapB"), "(none)");

    Open().OnKindChosen(0);
    EXPECT_FALSE(model->outsideEnabled);
    model->OnOk();
    EXPECT_EQ(Stored("Frame"), "0");
    EXPECT_EQ(Stored("Frame0InsideRatio"), "2");
}

TEST_F(FrameEffectModelTest, OneDistanceForAllSidesIsWrittenAloneAndClearingBringsTheSidesBack) {
    Record("[1Frame]\r\nFrame=1\r\nFrame1GapT=3\r\nFrame1GapB=4\r\n");
    FrameEffectModel& dialog = Open();
    dialog.allSides = true;
    dialog.OnAllSidesToggled();
    EXPECT_FALSE(dialog.sidesEnabled);
    EXPECT_EQ(dialog.topCaption, S("幅"));
    dialog.distances[0] = "12";
    dialog.allSides = false;
    dialog.OnAllSidesToggled();
    EXPECT_EQ(dialog.distances, (std::array<std::string, 4>{"3", "4", "5", "5"}));
    EXPECT_EQ(dialog.topCaption, S("上"));

    dialog.allSides = true;
    dialog.OnAllSidesToggled();
    dialog.distances[0] = "12";
    dialog.OnOk();
    EXPECT_EQ(Stored("Frame1Gap"), "12");
    EXPECT_EQ(Stored("Frame1GapAll"), "1");
    EXPECT_EQ(Stored("Frame1GapT"), "3");
    EXPECT_EQ(Stored("Frame1GapL"), "(none)");

    // The common distance shows in the top field when the dialog opens again.
    EXPECT_EQ(Open().distances[0], "12");
    EXPECT_FALSE(model->sidesEnabled);
}

TEST_F(FrameEffectModelTest, ColoursChangeOnlyWhenChosenAndAreWrittenOnUpdate) {
    Record("[1Frame]\r\nFrame=2\r\nFrame2Inside=255\r\n");
    FrameEffectModel& dialog = Open();
    EXPECT_EQ(dialog.colors[2], 255u);  // the border takes the inside colour
    dialog.OnChooseColor(Role::Outside);
    EXPECT_EQ(dialog.colors[1], 0xFFFFFFu);
    platform.chosen = Rgb(0, 128, 0);
    dialog.OnChooseColor(Role::Border);
    EXPECT_EQ(platform.shown, 255u);
    EXPECT_EQ(Stored("Frame2BorderCol1"), "(none)");
    dialog.OnUpdate();
    EXPECT_EQ(Stored("Frame2BorderCol1"), std::to_string(Rgb(0, 128, 0)));
    EXPECT_EQ(platform.refreshes, 1);
    EXPECT_EQ(platform.broughtToFront, 1);
}

TEST_F(FrameEffectModelTest, CancelAfterUpdatesDrawsTheFrameAsItWasAtOpening) {
    for (const std::string& file :
         {std::string(), std::string("[1Frame]\r\nFrame=4\r\nFrame4GapAll=1\r\nFrame4Gap=9\r\n"
                                     "Frame4OutsideRatio=7\r\nFrameBeforeBmp=0\r\n")}) {
        Record(file);
        const std::vector<std::string> before = Drawn();
        const int beforeImage = record.ReadInt("1Frame", "FrameBeforeBmp", 1);
        FrameEffectModel& dialog = Open();
        dialog.patterns = {3, 6};
        dialog.distances[0] = "40";
        dialog.width = "8";
        dialog.beforeImage = !dialog.beforeImage;
        dialog.OnUpdate();
        dialog.OnKindChosen(2);
        dialog.OnUpdate();
        ASSERT_NE(Drawn(), before);
        dialog.OnCancel();
        EXPECT_EQ(Drawn(), before) << file;
        EXPECT_EQ(record.ReadInt("1Frame", "FrameBeforeBmp", 1), beforeImage);
        EXPECT_EQ(Stored("Frame2InsideRatio"), "3");  // another kind keeps what "更新" wrote
    }
}
