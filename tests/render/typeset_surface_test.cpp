#include <gtest/gtest.h>

#include <QImage>

#include "render/qr_code.h"
#include "render/qt/qpainter_surface.h"
#include "store/codec.h"
#include "tests/render/surface_pixels.h"

namespace {

const std::string& LongName() {
    static const std::string name = codec::Sjis("勅使河原左衛門");
    return name;
}

}  // namespace

TEST(TypesetSurfaceTest, ATextScaleNarrowsTheTextAndItsInk) {
    for (const std::int32_t dpi : {96, 300}) {
        QImage scratch(10, 10, QImage::Format_RGB32);
        QPainter painter(&scratch);
        QPainterSurface surface(painter, dpi, dpi, {0, 0}, false);
        surface.SetFont(EmFont(40));
        const TextMetrics natural = surface.GetTextMetrics();
        const std::int32_t full = surface.MeasureText(LongName()).width;
        surface.SetTextScale(60);
        EXPECT_NEAR(surface.MeasureText(LongName()).width, full * 60 / 100, 3) << dpi;
        EXPECT_EQ(surface.GetTextMetrics().height, natural.height) << dpi;
        EXPECT_EQ(surface.GetTextMetrics().ascent, natural.ascent) << dpi;
        // The scale holds across a change of font, until it is set back.
        surface.SetFont(EmFont(20));
        EXPECT_NEAR(surface.MeasureText(LongName()).width, full * 30 / 100, 3) << dpi;
        surface.SetTextScale(100);
        EXPECT_NEAR(surface.MeasureText(LongName()).width, full / 2, 2) << dpi;
    }
    const auto ink = [](std::int32_t scale) {
        return InkBounds(Draw(700, 100, 100, {10, 10}, [&](Surface& s) {
            s.SetFont(EmFont(40));
            s.SetTextScale(scale);
            s.DrawText(0, 0, LongName());
        }));
    };
    const QRect full = ink(100), condensed = ink(50);
    EXPECT_NEAR(condensed.width(), full.width() / 2, 4);
    EXPECT_NEAR(condensed.left(), full.left(), 1);
    EXPECT_NEAR(condensed.height(), full.height(), 1);
}

TEST(TypesetSurfaceTest, QrModulesAreWholePixelSquaresInsideTheQuietZone) {
    QrSymbol symbol;
    ASSERT_EQ(EncodeQr("A0042", 'M', symbol), QrProblem::None);
    // 29 modules with the quiet zone in 87 pixels: 3 pixels each, 12 pixels of quiet zone.
    const QImage image = Draw(120, 120, 100, {10, 10}, [&](Surface& s) {
        s.SetTextColor(Rgb(0, 0, 255));
        s.DrawQrCode(0, 0, 87, symbol, "A0042");
    }, qRgb(255, 0, 0));
    EXPECT_EQ(InkBounds(image, qRgb(255, 0, 0)), QRect(10, 10, 87, 87));  // the square, white behind
    EXPECT_EQ(InkBounds(image, kWhite).isNull(), false);
    for (int row = 0; row < symbol.modules; ++row) {
        for (int column = 0; column < symbol.modules; ++column) {
            const QRgb centre = image.pixel(10 + 12 + column * 3 + 1, 10 + 12 + row * 3 + 1);
            ASSERT_EQ(centre, symbol.Dark(column, row) ? qRgb(0, 0, 255) : kWhite) << column << "," << row;
        }
    }
    EXPECT_EQ(image.pixel(10 + 11, 10 + 11), kWhite);  // the quiet zone
}

TEST(TypesetSurfaceTest, VerticalTextTakesTheFontsVerticalForms) {
    const auto ink = [](const std::string& utf8, bool vertical) {
        return InkBounds(Draw(200, 200, 100, {20, 20}, [&](Surface& s) {
            s.SetFont(EmFont(60));
            s.SetBackgroundMode(BackgroundMode::Transparent);
            if (vertical)
                s.DrawVerticalText(0, 0, codec::Sjis(utf8), false);
            else
                s.DrawText(0, 0, codec::Sjis(utf8));
        }));
    };
    // The long vowel mark lies along the line: wide across a row, tall down a column.
    const QRect across = ink("ー", false), down = ink("ー", true);
    EXPECT_GT(across.width(), 3 * across.height());
    EXPECT_GT(down.height(), 3 * down.width());
    // A small kana moves to the upper right of its cell.
    const QRect small = ink("ぁ", true), smallAcross = ink("ぁ", false);
    EXPECT_GT(small.center().x(), smallAcross.center().x() + 2);
    EXPECT_LT(small.center().y(), smallAcross.center().y() - 2);
}

TEST(TypesetSurfaceTest, AColumnIsOneEmWideAndACellLongPerCharacterOrDigitPair) {
    QImage scratch(10, 10, QImage::Format_RGB32);
    QPainter painter(&scratch);
    QPainterSurface surface(painter, 300, 300, {0, 0}, false);
    surface.SetFont(EmFont(40));
    EXPECT_EQ(surface.MeasureVerticalText(codec::Sjis("山田太郎")).width, 40);
    EXPECT_NEAR(surface.MeasureVerticalText(codec::Sjis("山田太郎")).height, 160, 1);
    EXPECT_NEAR(surface.MeasureVerticalText(codec::Sjis("第12回")).height, 120, 1);
    EXPECT_NEAR(surface.MeasureVerticalText("123").height, 120, 1);
    surface.SetTextScale(50);
    EXPECT_NEAR(surface.MeasureVerticalText(codec::Sjis("山田太郎")).height, 80, 1);
    EXPECT_EQ(surface.MeasureVerticalText(codec::Sjis("山田太郎")).width, 40);
}

TEST(TypesetSurfaceTest, ADigitPairSitsSideBySideInsideTheColumn) {
    const QImage image = Draw(200, 300, 100, {20, 20}, [&](Surface& s) {
        s.SetFont(EmFont(60));
        s.DrawVerticalText(0, 0, codec::Sjis("第12回"), false);
    });
    // The middle cell's ink is one row of two digits: wider than tall, within the column.
    const QRect middle = InkBounds(image.copy(0, 20 + 60, 200, 60)).translated(0, 20 + 60);
    EXPECT_GT(middle.width(), 30);
    EXPECT_LT(middle.height(), 60);
    EXPECT_GE(middle.left(), 20);
    EXPECT_LE(middle.right(), 20 + 60);
}
