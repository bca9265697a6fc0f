#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_home.h"
#include "view/zoom.h"

namespace {

ViewZoom At(std::int32_t percent, std::int32_t dpiX = 96, std::int32_t dpiY = 96) {
    ViewZoom zoom(dpiX, dpiY);
    zoom.SetPercent(percent);
    return zoom;
}

}  // namespace

TEST(ViewZoomTest, DrawsAtTheScreenResolutionTimesTheZoom) {
    EXPECT_EQ(At(50).DpiX(), 48);
    EXPECT_EQ(At(100).DpiX(), 96);
    EXPECT_EQ(At(200, 96, 120).DpiY(), 240);
    EXPECT_EQ(At(33).DpiX(), 32);  // 31.68, rounded
    EXPECT_EQ(At(10, 5, 5).DpiX(), 1);  // never zero
    EXPECT_EQ(At(200).ExtentX(760), 1459);
}

TEST(ViewZoomTest, PointerPositionsMapThroughZoomAndScroll) {
    // 100 %: a pixel is 100/96 of a unit; pixel 96 is the first of unit 100.
    EXPECT_EQ(At(100).LogicalX(95, 0), 99);
    EXPECT_EQ(At(100).LogicalX(96, 0), 100);
    // 200 %, scrolled by 300 pixels: viewport pixel 100 is contents pixel 400, unit 208.
    EXPECT_EQ(At(200).LogicalX(100, 300), 208);
    EXPECT_EQ(At(200).PixelX(208, 300), 100);
    // 50 %, scrolled by 50: contents pixel 60 shows units 125 to 127.
    EXPECT_EQ(At(50).LogicalX(10, 50), 126);
    EXPECT_EQ(At(50).PixelX(126, 50), 10);
    // Left of the contents (a negative scroll never happens, but a drag may leave the viewport).
    EXPECT_EQ(At(100).LogicalX(-1, 0), -1);
    // Each axis has its own resolution.
    EXPECT_EQ(At(200, 96, 120).LogicalY(100, 300), 166);
}

TEST(ViewZoomTest, EveryPixelMapsToTheUnitDrawnUnderIt) {
    // Where a unit is at most a pixel wide, each pixel maps to a unit drawn inside it; where it
    // is at least a pixel wide, each unit has a pixel that maps to it. The other way round the
    // pointer finds a neighbour at most.
    const auto check = [](std::int32_t dpi, const auto& toLogical, const auto& toPixel, const char* what) {
        for (const std::int32_t scroll : {0, 37, 500}) {
            const std::int32_t pixelSlack = dpi <= 100 ? 0 : 1;
            for (std::int32_t pixel = -20; pixel < 1500; ++pixel)
                ASSERT_LE(std::abs(toPixel(toLogical(pixel, scroll), scroll) - pixel), pixelSlack) << what << " " << pixel;
            const std::int32_t unitSlack = dpi >= 100 ? 0 : 1;
            for (std::int32_t logical = -20; logical < 1200; ++logical)
                ASSERT_LE(std::abs(toLogical(toPixel(logical, scroll), scroll) - logical), unitSlack) << what << " " << logical;
        }
    };
    for (const std::int32_t percent : {50, 100, 200}) {
        // 120 dpi vertically: at 100 % a unit is already more than a pixel high.
        const ViewZoom zoom = At(percent, 96, 120);
        const std::string name = std::to_string(percent) + "%";
        check(zoom.DpiX(), [&](auto p, auto s) { return zoom.LogicalX(p, s); },
              [&](auto l, auto s) { return zoom.PixelX(l, s); }, (name + " x").c_str());
        check(zoom.DpiY(), [&](auto p, auto s) { return zoom.LogicalY(p, s); },
              [&](auto l, auto s) { return zoom.PixelY(l, s); }, (name + " y").c_str());
    }
}

TEST(ViewZoomTest, StepsThroughTheUsualZoomsAndStopsAtTheEnds) {
    ViewZoom zoom = At(100);
    zoom.ZoomIn();
    EXPECT_EQ(zoom.Percent(), 125);
    zoom.ZoomOut();
    zoom.ZoomOut();
    EXPECT_EQ(zoom.Percent(), 75);
    // From a fitted zoom between steps, to the neighbouring steps.
    zoom.SetPercent(87);
    zoom.ZoomIn();
    EXPECT_EQ(zoom.Percent(), 100);
    zoom.SetPercent(87);
    zoom.ZoomOut();
    EXPECT_EQ(zoom.Percent(), 75);
    zoom.SetPercent(5000);
    EXPECT_EQ(zoom.Percent(), ViewZoom::kMaxPercent);
    zoom.ZoomIn();
    EXPECT_EQ(zoom.Percent(), ViewZoom::kMaxPercent);
    zoom.SetPercent(0);
    zoom.ZoomOut();
    EXPECT_EQ(zoom.Percent(), ViewZoom::kMinPercent);
}

TEST(ViewZoomTest, FitsAnAreaIntoTheViewport) {
    ViewZoom zoom = At(100);
    // 61 % would be 705 pixels high after rounding the resolution to 59 dpi: one step less.
    zoom.Fit(760, 1195, 600, 700);
    EXPECT_EQ(zoom.Percent(), 60);
    EXPECT_LE(zoom.ExtentY(1195), 700);
    EXPECT_LE(zoom.ExtentX(760), 600);
    // A small tag in a large viewport is enlarged, up to the largest zoom.
    zoom.Fit(364, 220, 1000, 800);
    EXPECT_EQ(zoom.Percent(), 285);  // 286 % would round to 275 dpi, 1,001 pixels
    zoom.Fit(1, 1, 5000, 5000);
    EXPECT_EQ(zoom.Percent(), ViewZoom::kMaxPercent);
    // Nothing to fit, or no room: the zoom stays.
    zoom.Fit(0, 220, 1000, 800);
    zoom.Fit(364, 220, 0, 0);
    EXPECT_EQ(zoom.Percent(), ViewZoom::kMaxPercent);
}

TEST(ViewZoomTest, ZoomingAboutThePointerKeepsWhatIsUnderIt) {
    // 100 % to 200 % at viewport pixel 100, unscrolled: unit 104 stays under the pointer.
    const std::int32_t scroll = ViewZoom::ScrollKeeping(100, 0, 96, 192);
    EXPECT_EQ(scroll, 101);
    EXPECT_EQ(At(100).LogicalX(100, 0), 104);
    EXPECT_EQ(At(200).LogicalX(100, scroll), 104);
    for (const auto& [before, after] : {std::pair{100, 200}, std::pair{200, 50}, std::pair{50, 125}}) {
        for (std::int32_t pixel = 0; pixel < 800; pixel += 7) {
            const std::int32_t oldScroll = 240;
            const std::int32_t under = At(before).LogicalX(pixel, oldScroll);
            const std::int32_t newScroll = ViewZoom::ScrollKeeping(pixel, oldScroll, At(before).DpiX(), At(after).DpiX());
            ASSERT_LE(std::abs(At(after).LogicalX(pixel, newScroll) - under), 1) << before << "→" << after << " " << pixel;
        }
    }
}

class ViewZoomSettingsTest : public TempHomeTest {};

TEST_F(ViewZoomSettingsTest, IsKeptInTheSettingsFile) {
    const SettingsProfile settings;
    ViewZoom zoom = At(100);
    EXPECT_FALSE(zoom.Load(settings));  // a first start
    zoom.SetPercent(150);
    zoom.Store(settings);
    EXPECT_EQ(SettingsProfile().ReadInt("Option", "Zoom", 0), 150);
    ViewZoom again = At(100);
    EXPECT_TRUE(again.Load(SettingsProfile()));
    EXPECT_EQ(again.Percent(), 150);
}

TEST_F(ViewZoomSettingsTest, AStoredValueOutOfRangeCountsAsNone) {
    for (const char* stored : {"0", "-5", "9", "801", "abc"}) {
        const SettingsProfile settings;
        settings.WriteString("Option", "Zoom", stored);
        settings.Flush();
        ViewZoom zoom = At(100);
        EXPECT_FALSE(zoom.Load(SettingsProfile())) << stored;
        EXPECT_EQ(zoom.Percent(), 100) << stored;
    }
}
