#include "dialogs/property_panel_model.h"

#include <gtest/gtest.h>

#include "tests/editing/shared_design_fixture.h"

namespace {

class RecordingPlatform : public DecorationPlatform {
public:
    std::optional<ColorRef> ChooseColor(ColorRef) override { return chosen; }
    void RefreshAllViews() override { ++refreshes; }
    std::optional<ColorRef> chosen;
    int refreshes = 0;
};

class PropertyPanelModelTest : public SharedDesignTest {
protected:
    PropertyPanelModelTest() { panel.OnShow(); }

    ColorRef Red() const { return RibbonColors()[1].color; }

    RecordingPlatform platform;
    PropertyPanelModel panel{platform, session};
};

}  // namespace

TEST_F(PropertyPanelModelTest, AChangeGoesToEveryCardSharingTheDesignOrToThisCardAloneInOneUndoStepEach) {
    EXPECT_EQ(panel.item, N);
    EXPECT_EQ(panel.scope, DesignScope::SameDesign);
    EXPECT_EQ(panel.scopeNote, S("同じデザインの 3 枚に適用します"));
    EXPECT_EQ(panel.points, "14.4");  // 20 hundredths of an inch

    panel.points = "32";
    panel.bold = true;
    panel.OnFont();
    for (int card = 0; card < 3; ++card) EXPECT_EQ(Stored(card, "1" + N + "Font"), "-44 0 0 0 700 0 0 0 128 3 2 1 49 0");
    EXPECT_EQ(panel.points, "32");  // as typed, though 44 hundredths of an inch are 31.68 pt
    EXPECT_EQ(platform.refreshes, 1);

    panel.scope = DesignScope::ThisCard;
    panel.OnScope();
    EXPECT_EQ(panel.scopeNote, S("このカードだけに適用します"));
    profile::ProfileService::Instance().EndUndoStep();
    platform.chosen = Red();
    panel.OnChooseColor();
    EXPECT_EQ(panel.color, Red());
    EXPECT_EQ(Stored(1, "1" + N + "Font"), "-44 0 0 0 700 0 0 0 128 3 2 1 49 0");
    profile::ProfileService::Instance().EndUndoStep();
    profile::ProfileService::Instance().Undo(PathOf("r.ini"));
    EXPECT_EQ(Stored(0, "1" + N + "Font"), "-44 0 0 0 700 0 0 0 128 3 2 1 49 0");
}

TEST_F(PropertyPanelModelTest, ItFollowsTheSelectionAndPlacesTypedMillimetresWhileTheTextStaysOnThisCard) {
    int told = 0;
    panel.changedElsewhere = [&] { ++told; };
    session.SelectItem(A);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(panel.item, A);
    EXPECT_EQ(panel.x, "7.6");  // 30 hundredths

    panel.x = "25.4";
    panel.OnPositionEntered(PropertyPanelModel::Axis::X);
    for (int card = 0; card < 3; ++card) EXPECT_EQ(Stored(card, "1" + A + "Xpos"), "100");
    panel.y = "tall";
    panel.OnPositionEntered(PropertyPanelModel::Axis::Y);
    EXPECT_EQ(panel.y, "5.1");  // refused: shown as stored

    panel.text = S("大阪");
    panel.OnTextEdited();
    EXPECT_EQ(Stored(0, A), S("大阪"));
    EXPECT_EQ(Stored(1, A), S("東京"));
}

TEST_F(PropertyPanelModelTest, ABandOfARibbonColourGoesOnTheTagOutlinedInBlackAndLinesComeAndGo) {
    panel.band = 1;
    panel.OnBand();
    EXPECT_EQ(panel.band, 1);
    EXPECT_EQ(panel.frameKind, 1);
    EXPECT_EQ(panel.frameColor, Rgb(0, 0, 0));
    RecordProfile record;
    record.SetPath(PathOf("r.ini"));
    EXPECT_EQ(record.ReadInt("1Frame", "Frame1GapT", 0), 43);  // a fifth of 216

    panel.lines = true;
    panel.OnLinesToggled();
    for (int card = 0; card < 3; ++card) EXPECT_EQ(Stored(card, "1Line1sy"), "33");  // under the name
    EXPECT_TRUE(panel.lines);
    panel.lines = false;
    panel.OnLinesToggled();
    EXPECT_EQ(Stored(2, "1Line1ex"), "0");
    EXPECT_FALSE(panel.lines);
}

TEST_F(PropertyPanelModelTest, ACardWithAFrameOfItsOwnHasItsColourChangedThereAndOnItsLikes) {
    // As the rules of a category leave it: the frame in the cards' own keys, none in the slot's.
    for (int card = 0; card < 2; ++card) {
        ProfileFile file(PathOf("r.ini"));
        ASSERT_TRUE(file.WriteString("000" + std::to_string(card), "1Frame", "1"));
        ASSERT_TRUE(file.Flush());
    }
    session.ResetScope();
    panel.OnShow();
    panel.OnFillColor(Red());
    EXPECT_EQ(Stored(0, "1Frame1Inside"), std::to_string(Red()));
    EXPECT_EQ(Stored(1, "1Frame1Inside"), std::to_string(Red()));
    EXPECT_EQ(Stored(2, "1Frame1Inside"), "(none)");  // another design: the slot's frame
    RecordProfile record;
    record.SetPath(PathOf("r.ini"));
    EXPECT_EQ(record.ReadString("1Frame", "Frame1Inside", "(none)"), "(none)");
}

// 全員 puts the change itself on every card, each keeping the rest of its own design; no scope
// reaches the keys of another label slot.
TEST_F(PropertyPanelModelTest, EveryoneTakesTheChangeOntoEachDesignAndNoScopeTouchesAnotherSlot) {
    {
        ProfileFile file(PathOf("r.ini"));
        ASSERT_TRUE(file.WriteString("0002", "1" + N + "Xpos", "90"));  // a design of its own
        for (int card = 0; card < 3; ++card)
            for (const std::string slot : {"2", "3"})
                ASSERT_TRUE(file.WriteString("000" + std::to_string(card), slot + N + "Xpos", std::to_string(5 + card)));
        ASSERT_TRUE(file.Flush());
    }
    const auto otherSlotsKept = [this] {
        for (int card = 0; card < 3; ++card)
            for (const std::string slot : {"2", "3"}) {
                EXPECT_EQ(Stored(card, slot + N + "Xpos"), std::to_string(5 + card)) << card << " slot " << slot;
                EXPECT_EQ(Stored(card, slot + N + "Font"), "(none)") << card << " slot " << slot;
            }
    };
    session.ResetScope();
    panel.OnShow();
    EXPECT_EQ(panel.sameDesignCaption, S("同じデザインの 2 枚"));
    EXPECT_EQ(panel.everyoneCaption, S("全員 3 枚"));
    panel.scope = DesignScope::Everyone;
    panel.OnScope();
    EXPECT_EQ(panel.scopeNote, S("全員 3 枚に適用します"));
    panel.points = "32";
    panel.OnFont();
    for (int card = 0; card < 3; ++card) EXPECT_EQ(Stored(card, "1" + N + "Font"), "-44 0 0 0 400 0 0 0 128 3 2 1 49 0");
    EXPECT_EQ(Stored(0, "1" + N + "Xpos"), "10");
    EXPECT_EQ(Stored(2, "1" + N + "Xpos"), "90");
    otherSlotsKept();

    panel.scope = DesignScope::SameDesign;
    panel.OnScope();
    panel.x = "25.4";
    panel.OnPositionEntered(PropertyPanelModel::Axis::X);
    EXPECT_EQ(Stored(1, "1" + N + "Xpos"), "100");
    EXPECT_EQ(Stored(2, "1" + N + "Xpos"), "90");
    otherSlotsKept();
}
