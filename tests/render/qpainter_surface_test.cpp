#include "render/qt/qpainter_surface.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "render/qt/face_glyphs.h"
#include "render/qt/stored_text.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "tests/render/surface_pixels.h"

namespace {

constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kBlue = Rgb(0, 0, 255);
int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += matches(image.pixel(x, y)) ? 1 : 0;
    return count;
}

void FillWith(Surface& surface, BrushKind kind, ColorRef color, std::int32_t left, std::int32_t top,
              std::int32_t right, std::int32_t bottom) {
    surface.SetPen({PenStyle::None, 0, 0});
    surface.SetBrush({kind, color});
    surface.DrawRectangle(left, top, right, bottom);
}

const std::string& Name() {
    static const std::string name = codec::Sjis("氏名");
    return name;
}

// A one-page PDF drawn at 300 dpi.
QByteArray PdfOf(const std::function<void(Surface&)>& draw) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(300);
        QPainter painter(&writer);
        QPainterSurface surface(painter, 300, 300, {0, 0}, true);
        draw(surface);
    }
    return pdf.data();
}

// The drawing operations of the first page of a PDF drawn at 300 dpi.
QByteArray PdfPageOperations(const std::function<void(Surface&)>& draw) {
    // The page's content is the first compressed stream that sets a transform: the page's own.
    const QByteArray bytes = PdfOf(draw);
    for (qsizetype at = bytes.indexOf("/FlateDecode"); at >= 0; at = bytes.indexOf("/FlateDecode", at + 1)) {
        const qsizetype begin = bytes.indexOf("stream\n", at) + 7;
        const qsizetype end = bytes.indexOf("endstream", begin);
        // qUncompress expects the length of the result first; a generous guess is enough.
        const QByteArray operations = qUncompress(QByteArray("\x00\x10\x00\x00", 4) + bytes.mid(begin, end - begin));
        if (operations.contains(" cm\n")) return operations;
    }
    return {};
}

}  // namespace

TEST(QPainterSurfaceTest, MapsLogicalUnitsToDevicePixelsFromTheOrigin) {
    // A card of 358 × 216 at (10, −20) on a 300-dpi image whose origin is at (7, 5).
    const QImage image = Draw(1200, 800, 300, {7, 5}, [](Surface& s) { FillWith(s, BrushKind::Solid, kRed, 10, -20, 368, -236); });
    EXPECT_EQ(InkBounds(image), QRect(7 + 30, 5 + 60, 1074, 648));
    EXPECT_EQ(image.pixel(7 + 30, 5 + 60), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(7 + 30 + 1073, 5 + 60 + 647), qRgb(255, 0, 0));

    const QImage screen = Draw(200, 200, 96, {0, 0}, [](Surface& s) { FillWith(s, BrushKind::Solid, kBlue, 0, 0, 100, -50); });
    EXPECT_EQ(InkBounds(screen), QRect(0, 0, 96, 48));
    EXPECT_EQ(screen.pixel(50, 20), qRgb(0, 0, 255));
}

TEST(QPainterSurfaceTest, PatternsAreTheAreaColourOnWhiteInScreenSizedPixels) {
    // At 300 dpi one pattern pixel is 3 × 3 device pixels.
    const QImage p50 = Draw(200, 200, 300, {0, 0}, [](Surface& s) { FillWith(s, BrushKind::Pattern50, kRed, 0, 0, 60, -60); });
    for (int row = 0; row < 15; ++row)
        for (int column = 0; column < 16; ++column) {
            const QRgb expected = (row + column) % 2 == 0 ? kWhite : qRgb(255, 0, 0);
            ASSERT_EQ(p50.pixel(column * 3 + 1, row * 3 + 1), expected) << column << "," << row;
        }

    // P75 paints three quarters of a tile; P25's first row (FEFE) only its pixels 7 and 15.
    const QRect tile(0, 0, 48, 45);
    const auto red = [](QRgb pixel) { return pixel == qRgb(255, 0, 0); };
    const auto other = [](QRgb pixel) { return pixel != qRgb(255, 0, 0) && pixel != qRgb(255, 255, 255); };
    const QImage p75 = Draw(200, 200, 300, {0, 0}, [](Surface& s) { FillWith(s, BrushKind::Pattern75, kRed, 0, 0, 60, -60); });
    const QImage p25 = Draw(200, 200, 300, {0, 0}, [](Surface& s) { FillWith(s, BrushKind::Pattern25, kRed, 0, 0, 60, -60); });
    EXPECT_EQ(CountPixels(p75, tile, red), tile.width() * tile.height() * 3 / 4);
    for (int column = 0; column < 16; ++column)
        EXPECT_EQ(red(p25.pixel(column * 3 + 1, 1)), column == 7 || column == 15) << column;
    EXPECT_LT(CountPixels(p25, tile, red), CountPixels(p50, tile, red));
    EXPECT_EQ(CountPixels(p75, tile, other) + CountPixels(p25, tile, other), 0);
}

TEST(QPainterSurfaceTest, HatchGapsAreWhiteOnlyWithAnOpaqueBackground) {
    constexpr QRgb grey = qRgb(128, 128, 128);
    const QRect inside(10, 10, 100, 100);
    const auto hatch = [](BackgroundMode mode) {
        return [mode](Surface& s) {
            s.SetBackgroundMode(mode);
            FillWith(s, BrushKind::Cross, kBlue, 0, 0, 40, -40);
        };
    };
    const QImage opaque = Draw(130, 130, 300, {0, 0}, hatch(BackgroundMode::Opaque), grey);
    const QImage transparent = Draw(130, 130, 300, {0, 0}, hatch(BackgroundMode::Transparent), grey);
    const auto isGrey = [](QRgb pixel) { return pixel == grey; };
    const auto isWhite = [](QRgb pixel) { return pixel == qRgb(255, 255, 255); };
    const auto isBlue = [](QRgb pixel) { return qBlue(pixel) > 200 && qRed(pixel) < 60; };
    EXPECT_EQ(CountPixels(opaque, inside, isGrey), 0);
    EXPECT_GT(CountPixels(opaque, inside, isWhite), inside.width() * inside.height() / 2);
    EXPECT_EQ(CountPixels(transparent, inside, isWhite), 0);
    EXPECT_GT(CountPixels(transparent, inside, isGrey), inside.width() * inside.height() / 2);
    // The hatch lines are spaced for a 96-dpi screen: a 40-unit square crosses about 4 of them
    // each way, not 15 as device-sized ones would give.
    int lines = 0;
    for (int x = inside.left(); x <= inside.right(); ++x)
        lines += isBlue(opaque.pixel(x, 60)) && !isBlue(opaque.pixel(x - 1, 60)) ? 1 : 0;
    EXPECT_GE(lines, 3);
    EXPECT_LE(lines, 5);
}

TEST(QPainterSurfaceTest, APdfHatchOnAnOpaqueBackgroundIsWhiteUnderOneHatchPattern) {
    for (const BackgroundMode mode : {BackgroundMode::Opaque, BackgroundMode::Transparent}) {
        const auto draw = [mode](Surface& s) {
            s.SetBackgroundMode(mode);
            FillWith(s, BrushKind::Cross, kRed, 0, 0, 100, -100);
        };
        EXPECT_EQ(PdfOf(draw).count("/PatternType"), 1);
        // The white under the hatch is a fill of its own.
        EXPECT_EQ(PdfPageOperations(draw).count("1 1 1 scn"), mode == BackgroundMode::Opaque ? 1 : 0);
    }
}

TEST(QPainterSurfaceTest, APdfWritesAHatchPatternOnlyForTheFillsThatUseIt) {
    const Pixels red{2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000u)};
    const QByteArray pdf = PdfOf([&](Surface& s) {
        s.SetBackgroundMode(BackgroundMode::Opaque);
        s.SetPen({PenStyle::Solid, 2, kBlue});
        s.SetBrush({BrushKind::DiagCross, kRed});
        s.DrawRoundRect(0, 0, 300, -200, 20, 20);
        FillWith(s, BrushKind::Cross, kRed, 0, 0, 100, -100);
        s.SetFont(EmFont(20));
        for (std::int32_t row = 0; row < 3; ++row) {
            s.SetPen({PenStyle::Dot, 0, kBlue});
            s.DrawLine(0, -50 * row, 100, -50 * row);
            s.DrawText(10, -50 * row, Name());
            s.DrawImage(50, 50 * row, 20, 20, red, "red.bmp");
        }
    });
    EXPECT_EQ(pdf.count("/PatternType"), 2);
}

TEST(QPainterSurfaceTest, APdfFillsAndStrokesAShapeWithASolidOutlineInOneOperation) {
    const auto rounded = [](PenStyle style) {
        return PdfPageOperations([style](Surface& s) {
            s.SetBackgroundMode(BackgroundMode::Transparent);
            s.SetPen({style, 2, kBlue});
            s.SetBrush({BrushKind::Solid, kRed});
            s.DrawRoundRect(0, 0, 300, -200, 20, 20);
        });
    };
    const QByteArray solid = rounded(PenStyle::Solid);
    EXPECT_EQ(solid.count(" c\n"), 4) << solid.toStdString();  // the four corners, written once
    EXPECT_TRUE(solid.contains("B\n") || solid.contains("B*\n")) << solid.toStdString();
    // A dotted outline is stroked on its own, after the fill.
    EXPECT_EQ(rounded(PenStyle::Dot).count(" c\n"), 8);
}

TEST(QPainterSurfaceTest, PenWidthsAreLogicalUnits) {
    const auto line = [](PenStyle style, std::int32_t width) {
        return [style, width](Surface& s) {
            s.SetBackgroundMode(BackgroundMode::Transparent);
            s.SetPen({style, width, kRed});
            s.DrawLine(10, -50, 190, -50);
        };
    };
    // 2 units at 300 dpi: 6 pixels thick, centred on the line.
    const QRect solid = InkBounds(Draw(700, 300, 300, {0, 0}, line(PenStyle::Solid, 2)));
    EXPECT_EQ(solid.height(), 6);
    EXPECT_EQ(solid.center().y(), 150 - 1);
    // The thinnest line is one or two device pixels, whatever the resolution.
    EXPECT_LE(InkBounds(Draw(700, 300, 300, {0, 0}, line(PenStyle::Solid, 0))).height(), 2);
    // A dotted line leaves gaps along its length.
    const QImage dotted = Draw(700, 300, 300, {0, 0}, line(PenStyle::Dot, 1));
    const auto isWhite = [](QRgb pixel) { return pixel == qRgb(255, 255, 255); };
    const int gaps = CountPixels(dotted, QRect(40, 150, 520, 1), isWhite);
    EXPECT_GT(gaps, 100);
    EXPECT_LT(gaps, 450);
}

TEST(QPainterSurfaceTest, CutLinesAreOneBlackPixelWideAtEveryResolutionAndPosition) {
    // The outline of a 100 × 50 tag at (7, −7) in the sheet's thin black pen, crossed in the
    // middle of each side: exactly the two lines, each one black pixel, and nothing grey.
    for (const std::int32_t dpi : {72, 96, 150, 200, 300, 600})
        for (const QPointF origin : {QPointF(0, 0), QPointF(2.5, 1.25)}) {
            const QImage image = Draw(dpi * 6 / 5 + 10, dpi, dpi, origin, [](Surface& s) {
                s.SetPen({PenStyle::Solid, 0, 0});
                s.DrawLine(7, -7, 7, -57);
                s.DrawLine(7, -57, 107, -57);
                s.DrawLine(107, -57, 107, -7);
                s.DrawLine(107, -7, 7, -7);
            });
            const QRect outline = InkBounds(image);
            const QRect across(0, outline.center().y(), image.width(), 1);
            const QRect down(outline.center().x(), 0, 1, image.height());
            const auto isBlack = [](QRgb pixel) { return pixel == qRgb(0, 0, 0); };
            const auto isInk = [](QRgb pixel) { return pixel != qRgb(255, 255, 255); };
            for (const QRect& line : {across, down}) {
                EXPECT_EQ(CountPixels(image, line, isInk), 2) << dpi << " " << origin.x();
                EXPECT_EQ(CountPixels(image, line, isBlack), 2) << dpi << " " << origin.x();
            }
        }
}

TEST(QPainterSurfaceTest, TextTurnsCounterclockwiseAboutItsTopLeftAndIsNeverMirrored) {
    const QPoint start(300, 300);
    const auto text = [&](std::int32_t escapement) {
        return Draw(600, 600, 300, start, [&](Surface& s) {
            s.SetBackgroundMode(BackgroundMode::Transparent);
            s.SetFont(EmFont(30, escapement));
            s.DrawText(0, 0, Name());
        });
    };
    // Upright: ink right of and below the reference point, two 90-pixel cells wide.
    const QRect upright = InkBounds(text(0));
    EXPECT_GE(upright.left(), start.x() - 2);
    EXPECT_GE(upright.top(), start.y() - 2);
    EXPECT_GT(upright.right(), start.x() + 150);
    EXPECT_LT(upright.bottom(), start.y() + 95);
    // A quarter turn: the text runs upward from the reference point, its cells to the right.
    const QRect turned = InkBounds(text(900));
    EXPECT_LE(turned.bottom(), start.y() + 2);
    EXPECT_LT(turned.top(), start.y() - 150);
    EXPECT_GE(turned.left(), start.x() - 2);
    EXPECT_LT(turned.right(), start.x() + 95);
}

TEST(QPainterSurfaceTest, FontsAreMeasuredInLogicalUnitsAtEveryResolution) {
    // A negative height is the em, a positive one the whole cell; IPA glyphs are one em wide.
    // The same font measures the same in logical units at every resolution.
    std::vector<std::int32_t> cells;
    for (const std::int32_t dpi : {96, 300, 1200}) {
        QImage image(10, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        QPainterSurface surface(painter, dpi, dpi, {0, 0}, false);
        surface.SetFont(EmFont(40));
        cells.push_back(surface.GetTextMetrics().height);
        EXPECT_GE(cells.back(), 40) << dpi;
        EXPECT_NEAR(surface.GetTextMetrics().averageCharWidth, 20, 1) << dpi;
        EXPECT_NEAR(surface.MeasureText(Name()).width, 80, 2) << dpi;
        EXPECT_EQ(surface.MeasureText(Name()).height, cells.back());
        LogFont cell = EmFont(0);
        cell.lfHeight = 25;
        surface.SetFont(cell);
        EXPECT_NEAR(surface.GetTextMetrics().height, 25, 1) << dpi;
        EXPECT_EQ(surface.GetFont().lfHeight, 25);
    }
    EXPECT_NEAR(cells[0], cells[1], 1);
    EXPECT_NEAR(cells[2], cells[1], 1);
    EXPECT_EQ(QFontInfo(QFont(StoredToQString(DefaultFaceName()))).family(), "IPAGothic");
}

TEST(QPainterSurfaceTest, ExtremeStoredFontNumbersGiveTenInchFontsAndAnglesWithinATurn) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    const auto metrics = [&](std::int32_t height, std::int32_t width) {
        QPainterSurface surface(painter, 20, 20, {0, 0}, false);
        LogFont font = EmFont(0);
        font.lfHeight = height;
        font.lfWidth = width;
        surface.SetFont(font);
        const TextMetrics measured = surface.GetTextMetrics();
        return std::make_pair(measured.height, measured.averageCharWidth);
    };
    EXPECT_EQ(metrics(kMin, 0), metrics(-1000, 0));
    EXPECT_EQ(metrics(kMax, 0), metrics(1000, 0));
    EXPECT_EQ(metrics(-100, kMin), metrics(-100, 1000));
    EXPECT_GT(metrics(kMin, 0).first, metrics(-900, 0).first);

    // −2147483648 tenths of a degree are 596523 whole turns and −84.8 degrees.
    const auto ink = [](std::int32_t escapement) {
        return InkBounds(Draw(600, 600, 300, {300, 300}, [&](Surface& s) {
            s.SetBackgroundMode(BackgroundMode::Transparent);
            s.SetFont(EmFont(30, escapement));
            s.DrawText(0, 0, Name());
        }));
    };
    const QRect turned = ink(kMin);
    EXPECT_EQ(turned, ink(-848));
    EXPECT_NE(turned, ink(848));
}

TEST(QPainterSurfaceTest, OpaqueTextFillsItsCellAndHollowTextIsOnlyAnOutline) {
    const auto item = [](BackgroundMode mode, bool hollow) {
        return Draw(400, 200, 300, {0, 0}, [=](Surface& s) {
            s.SetFont(EmFont(40));
            s.SetBackgroundMode(mode);
            s.SetBackgroundColor(Rgb(0, 255, 0));
            s.SetTextColor(kBlue);
            if (hollow)
                s.DrawHollowText(5, -5, Name());
            else
                s.DrawText(5, -5, Name());
        });
    };
    const QRect cell(15, 15, 240, 120);
    const auto isGreen = [](QRgb pixel) { return pixel == qRgb(0, 255, 0); };
    const auto isInk = [](QRgb pixel) { return qBlue(pixel) > 128 && qRed(pixel) < 128 && qGreen(pixel) < 128; };
    EXPECT_GT(CountPixels(item(BackgroundMode::Opaque, false), cell, isGreen), cell.width() * cell.height() / 2);
    EXPECT_EQ(CountPixels(item(BackgroundMode::Transparent, false), cell, isGreen), 0);

    const int filled = CountPixels(item(BackgroundMode::Transparent, false), cell, isInk);
    const int hollow = CountPixels(item(BackgroundMode::Transparent, true), cell, isInk);
    EXPECT_GT(hollow, 0);
    EXPECT_LT(hollow, filled * 3 / 4);
}

TEST(QPainterSurfaceTest, TextRepeatedInAnotherColourOrBoldIsDrawnAsAsked) {
    // A shadow and the text over it: the same text in two colours, one after the other.
    const QImage shadowed = Draw(400, 300, 300, {0, 0}, [](Surface& s) {
        s.SetBackgroundMode(BackgroundMode::Transparent);
        s.SetFont(EmFont(40));
        s.SetTextColor(Rgb(128, 128, 128));
        s.DrawText(5, -5, Name());
        s.SetTextColor(kBlue);
        s.DrawText(5, -50, Name());
    });
    const auto isGrey = [](QRgb pixel) { return pixel == qRgb(128, 128, 128); };
    const auto isBlue = [](QRgb pixel) { return pixel == qRgb(0, 0, 255); };
    EXPECT_GT(CountPixels(shadowed, QRect(0, 0, 400, 140), isGrey), 500);
    EXPECT_EQ(CountPixels(shadowed, QRect(0, 0, 400, 140), isBlue), 0);
    EXPECT_GT(CountPixels(shadowed, QRect(0, 150, 400, 150), isBlue), 500);
    EXPECT_EQ(CountPixels(shadowed, QRect(0, 150, 400, 150), isGrey), 0);

    // Bold both where Qt keeps glyph images (up to 64 pixels) and where it draws outlines.
    const auto inkOf = [](std::int32_t em, std::int32_t weight) {
        const QImage image = Draw(400, 200, 300, {0, 0}, [=](Surface& s) {
            LogFont font = EmFont(em);
            font.lfWeight = weight;
            s.SetFont(font);
            s.DrawText(5, -5, Name());
        });
        return CountPixels(image, image.rect(), [](QRgb pixel) { return qGray(pixel) < 128; });
    };
    for (const std::int32_t em : {15, 40}) EXPECT_GT(inkOf(em, 700), inkOf(em, 400) * 11 / 10) << em;
}

TEST(QPainterSurfaceTest, ImagesAreStretchedIntoTheirDeviceRectangleOverWhatLiesBelow) {
    // An opaque red pixel and a transparent one (skipped by run-length data).
    Pixels pixels{2, 1, {0xFFFF0000u, 0x000000FFu}};
    const QImage image = Draw(100, 100, 300, {10, 20}, [&](Surface& s) { s.DrawImage(5, 5, 40, 10, pixels, "a.bmp"); });
    const QRect ink = InkBounds(image);
    EXPECT_EQ(ink.topLeft(), QPoint(15, 25));
    EXPECT_EQ(ink.height(), 10);
    EXPECT_LT(ink.right(), 15 + 40 - 10);
    EXPECT_EQ(image.pixel(18, 30), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(52, 30), kWhite);

    Pixels opaque{2, 1, {0xFFFF0000u, 0xFF0000FFu}};
    const QImage both = Draw(100, 100, 300, {10, 20}, [&](Surface& s) { s.DrawImage(5, 5, 40, 10, opaque, "b.bmp"); });
    EXPECT_EQ(InkBounds(both), QRect(15, 25, 40, 10));
    EXPECT_EQ(both.pixel(52, 30), qRgb(0, 0, 255));
}

TEST(QPainterSurfaceTest, APdfStoresEachImageOnceWhileCardsTakeTurnsBetweenThem) {
    const Pixels red{2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000u)};
    const Pixels blue{3, 1, std::vector<std::uint32_t>(3, 0xFF0000FFu)};
    const QByteArray pdf = PdfOf([&](Surface& s) {
        for (int card = 0; card < 10; ++card)
            s.DrawImage(card * 50, 0, 40, 40, card % 2 == 0 ? red : blue, card % 2 == 0 ? "red.bmp" : "blue.bmp");
    });
    EXPECT_EQ(pdf.count("/Subtype /Image"), 2);
}

TEST(QPainterSurfaceTest, UprightTextInAPdfIsPlacedByItsGlyphsWithoutAFrameOfItsOwn) {
    const QByteArray upright = PdfPageOperations([](Surface& s) {
        s.SetFont(EmFont(40));
        s.SetTextColor(kBlue);
        for (std::int32_t row = 0; row < 6; ++row) {
            s.SetBackgroundMode(row % 2 == 0 ? BackgroundMode::Opaque : BackgroundMode::Transparent);
            s.DrawText(100, -50 - 100 * row, Name());
        }
    });
    ASSERT_EQ(upright.count("BT\n"), 6);
    // Only the page's own matrix: no transform, and so no pen and brush written again, per text.
    EXPECT_EQ(upright.count(" cm\n"), 1);
    // The first glyph of the first text lands at its device position, 100 logical units = 300 pixels.
    const qsizetype firstGlyph = upright.indexOf("Tm\n") + 3;
    EXPECT_TRUE(upright.mid(firstGlyph).startsWith("300 ")) << upright.mid(firstGlyph, 40).toStdString();
    // The background cells are filled where the texts are.
    EXPECT_TRUE(upright.contains("300 150 ")) << upright.toStdString();

    const QByteArray turned = PdfPageOperations([](Surface& s) {
        s.SetFont(EmFont(40, 900));
        s.DrawText(100, -50, Name());
    });
    EXPECT_EQ(turned.count("BT\n"), 1);
    EXPECT_GT(turned.count(" cm\n"), 1);
}

TEST(QPainterSurfaceTest, ACharacterTheFaceLacksIsDrawnFromAFaceThatHasIt) {
    const auto drawn = [](const std::string& exact) {
        return Draw(200, 120, 300, QPointF(0, 0), [&](Surface& surface) {
            surface.SetFont(EmFont(30));
            surface.DrawText(0, 0, exact);
        });
    };
    std::string yoshi;
    ASSERT_TRUE(exact_text::FromUtf8("𠮷", yoshi));
    const QImage exact = drawn(yoshi);
    // Not missing (a blank or a box), and not the look-alike 吉 or the 〓 of code page 932.
    EXPECT_FALSE(InkBounds(exact).isEmpty());
    EXPECT_NE(exact, drawn(codec::Sjis("吉")));
    EXPECT_NE(exact, drawn(codec::Sjis("〓")));
    EXPECT_NE(exact, drawn(std::string("&#xf0000;")));  // what a face without it would show
}

TEST(QPainterSurfaceTest, AVariationSelectorTakesNoRoomOfItsOwn) {
    const auto width = [](std::string_view utf8) {
        std::string exact;
        EXPECT_TRUE(exact_text::FromUtf8(utf8, exact));
        const QImage image = Draw(300, 120, 300, QPointF(0, 0), [&](Surface& surface) {
            surface.SetFont(EmFont(30));
            surface.DrawText(0, 0, exact);
        });
        return InkBounds(image).width();
    };
    EXPECT_EQ(width("辻\U000E0100"), width("辻"));
}

// A character the face lacks is drawn from a fallback face, yet the line keeps its own face's
// baseline: 田 stands where it stands alone, whatever follows it.
TEST(QPainterSurfaceTest, AFallbackFaceLeavesTheLineOnItsOwnBaseline) {
    std::string yoshi;
    ASSERT_TRUE(exact_text::FromUtf8("𠮷", yoshi));
    const auto drawn = [](const std::string& text) {
        return Draw(300, 200, 300, QPointF(0, 0), [&](Surface& surface) {
            surface.SetFont(EmFont(30));
            surface.DrawText(0, 0, text);
        });
    };
    const std::string ta = codec::Sjis("田");
    const QImage alone = drawn(ta);
    const QRect field = InkBounds(alone);
    ASSERT_FALSE(field.isEmpty());
    EXPECT_EQ(drawn(ta + yoshi).copy(field), alone.copy(field));
}

// A column draws a character its face lacks from the fallback face too, not as a box.
TEST(QPainterSurfaceTest, AColumnDrawsACharacterItsFaceLacksFromAFallbackFace) {
    const auto column = [](const std::string& text) {
        return Draw(200, 300, 300, QPointF(0, 0), [&](Surface& surface) {
            surface.SetFont(EmFont(30));
            surface.DrawVerticalText(0, 0, text, false);
        });
    };
    std::string yoshi;
    ASSERT_TRUE(exact_text::FromUtf8("𠮷", yoshi));
    const QImage exact = column(yoshi);
    EXPECT_FALSE(InkBounds(exact).isEmpty());
    EXPECT_NE(exact, column(std::string("&#xf0000;")));  // what the face alone would show
    EXPECT_NE(exact, column(codec::Sjis("吉")));
    // The characters after it keep their places down the column.
    const QImage after = column(yoshi + codec::Sjis("田"));
    const QImage plain = column(codec::Sjis("吉田"));
    const QRect lower(0, 30 * 3, 200, 210);
    EXPECT_EQ(after.copy(lower), plain.copy(lower));
}

// The design's face, through the program's substitutes, is asked for the glyph itself: the
// Windows gothic stands for IPAGothic, which lacks 𠮷; Noto Sans CJK JP has it.
TEST(QPainterSurfaceTest, AFaceIsAskedForItsOwnGlyphsNotAFallbackFaces) {
    EXPECT_FALSE(FaceHasGlyph(codec::Sjis("ＭＳ ゴシック"), 0x20BB7));
    EXPECT_TRUE(FaceHasGlyph(codec::Sjis("ＭＳ ゴシック"), 0x5409));
    EXPECT_TRUE(FaceHasGlyph("Noto Sans CJK JP", 0x20BB7));
}
