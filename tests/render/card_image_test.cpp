#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "render/card_image.h"
#include "render/card_reading.h"
#include "store/locations.h"
#include "tests/render/bmp_bytes.h"
#include "tests/render/render_fixture.h"

namespace {

constexpr std::int32_t kScreen = 96;
constexpr std::int32_t kPrinter = 600;

// A 96 × 48 image named "画像.bmp" in the home folder, a view with the image cache on a screen of
// 96 dpi and the default adjustment 98, and traces of the image operations alone.
class CardImageTest : public RenderTest {
protected:
    CardImageTest() {
        view.image = &cache;
        WriteBytes(PathOf("画像.bmp"), SolidBmp(96, 48, 0x336699));
        image = Stored(PathOf("画像.bmp"));
    }

    static std::string Stored(const std::string& fsPath) {
        std::string stored;
        EXPECT_TRUE(locations::FsPathToStored(fsPath, stored));
        return stored;
    }

    // Stores the image keys of a card for the view's slot.
    void SetImage(const std::string& section, const std::string& path, std::int32_t dx = 0, std::int32_t dy = 0,
                  std::int32_t zoom = 100) {
        const std::string key = std::to_string(view.slot) + "BMP";
        record.WriteString(section, key, path);
        record.WriteInt(section, key + "x", dx);
        record.WriteInt(section, key + "y", dy);
        record.WriteInt(section, key + "Zoom", zoom);
    }

    // What drawing the card's image at (x, y) writes, without the surface line.
    std::string Draw(const std::string& section, std::int32_t x, std::int32_t y, bool printing) {
        std::ostringstream out;
        TraceSurface surface(out, printing ? kPrinter : kScreen, printing ? kPrinter : kScreen, printing);
        DrawCardImage(view, surface, x, y, ReadImage(SectionReader(*view.record, section), ImageKeys(view.slot)));
        const std::string trace = out.str();
        return trace.substr(trace.find('\n') + 1);
    }
    std::string Screen(const std::string& section, std::int32_t x = 0, std::int32_t y = 0) {
        return Draw(section, x, y, false);
    }
    std::string Printer(const std::string& section, std::int32_t x = 0, std::int32_t y = 0) {
        return Draw(section, x, y, true);
    }

    // The trace line of the image drawn at device (x, y) with the size w × h.
    std::string Line(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     const std::string& name = "画像.bmp") const {
        return "image " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
               std::to_string(h) + " \"" + PathOf(name) + "\"\n";
    }

    CardImageCache cache;
    std::string image;
};

}  // namespace

TEST_F(CardImageTest, SizeFollowsTheZoomOnScreenAndTheResolutionsOnPaper) {
    SetImage("0001", image);
    EXPECT_EQ(Screen("0001"), Line(0, 0, 96, 48));
    EXPECT_EQ(Printer("0001"), Line(0, 0, 600, 300));  // 96 screen pixels are one inch on paper
    SetImage("0001", image, 0, 0, 50);
    EXPECT_EQ(Screen("0001"), Line(0, 0, 48, 24));
    EXPECT_EQ(Printer("0001"), Line(0, 0, 300, 150));
    SetImage("0001", image, 0, 0, 33);
    EXPECT_EQ(Screen("0001"), Line(0, 0, 31, 15));  // 31.68 and 15.84, truncated

    view.screenDpiX = 120;
    view.screenDpiY = 144;
    SetImage("0001", image);
    EXPECT_EQ(Printer("0001"), Line(0, 0, 480, 200));
}

TEST_F(CardImageTest, PositionIsScaledFromThePageOriginNotFromTheCard) {
    SetImage("0001", image, 80, 90);
    // (900 + 80, −400 − 90) → 980 · 96 / 98 = 960 and 490 · 96 / 98 = 480; the card alone would
    // give 900 · 96 / 98 + 80 · 96 / 98 = 881 + 78.
    EXPECT_EQ(Screen("0001", 900, -400), Line(960, 480, 96, 48));
    EXPECT_EQ(Printer("0001", 900, -400), Line(5880, 2940, 600, 300));
    SetImage("0001", image);
    EXPECT_EQ(Screen("0001", 10, -10), Line(9, 9, 96, 48));  // 9.8, truncated
    view.adjustX = 96;
    view.adjustY = 96;
    EXPECT_EQ(Screen("0001", 10, -10), Line(10, 10, 96, 48));
}

TEST_F(CardImageTest, TheZoomedViewScalesPositionAndSizeOnScreenButNotOnPaper) {
    SetImage("0001", image, 80, 90);
    view.zoomedDpiX = view.zoomedDpiY = 192;  // 200 %
    EXPECT_EQ(Screen("0001", 900, -400), Line(1920, 960, 192, 96));
    EXPECT_EQ(Printer("0001", 900, -400), Line(5880, 2940, 600, 300));
    view.zoomedDpiX = view.zoomedDpiY = 48;  // 50 %
    EXPECT_EQ(Screen("0001", 900, -400), Line(480, 240, 48, 24));
    // Squeezed to the card's edge at the zoom as well: 58 units of 358 are left.
    SetImage("0001", image, 300, 0);
    view.zoomedDpiX = view.zoomedDpiY = 192;
    EXPECT_EQ(Screen("0001"), Line(587, 0, 113, 96));
}

TEST_F(CardImageTest, ImagesReachingPastTheCardAreSqueezedToItsEdges) {
    SetImage("0001", image, 300, 0);  // 58 left of the card's 358 width
    EXPECT_EQ(Screen("0001"), Line(293, 0, 56, 48));
    EXPECT_EQ(Printer("0001"), Line(1800, 0, 348, 300));
    SetImage("0001", image, 0, 200);  // 16 left of its 216 height
    EXPECT_EQ(Screen("0001"), Line(0, 195, 96, 15));
    EXPECT_EQ(Printer("0001"), Line(0, 1200, 600, 96));

    for (const auto& [dx, dy] : std::vector<std::pair<std::int32_t, std::int32_t>>{{358, 0}, {400, 0}, {0, 216}, {0, 300}}) {
        SetImage("0001", image, dx, dy);
        EXPECT_EQ(Screen("0001"), "") << dx << "," << dy;
        EXPECT_EQ(Printer("0001"), "") << dx << "," << dy;
    }
    for (const std::int32_t zoom : {0, -100}) {
        SetImage("0001", image, 0, 0, zoom);
        EXPECT_EQ(Screen("0001") + Printer("0001"), "") << zoom;
    }
}

TEST_F(CardImageTest, KeysAreThoseOfTheViewsSlot) {
    SetImage("0001", image);
    view.slot = 2;
    EXPECT_EQ(Screen("0001"), "");
    SetImage("0001", image, 0, 0, 50);
    EXPECT_EQ(Screen("0001"), Line(0, 0, 48, 24));
}

TEST_F(CardImageTest, AFileIsReadOnceForAllCardsThatNameIt) {
    for (int card = 1; card <= 10; ++card) SetImage("000" + std::to_string(card % 10), image);
    record.WriteString("0011", "1BMP", "");
    for (int card = 1; card <= 10; ++card) EXPECT_EQ(Screen("000" + std::to_string(card % 10)), Line(0, 0, 96, 48));
    EXPECT_EQ(Screen("0011"), "");  // no image named: nothing read
    EXPECT_EQ(cache.LoadCount(), 1);
}

TEST_F(CardImageTest, AFileThatCannotBeLoadedShowsNothingAndIsNotReadAgain) {
    WriteBytes(PathOf("broken.bmp"), SolidBmp(96, 48, 0).substr(0, 100));
    SetImage("0001", image);
    SetImage("0002", Stored(PathOf("broken.bmp")));
    SetImage("0003", Stored(PathOf("broken.bmp")));
    SetImage("0004", Stored(PathOf("missing.bmp")));
    SetImage("0005", Stored(Home()) + "/\x81");  // not text in code page 932
    SetImage("0006", image);

    EXPECT_EQ(Screen("0001"), Line(0, 0, 96, 48));
    EXPECT_EQ(Screen("0002"), "");  // not the previous card's image
    EXPECT_EQ(Screen("0003"), "");
    EXPECT_EQ(cache.LoadCount(), 2);
    EXPECT_EQ(Screen("0004"), "");
    EXPECT_EQ(Screen("0005"), "");
    EXPECT_EQ(Screen("0006"), Line(0, 0, 96, 48));
    EXPECT_EQ(cache.LoadCount(), 4);  // the first image is still held
}

TEST_F(CardImageTest, CardsTakingTurnsBetweenFilesDecodeEachOnce) {
    WriteBytes(PathOf("other.bmp"), SolidBmp(48, 96, 0x996633));
    const std::string other = Stored(PathOf("other.bmp"));
    for (int card = 0; card < 100; ++card) SetImage(std::to_string(card), card % 2 == 0 ? image : other);
    for (int card = 0; card < 100; ++card) {
        const std::string expected = card % 2 == 0 ? Line(0, 0, 600, 300) : Line(0, 0, 300, 600, "other.bmp");
        ASSERT_EQ(Printer(std::to_string(card)), expected) << card;
    }
    EXPECT_EQ(cache.LoadCount(), 2);
}

TEST_F(CardImageTest, AFileIsReadAgainWhenItChanges) {
    SetImage("0001", image);
    SetImage("0002", Stored(PathOf("later.bmp")));
    EXPECT_EQ(Screen("0001"), Line(0, 0, 96, 48));
    EXPECT_EQ(Screen("0002"), "");
    WriteBytes(PathOf("画像.bmp"), SolidBmp(48, 24, 0x336699));
    WriteBytes(PathOf("later.bmp"), SolidBmp(10, 10, 0));
    EXPECT_EQ(Screen("0001"), Line(0, 0, 48, 24));
    EXPECT_EQ(Screen("0002"), Line(0, 0, 10, 10, "later.bmp"));
    EXPECT_EQ(Screen("0001") + Screen("0002"), Line(0, 0, 48, 24) + Line(0, 0, 10, 10, "later.bmp"));
    EXPECT_EQ(cache.LoadCount(), 4);
}

TEST_F(CardImageTest, AnImageClaimingMoreThanTheLimitShowsNothing) {
    // A file of about a kilobyte that claims 8192 × 8192 pixels (256 MB decoded).
    WriteBytes(PathOf("huge.bmp"), EmptyRleBmp(8192, 8192));
    for (const char* card : {"0001", "0002", "0003"}) SetImage(card, Stored(PathOf("huge.bmp")));
    for (const char* card : {"0001", "0002", "0003"}) EXPECT_EQ(Screen(card) + Printer(card), "") << card;
    EXPECT_EQ(cache.LoadCount(), 1);
}

TEST_F(CardImageTest, KeptImagesAreBoundedAndTheOneUsedLongestAgoGoesFirst) {
    // Three of the largest images a file may hold; two of them fit in the cache at once.
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBytes(PathOf(name), EmptyRleBmp(4096, 4096));
    SetImage("a", Stored(PathOf("a.bmp")));
    SetImage("b", Stored(PathOf("b.bmp")));
    SetImage("c", Stored(PathOf("c.bmp")));
    std::int32_t loads = 0;
    for (const auto& [card, loaded] : std::vector<std::pair<std::string, bool>>{
             {"a", true}, {"b", true}, {"a", false}, {"c", true}, {"a", false}, {"b", true}, {"c", true}}) {
        Screen(card);
        loads += loaded ? 1 : 0;
        EXPECT_EQ(cache.LoadCount(), loads) << card;
    }
}
