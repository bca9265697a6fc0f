#include "render/frames.h"

#include <sstream>
#include <string>
#include <vector>

#include "render/card_reading.h"
#include "tests/render/render_fixture.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kCard = "rect 10 -20 368 -236";  // a 358 × 216 card at (10, −20)
const std::string kWhiteHollow = " pen=solid:1:ffffff brush=none";

// Also traces the text and background colours in force when a rectangle is drawn: fills paint
// patterns and hatches with them.
class FillColourTrace : public TraceSurface {
public:
    explicit FillColourTrace(std::ostream& out) : TraceSurface(out, 100, 100, false), log_(out) {}
    void SetTextColor(ColorRef color) override { text_ = color; }
    void SetBackgroundColor(ColorRef color) override { background_ = color; }
    void DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override {
        log_ << "colours text=" << HexColor(text_) << " bk=" << HexColor(background_) << "\n";
        TraceSurface::DrawRectangle(left, top, right, bottom);
    }

private:
    std::ostream& log_;
    ColorRef text_ = 0;
    ColorRef background_ = Rgb(0, 0, 255);
};

class Frames : public RenderTest {
protected:
    // The frame of slot 1 with these keys, drawn for a card at (10, −20).
    Lines Frame(const std::string& keys) {
        Record("[1Frame]\n" + keys);
        return Draw(DrawFrames);
    }
    Lines Draw(void (*draw)(const ViewState&, Surface&, std::int32_t, std::int32_t)) {
        return Trace([&](Surface& s) { draw(view, s, 10, -20); });
    }
};

TEST_F(Frames, WithoutKeysTheCardIsOutlinedInWhiteAndNotFilled) {
    EXPECT_EQ(Frame(""), Lines{kCard + kWhiteHollow});
}

TEST_F(Frames, KindOneDefaultsToAWhiteRectangleFiveInside) {
    EXPECT_EQ(Frame("Frame=1\n"), (Lines{kCard + kWhiteHollow, "rect 15 -25 363 -231" + kWhiteHollow}));
}

TEST_F(Frames, AreasAreFilledInTheirOwnColoursOnWhite) {
    std::ostringstream out;
    FillColourTrace colours(out);
    Record("[1Frame]\nFrame0Inside=255\nFrame0InsideRatio=0\n");
    DrawFrames(view, colours, 10, -20);
    Record("[1Frame]\nFrame=1\nFrame1Inside=255\nFrame1Outside=16711680\nFrame1BorderWidth1=3\n"
           "Frame1BorderCol2=65280\nFrame1InsideRatio=2\nFrame1OutsideRatio=5\n");
    DrawFrames(view, colours, 10, -20);
    EXPECT_EQ(out.str(), "surface dpi=100,100 printing=0\n"
                         "colours text=ff0000 bk=ffffff\n" +
                             kCard + " pen=solid:1:ff0000 brush=solid:ff0000\n"
                         "colours text=0000ff bk=ffffff\n" +
                             kCard + " pen=solid:1:00ff00 brush=bdiag:0000ff\n"
                         "colours text=ff0000 bk=ffffff\n"
                         "rect 15 -25 363 -231 pen=solid:3:ff0000 brush=p50:ff0000\n");
}

TEST_F(Frames, InnerShapesOfEveryKind) {
    // Distances 4, 7, 8, 11 from top, bottom, left, right: left 18, right 357, top −24, bottom
    // −229, centre (187, −126); the slants are 71 and 43.
    const struct {
        int kind;
        std::string shape;
    } cases[] = {
        {1, "rect 18 -24 357 -229"},
        {2, "roundrect 18 -24 357 -229 21 21"},
        {3, "ellipse 18 -24 357 -229"},
        {4, "ellipse 85 -24 289 -228"},
        {5, "polygon 187,-24 18,-126 187,-229 357,-126"},
        {6, "polygon 89,-24 18,-229 286,-229 357,-24 89,-24"},
        {7, "polygon 18,-24 89,-229 357,-229 286,-24 18,-24"},
        {8, "polygon 18,-67 18,-229 357,-186 357,-24 18,-67"},
        {9, "polygon 18,-24 18,-186 357,-229 357,-67 18,-24"},
        {10, "polygon 187,-24 18,-229 357,-229 187,-24"},
        {11, "polygon 18,-24 187,-229 357,-24 18,-24"},
        {12, "polygon 18,-24 18,-229 357,-126 18,-24"},
        {13, "polygon 18,-126 357,-229 357,-24 18,-126"},
        {14, "polygon 18,-24 18,-229 357,-24 18,-24"},
        {15, "polygon 18,-24 18,-229 357,-229 18,-24"},
        {16, "polygon 18,-24 357,-229 357,-24 18,-24"},
        {17, "polygon 18,-229 357,-229 357,-24 18,-229"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string k = "Frame" + std::to_string(c.kind);
        EXPECT_EQ(Frame("Frame=" + std::to_string(c.kind) + "\n" + k + "GapT=4\n" + k + "GapB=7\n" + k + "GapL=8\n" +
                        k + "GapR=11\n"),
                  (Lines{kCard + kWhiteHollow, c.shape + kWhiteHollow}));
    }
}

TEST_F(Frames, CircleAndSlantsOnDefaultDistances) {
    EXPECT_EQ(Frame("Frame=4\n").back(), "ellipse 86 -25 292 -231" + kWhiteHollow);
    EXPECT_EQ(Frame("Frame=6\n").back(), "polygon 86,-25 15,-231 292,-231 363,-25 86,-25" + kWhiteHollow);
}

TEST_F(Frames, RoundRectCornerOutOfRangeFallsBackToATenthOfTheHeight) {
    const struct {
        std::string stored;
        std::string corner;
    } cases[] = {{"", "21 21"}, {"Frame2r=150\n", "21 21"}, {"Frame2r=108\n", "108 108"},
                 {"Frame2r=-1\n", "21 21"}, {"Frame2r=0\n", "0 0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(Frame("Frame=2\n" + c.stored).back(), "roundrect 15 -25 363 -231 " + c.corner + kWhiteHollow);
    }
}

TEST_F(Frames, CommonDistanceReplacesTheSideDistancesOnlyWhenAsked) {
    const std::string sides = "Frame=1\nFrame1Gap=20\nFrame1GapT=1\nFrame1GapB=2\nFrame1GapL=3\nFrame1GapR=4\n";
    EXPECT_EQ(Frame(sides + "Frame1GapAll=1\n").back(), "rect 30 -40 348 -216" + kWhiteHollow);
    EXPECT_EQ(Frame(sides).back(), "rect 13 -21 364 -234" + kWhiteHollow);
}

TEST_F(Frames, FillPatterns) {
    const BrushKind kinds[] = {BrushKind::Solid,     BrushKind::Pattern75, BrushKind::Pattern50,  BrushKind::Pattern25,
                               BrushKind::None,      BrushKind::BDiagonal, BrushKind::Cross,      BrushKind::DiagCross,
                               BrushKind::FDiagonal, BrushKind::Horizontal, BrushKind::Vertical};
    for (int pattern = -1; pattern <= 11; ++pattern) {
        SCOPED_TRACE(pattern);
        const Brush brush = MakeFillBrush(pattern, Rgb(1, 2, 3));
        EXPECT_EQ(brush.kind, pattern >= 0 && pattern <= 10 ? kinds[pattern] : BrushKind::Solid);
        EXPECT_EQ(brush.color, Rgb(1, 2, 3));
    }
    EXPECT_EQ(Frame("Frame0InsideRatio=-1\n"), Lines{kCard + " pen=solid:1:ffffff brush=solid:ffffff"});
}

TEST_F(Frames, KeysAreMatchedWithoutRegardToCase) {
    EXPECT_EQ(Frame("frame=3\nFrame3OutSide=255\nFRAME3insideratio=0\n"),
              (Lines{kCard + " pen=solid:1:ff0000 brush=none", "ellipse 15 -25 363 -231 pen=solid:1:ffffff brush=solid:ffffff"}));
}

TEST_F(Frames, SlotPrefixAndLabelSizeComeFromTheView) {
    view.slotPrefix = "2";
    view.label = {200, 100};
    Record("[1Frame]\nFrame=1\n[2Frame]\nFrame=7\n");
    EXPECT_EQ(Draw(DrawFrames), (Lines{"rect 10 -20 210 -120" + kWhiteHollow,
                              "polygon 15,-25 55,-115 205,-115 165,-25 15,-25" + kWhiteHollow}));
}

TEST_F(Frames, HiddenWhileEditingWithNoBMPEdit) {
    const std::string keys = "[1Frame]\nFrame=1\n[Option]\nNoBMPEdit=";
    view.mode = ViewMode::CardMode;
    Record(keys + "1\n");
    EXPECT_EQ(Draw(DrawFrames), Lines{});
    Record(keys + "2\n");  // only 1 hides it
    EXPECT_EQ(Draw(DrawFrames).size(), 2u);
    view.mode = ViewMode::SheetMode;
    Record(keys + "1\n");
    EXPECT_EQ(Draw(DrawFrames).size(), 2u);
}

TEST_F(Frames, InnerFrameAloneIsTheCardForKindZero) {
    const auto inner = [this] {
        return Trace([&](Surface& s) { DrawFrame(s, view.label, 10, -20, ReadFrame(*view.record, view.slotPrefix), false); });
    };
    Record("[1Frame]\nFrame=3\n");
    EXPECT_EQ(inner(), Lines{"ellipse 15 -25 363 -231" + kWhiteHollow});
    Record("[1Frame]\nFrame0Inside=255\n");
    EXPECT_EQ(inner(), Lines{kCard + " pen=solid:1:ff0000 brush=none"});
}

TEST_F(Frames, KindsOutOfRangeDrawNothing) {
    EXPECT_EQ(Frame("Frame=18\n"), Lines{});
    EXPECT_EQ(Frame("Frame=-1\n"), Lines{});
}

TEST_F(Frames, PenAndBrushAreRestored) {
    Record("[1Frame]\nFrame=5\nFrame5InsideRatio=0\n");
    const Lines lines = Trace([&](Surface& s) {
        s.SetPen({PenStyle::Dot, 4, Rgb(9, 8, 7)});
        s.SetBrush({BrushKind::Cross, Rgb(1, 2, 3)});
        DrawFrames(view, s, 10, -20);
        s.DrawRectangle(0, 0, 1, -1);
    });
    EXPECT_EQ(lines.back(), "rect 0 0 1 -1 pen=dot:4:090807 brush=cross:010203");
}

}  // namespace
