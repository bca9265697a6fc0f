#include <gtest/gtest.h>

#include "app/window_placement.h"
#include "tests/support/temp_home.h"

namespace {

class WindowPlacementTest : public TempHomeTest {
protected:
    SettingsProfile settings;
    PlacementStore store{settings};
};

}  // namespace

TEST_F(WindowPlacementTest, FirstStartOpensCentredOnMostOfTheScreen) {
    EXPECT_FALSE(store.Stored());
    const WindowPlacement first = FirstStartPlacement(PixelRect{0, 0, 1920, 1040});
    EXPECT_EQ(ShapeOf(first).state, ShowState::Normal);
    EXPECT_EQ(first.normal, (PixelRect{192, 104, 1728, 936}));
    // On a screen right of another, the window is centred on that screen.
    EXPECT_EQ(FirstStartPlacement(PixelRect{1920, 0, 3200, 1024}).normal, (PixelRect{2048, 102, 3072, 921}));
    store.Save(first);
    EXPECT_TRUE(store.Stored());
}

TEST_F(WindowPlacementTest, MissingKeysReadAsANormalWindowAtTheOriginSized500By350) {
    ASSERT_TRUE(store.Enabled());
    const WindowPlacement placement = store.Load();
    EXPECT_EQ(placement.flags, 1);
    EXPECT_EQ(placement.showCmd, 1);
    EXPECT_EQ(placement.minPosX, 0);
    EXPECT_EQ(placement.minPosY, 0);
    EXPECT_EQ(placement.maxPosX, -1);
    EXPECT_EQ(placement.maxPosY, -1);
    const WindowShape shape = ShapeOf(placement);
    EXPECT_EQ(shape.state, ShowState::Normal);
    EXPECT_EQ(shape.normal, (PixelRect{0, 0, 500, 350}));
}

TEST_F(WindowPlacementTest, SaveWritesTheTenKeysThatLoadReadsBack) {
    WindowPlacement placement;
    placement.flags = 2;
    placement.showCmd = 3;
    placement.minPosX = -32000;
    placement.minPosY = -31999;
    placement.maxPosX = -4;
    placement.maxPosY = -5;
    placement.normal = PixelRect{10, 20, 810, 620};
    store.Save(placement);

    const std::pair<const char*, int> keys[] = {{"Flags", 2},      {"showCmd", 3},   {"MinPosX", -32000},
                                                {"MinPosY", -31999}, {"MaxPosX", -4},  {"MaxPosY", -5},
                                                {"NormPosL", 10},  {"NormPosT", 20}, {"NormPosR", 810},
                                                {"NormPosB", 620}};
    for (const auto& [key, value] : keys) EXPECT_EQ(settings.ReadInt("WindowSize", key, 12345), value) << key;
    EXPECT_EQ(settings.ReadString("WindowSize", "NormPosR", ""), "810");

    const WindowPlacement read = PlacementStore(SettingsProfile()).Load();
    EXPECT_EQ(read.flags, 2);
    EXPECT_EQ(read.showCmd, 3);
    EXPECT_EQ(read.minPosX, -32000);
    EXPECT_EQ(read.maxPosY, -5);
    EXPECT_EQ(read.normal, (PixelRect{10, 20, 810, 620}));
}

TEST_F(WindowPlacementTest, SaveSwitchTurnsRestoringAndSavingOff) {
    settings.WriteInt("WinSize", "Save", 0);
    EXPECT_FALSE(store.Enabled());
    settings.WriteInt("WinSize", "Save", 2);
    EXPECT_TRUE(store.Enabled());
}

TEST(WindowShapeTest, ShowCommandsGiveTheWindowState) {
    WindowPlacement placement;
    const std::pair<int, ShowState> states[] = {{0, ShowState::Normal},    {1, ShowState::Normal},
                                                {2, ShowState::Minimised}, {3, ShowState::Maximised},
                                                {5, ShowState::Normal},    {6, ShowState::Minimised},
                                                {7, ShowState::Minimised}, {9, ShowState::Normal},
                                                {11, ShowState::Minimised}};
    for (const auto& [command, state] : states) {
        placement.showCmd = command;
        EXPECT_EQ(ShapeOf(placement).state, state) << command;
    }
    placement.showCmd = 2;
    placement.flags = 2;
    EXPECT_TRUE(ShapeOf(placement).restoreToMaximised);
    placement.flags = 1;
    EXPECT_FALSE(ShapeOf(placement).restoreToMaximised);
}

TEST(WindowShapeTest, RectangleTurnedInsideOutOpensAsTheSmallestWindow) {
    WindowPlacement placement;
    placement.normal = PixelRect{300, 200, 100, 200};
    EXPECT_EQ(ShapeOf(placement).normal, (PixelRect{300, 200, 301, 201}));
}

TEST(WindowShapeTest, ClosedMaximisedReopensMaximisedWithItsNormalRectangle) {
    WindowPlacement opened;
    opened.minPosX = 7;
    opened.maxPosX = -8;
    opened.normal = PixelRect{40, 50, 640, 530};
    WindowShape closing;
    closing.state = ShowState::Maximised;
    closing.normal = opened.normal;

    const WindowPlacement saved = PlacementOf(closing, opened);
    EXPECT_EQ(saved.showCmd, 3);
    EXPECT_EQ(saved.flags, 0);
    EXPECT_EQ(saved.normal, opened.normal);
    // Positions the window system does not report stay as they were.
    EXPECT_EQ(saved.minPosX, 7);
    EXPECT_EQ(saved.maxPosX, -8);

    const WindowShape reopened = ShapeOf(saved);
    EXPECT_EQ(reopened.state, ShowState::Maximised);
    EXPECT_EQ(reopened.normal, opened.normal);
}

TEST(WindowShapeTest, MinimisedWindowsRememberWhetherTheyWereMaximised) {
    WindowShape closing;
    closing.state = ShowState::Minimised;
    closing.normal = PixelRect{1, 2, 3, 4};
    EXPECT_EQ(PlacementOf(closing, WindowPlacement()).showCmd, 2);
    EXPECT_EQ(PlacementOf(closing, WindowPlacement()).flags, 0);
    closing.restoreToMaximised = true;
    const WindowPlacement saved = PlacementOf(closing, WindowPlacement());
    EXPECT_EQ(saved.flags, 2);
    EXPECT_TRUE(ShapeOf(saved).restoreToMaximised);
    closing.state = ShowState::Normal;
    EXPECT_EQ(PlacementOf(closing, WindowPlacement()).showCmd, 1);
    EXPECT_EQ(PlacementOf(closing, WindowPlacement()).flags, 0);
}

TEST(KeepOnScreenTest, WindowOffEveryScreenMovesOntoTheFirst) {
    const std::vector<PixelRect> screens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    EXPECT_EQ(KeepOnScreen(PixelRect{100, 100, 600, 450}, screens), (PixelRect{100, 100, 600, 450}));
    // Partly on the second screen is reachable.
    EXPECT_EQ(KeepOnScreen(PixelRect{3100, 900, 3600, 1250}, screens), (PixelRect{3100, 900, 3600, 1250}));
    EXPECT_EQ(KeepOnScreen(PixelRect{4000, 100, 4500, 450}, screens), (PixelRect{0, 0, 500, 350}));
    EXPECT_EQ(KeepOnScreen(PixelRect{-3000, -3000, -1000, 0}, screens), (PixelRect{0, 0, 1920, 1080}));
    EXPECT_EQ(KeepOnScreen(PixelRect{-500, 0, 0, 350}, screens), (PixelRect{0, 0, 500, 350}));
    EXPECT_EQ(KeepOnScreen(PixelRect{-500, 0, 0, 350}, {}), (PixelRect{-500, 0, 0, 350}));
}
