#include "render/qt/device_font.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "render/logical_math.h"
#include "render/qt/stored_text.h"

namespace {

// Cell height of a font stored with height 0.
constexpr std::int32_t kDefaultCellHeight = 16;
// More fonts than a sheet of tags uses; past it the fonts are made afresh.
constexpr std::size_t kMaxFonts = 64;

bool SameFont(const LogFont& a, const LogFont& b) {
    const auto fields = [](const LogFont& f) {
        return std::tie(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
                        f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,
                        f.lfPitchAndFamily, f.lfFaceName);
    };
    return fields(a) == fields(b);
}

QFont::Weight ToQtWeight(std::int32_t weight) {
    return weight <= 0 ? QFont::Normal : static_cast<QFont::Weight>(std::clamp(weight, 100, 900));
}

int RoundedPixels(double pixels) { return std::max(1, static_cast<int>(std::lround(pixels))); }

// The ink of a full-width character as the raster engine draws it in the font.
qint64 InkOf(const QFont& font) {
    const int size = 2 * font.pixelSize() + 4;
    QImage image(size, size, QImage::Format_Alpha8);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QPointF(2, font.pixelSize() + 2), QString(QChar(0x6C0F)));
    painter.end();
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) ink += line[x];
    }
    return ink;
}

// Qt's raster engine makes bold for faces without one only for the glyphs it keeps as images,
// up to 64 pixels; larger ones it draws from their outlines, unchanged. Whether it draws a font
// bolder than regular is seen once per family, weight and size.
bool RasterMakesBold(const QFont& font) {
    static QHash<QString, bool> known;
    const QString key = font.family() + QChar(0x1F) + QString::number(font.weight()) + QChar(0x1F) +
                        QString::number(font.pixelSize());
    if (const auto found = known.constFind(key); found != known.constEnd()) return *found;
    QFont regular = font;
    regular.setWeight(QFont::Normal);
    const bool bolder = InkOf(font) > InkOf(regular) * 21 / 20;
    known.insert(key, bolder);
    return bolder;
}

}  // namespace

DeviceFonts::DeviceFonts(QPaintDevice* device, int dpiX, int dpiY, bool engineMakesBold)
    : device_(device), dpiX_(dpiX), dpiY_(dpiY), engineMakesBold_(engineMakesBold) {}

const DeviceFont& DeviceFonts::Get(const LogFont& font, int scalePercent) {
    for (const Made& made : made_)
        if (made.scalePercent == scalePercent && SameFont(made.font, font)) return made.made;
    if (made_.size() >= kMaxFonts) made_.clear();
    made_.push_back({font, scalePercent, Make(font, scalePercent)});
    return made_.back().made;
}

// A cell height is met by scaling the em size with the font's own ratio of cell to em.
DeviceFont DeviceFonts::Make(const LogFont& font, int scalePercent) const {
    DeviceFont made;
    QFont& qfont = made.font;
    qfont.setFamily(StoredToQString(font.lfFaceName.empty() ? DefaultFaceName() : font.lfFaceName));
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setWeight(ToQtWeight(font.lfWeight));
    qfont.setItalic(font.lfItalic != 0);
    qfont.setUnderline(font.lfUnderline != 0);
    qfont.setStrikeOut(font.lfStrikeOut != 0);

    const std::int32_t height = font.lfHeight == 0 ? kDefaultCellHeight : font.lfHeight;
    const double pixels = FontExtent(height) * static_cast<double>(dpiY_) / 100.0;
    qfont.setPixelSize(RoundedPixels(pixels));
    if (height > 0) {
        const double cell = QFontMetricsF(qfont, device_).height();
        if (cell > 0) qfont.setPixelSize(RoundedPixels(pixels * pixels / cell));
    }
    if (font.lfWidth != 0) {
        const double natural = QFontMetricsF(qfont, device_).averageCharWidth();
        const double wanted = FontExtent(font.lfWidth) * static_cast<double>(dpiX_) / 100.0;
        if (natural > 0) qfont.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * wanted / natural)), 1, 4000));
    }
    if (scalePercent != 100) {
        const int stretch = qfont.stretch() == QFont::AnyStretch ? 100 : qfont.stretch();
        qfont.setStretch(std::clamp(stretch * scalePercent / 100, 1, 4000));
    }

    const QFontMetricsF metrics(qfont, device_);
    made.key = qfont.key();
    made.ascent = metrics.ascent();
    made.cellHeight = metrics.height();
    made.averageCharWidth = metrics.averageCharWidth();
    // Where no bold is drawn, the text is struck again a little to the right: a bold stroke is
    // about a 24th of the em thicker. The PDF engine makes no bold for stretched glyphs.
    const bool stretched = qfont.stretch() != QFont::AnyStretch && qfont.stretch() != 100;
    const bool engineBold = engineMakesBold_ ? !stretched : RasterMakesBold(qfont);
    if (font.lfWeight >= QFont::DemiBold && !engineBold)
        made.overstrike = std::max(1.0, std::floor(qfont.pixelSize() / 24.0));
    return made;
}
