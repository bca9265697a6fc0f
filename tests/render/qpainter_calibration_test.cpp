#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <limits>

#include "render/qt/qpainter_surface.h"

namespace {

// At 254 dpi one millimetre is ten pixels and one logical unit 2.54.
constexpr std::int32_t kDpi = 254;

// Where the image is dark.
QRect InkOf(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    return ink;
}

// The ink of a black square one inch from the corner, one inch wide, drawn on a calibrated page
// and then on a page whose calibration is replaced by `second`; turned, half a turn about the
// centre of the two-inch square from the first inch.
QRect Square(const PrinterCalibration& calibration, const PrinterCalibration* second = nullptr, bool turned = false) {
    QImage image(800, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        QPainterSurface surface(painter, kDpi, kDpi, QPointF(0, 0), true);
        surface.Calibrate(calibration);
        if (second != nullptr) surface.Calibrate(*second);
        surface.SetPen({PenStyle::None, 0, 0});
        surface.SetBrush({BrushKind::Solid, 0});
        if (turned) surface.TurnHalfAbout(100, -100, 300, -300);
        surface.DrawRectangle(100, -100, 200, -200);
        surface.TurnUpright();
        surface.DrawRectangle(100, -100, 101, -101);  // upright again: a mark at the square's corner
    }
    painter.end();
    return InkOf(image);
}

}  // namespace

TEST(QPainterCalibrationTest, ThePrintersOffsetIsTakenBackInDevicePixels) {
    EXPECT_EQ(Square({}), QRect(254, 254, 254, 254));
    // The printer puts everything 1 mm right and 1.5 mm low: the page is drawn that much left and up.
    EXPECT_EQ(Square({10, 15, 0}), QRect(244, 239, 254, 254));
    EXPECT_EQ(Square({-10, 0, 0}), QRect(264, 254, 254, 254));
}

TEST(QPainterCalibrationTest, AStretchingPrinterGetsTheDrawingShrunkAboutThePapersCorner) {
    // 2 % larger on paper: 254 pixels are drawn as 249.0 from 249.0.
    const QRect shrunk = Square({0, 0, 200});
    EXPECT_NEAR(shrunk.left(), 249, 1);
    EXPECT_NEAR(shrunk.width(), 249, 1);
}

TEST(QPainterCalibrationTest, ALaterCalibrationReplacesTheEarlierOne) {
    const PrinterCalibration second{0, 10, 0};
    EXPECT_EQ(Square({50, 50, 100}, &second), QRect(254, 244, 254, 254));
}

// A folded card's turned face is turned within the page the printer's calibration corrects.
TEST(QPainterCalibrationTest, ATurnedFaceIsTurnedInsideTheCalibration) {
    EXPECT_EQ(Square({}, nullptr, true), QRect(254, 254, 508, 508));
    EXPECT_EQ(Square({10, 15, 0}, nullptr, true), QRect(244, 239, 508, 508));
}

// A face reaching the lowest logical y (a turned cell of an enormous label) turns about its true
// centre: its corners are mapped without negating the lowest int.
TEST(QPainterCalibrationTest, AFaceReachingTheLowestYTurnsAboutItsCentre) {
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    QImage image(800, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        QPainterSurface surface(painter, kDpi, kDpi, QPointF(0, 0), true);
        surface.SetPen({PenStyle::None, 0, 0});
        surface.SetBrush({BrushKind::Solid, 0});
        surface.TurnHalfAbout(100, -100, 300, kLowest);
        // 100 to 200 units above the face's bottom edge: 1 to 2 inches below the page's top.
        surface.DrawRectangle(100, kLowest + 200, 200, kLowest + 100);
    }
    painter.end();
    EXPECT_EQ(InkOf(image), QRect(508, 508, 254, 254));
}
