#include "dialogs/image_model.h"

#include <gtest/gtest.h>

#include <optional>

#include "render/card_image.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "tests/render/bmp_bytes.h"

namespace {

using Position = ImageModel::Position;
using Fit = ImageModel::Fit;
using Axis = ImageModel::Axis;

class FakeImagePlatform : public ImageDialogPlatform {
public:
    std::optional<std::string> ChooseImageFile(const std::string&) override { return chosen; }
    void RefreshAllViews() override { ++refreshes; }

    std::optional<std::string> chosen;
    int refreshes = 0;
};

// The card 0000 of r.ini on a 358 × 216 tag, and bitmaps of any size in the home folder.
class ImageModelTest : public InputDialogFixture {
protected:
    ImageModelTest() {
        StartView();
        view.State().image = &images;
    }

    // A bitmap file of width × height pixels; its stored path.
    std::string Bitmap(const std::string& name, std::int32_t width, std::int32_t height) {
        BmpSpec spec;
        spec.width = width;
        spec.height = height;
        for (std::int32_t row = 0; row < height; ++row)
            spec.bits += PadRow(std::string(static_cast<std::size_t>(width) * 3, '\x7F'));
        WriteBytes(PathOf(name), BmpFile(spec));
        return PathOf(name);
    }
    ImageModel& Open() {
        model.emplace(platform, view.Session(), "0000");
        model->OnOpen();
        return *model;
    }
    // The dialog after typing the path of a bitmap, as the file field does.
    ImageModel& OpenWith(const std::string& path) {
        Open().path = path;
        model->OnPathEdited();
        return *model;
    }
    std::pair<std::string, std::string> StoredPlace() { return {Stored("0000", "1BMPx"), Stored("0000", "1BMPy")}; }

    CardImageCache images;
    FakeImagePlatform platform;
    std::optional<ImageModel> model;
};

using Place = std::pair<std::string, std::string>;

}  // namespace

TEST_F(ImageModelTest, EachPositionPlacesASmallImageOnTheTag) {
    ImageModel& dialog = OpenWith(Bitmap("a.bmp", 200, 100));
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("a.bmp"));
    EXPECT_EQ(dialog.imageWidth, 200);
    const std::pair<Position, Place> expected[] = {
        {Position::RightBottom, {"158", "116"}}, {Position::Centre, {"79", "58"}}, {Position::LeftBottom, {"0", "116"}},
        {Position::RightTop, {"158", "0"}},      {Position::LeftTop, {"0", "0"}},
    };
    for (const auto& [position, place] : expected) {
        dialog.OnPosition(position);
        EXPECT_EQ(StoredPlace(), place) << static_cast<int>(position);
        EXPECT_EQ(dialog.coordinates, (std::array<std::string, 2>{place.first, place.second}));
        EXPECT_FALSE(dialog.coordinatesEnabled);
    }
    EXPECT_EQ(platform.refreshes, 7);  // opening, the load and each position: the tag shows them at once
    dialog.OnPosition(Position::Free);
    EXPECT_TRUE(dialog.coordinatesEnabled);
    dialog.coordinates = {"30", "40abc"};
    dialog.OnUpdateView();
    EXPECT_EQ(StoredPlace(), (Place{"30", "40"}));
    // Clicking the box that is already set keeps it and stores its name again.
    Store("0000", "1BMPPos", "x");
    dialog.OnPosition(Position::Free);
    EXPECT_EQ(dialog.positions, (std::array<bool, 6>{false, false, false, false, false, true}));
    EXPECT_EQ(Stored("0000", "1BMPPos"), "freepos");

    // An image not smaller than the tag both ways stays at the top left, wherever it is put.
    dialog.path = Bitmap("wide.bmp", 400, 10);
    dialog.OnPathEdited();
    for (const Position position : {Position::RightBottom, Position::Centre, Position::Free}) {
        dialog.coordinates = {"30", "40"};
        dialog.OnPosition(position);
        EXPECT_EQ(StoredPlace(), (Place{"0", "0"}));
    }
}

TEST_F(ImageModelTest, ZoomStopsAtItsLimitsAndCancelRestoresTheZoomOfTheOpening) {
    Store("0000", "1BMPZoom", "495");
    ImageModel& dialog = Open();
    dialog.OnZoom(1);
    EXPECT_EQ(dialog.zoom, 500);
    EXPECT_FALSE(dialog.plusEnabled);
    EXPECT_EQ(Stored("0000", "1BMPZoom"), "500");
    dialog.OnZoom(-1);
    EXPECT_TRUE(dialog.plusEnabled);
    dialog.OnCancel();
    EXPECT_EQ(Stored("0000", "1BMPZoom"), "495");

    Store("0000", "1BMPZoom", "5");
    Open().OnZoom(-1);
    EXPECT_EQ(model->zoom, 0);
    EXPECT_FALSE(model->minusEnabled);

    Store("0000", "1BMPZoom", "700");
    settings.WriteString("BitMapSetting", "DiffRatio", "10");
    settings.Flush();
    Open();
    EXPECT_EQ(model->zoom, 500);
    EXPECT_FALSE(model->plusEnabled);
    EXPECT_EQ(model->zoomStep, 10);
}

TEST_F(ImageModelTest, AutomaticFitScalesToTheTagWithoutStoringThePosition) {
    ImageModel& empty = Open();
    empty.OnAutoFit();
    EXPECT_EQ(empty.zoom, 100);  // no image: nothing to fit

    ImageModel& dialog = OpenWith(Bitmap("a.bmp", 200, 100));
    dialog.OnPosition(Position::RightBottom);
    EXPECT_TRUE(dialog.fits[static_cast<std::size_t>(Fit::Height)]);  // "Tate" by default
    dialog.OnAutoFit();
    EXPECT_EQ(dialog.zoom, 216);
    dialog.OnFit(Fit::Width);
    dialog.OnAutoFit();
    EXPECT_EQ(dialog.zoom, 179);
    EXPECT_EQ(Stored("0000", "1BMPZoom"), "179");
    EXPECT_EQ(dialog.coordinates, (std::array<std::string, 2>{"0", "0"}));
    EXPECT_EQ(StoredPlace(), (Place{"158", "116"}));
    dialog.OnOk();
    EXPECT_EQ(Stored("BMP", "Yoko"), "1");
    EXPECT_EQ(Stored("BMP", "Tate"), "0");
}

TEST_F(ImageModelTest, AnUnreadablePathIsSaidAndStoredOnOkLeavingThePlacementAlone) {
    ImageModel& dialog = OpenWith(Bitmap("a.bmp", 200, 100));
    dialog.OnPosition(Position::Centre);
    dialog.OnZoom(1);
    EXPECT_FALSE(dialog.unreadable);
    dialog.path = PathOf("missing.bmp");
    dialog.OnPathEdited();
    EXPECT_TRUE(dialog.unreadable);
    EXPECT_EQ(dialog.imageWidth, 200);
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("a.bmp"));
    dialog.OnOk();
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("missing.bmp"));
    EXPECT_EQ(StoredPlace(), (Place{"79", "58"}));
    EXPECT_EQ(Stored("0000", "1BMPZoom"), "105");
    EXPECT_TRUE(Open().unreadable);  // and so it opens next time
}

TEST_F(ImageModelTest, CancelPutsBackPathAndPositionButKeepsThePositionBoxClicked) {
    Store("0000", "1BMP", Bitmap("a.bmp", 200, 100));
    Store("0000", "1BMPx", "12");
    Store("Option", "NoBMPEdit", "1");
    platform.chosen = Bitmap("b.bmp", 100, 50);
    ImageModel& dialog = Open();
    EXPECT_EQ(Stored("Option", "NoBMPEdit"), "0");
    EXPECT_EQ(dialog.coordinates[0], "12");
    dialog.OnBrowse();
    EXPECT_EQ(dialog.imageWidth, 100);
    dialog.OnPosition(Position::RightTop);
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("b.bmp"));
    dialog.OnCancel();
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("a.bmp"));
    EXPECT_EQ(StoredPlace(), (Place{"12", "0"}));
    EXPECT_EQ(Stored("0000", "1BMPPos"), "righttop");
}

TEST_F(ImageModelTest, CoordinateStepsStayOnTheTag) {
    ImageModel& dialog = Open();
    dialog.coordinates = {"358", "0"};
    dialog.OnStep(Axis::X, 1);
    dialog.OnStep(Axis::Y, -1);
    EXPECT_EQ(dialog.coordinates, (std::array<std::string, 2>{"358", "0"}));
    EXPECT_FALSE(dialog.stepUpEnabled[0]);
    dialog.OnStep(Axis::X, -1);
    EXPECT_EQ(dialog.coordinates[0], "357");
    EXPECT_TRUE(dialog.stepUpEnabled[0]);
}
