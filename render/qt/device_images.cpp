#include "render/qt/device_images.h"

#include <algorithm>

#include "render/dib_image.h"

namespace {

constexpr qint64 kMaxKeptPixels = 2 * DibImage::kMaxPixels;

// Pixels a bitmap's run-length data skips are transparent and leave what lies below; an image
// without them is kept opaque, which draws faster. The image is made in its final format at once,
// so that the largest bitmaps are not held twice over while they are converted.
QImage Convert(const Pixels& pixels) {
    const bool opaque =
        std::all_of(pixels.argb.begin(), pixels.argb.end(), [](std::uint32_t argb) { return qAlpha(argb) == 255; });
    QImage image(pixels.width, pixels.height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < pixels.height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const std::uint32_t* from = pixels.argb.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(pixels.width);
        for (int column = 0; column < pixels.width; ++column) line[column] = qPremultiply(from[column]);
    }
    return image;
}

}  // namespace

const QImage& DeviceImages::Get(const Pixels& pixels, std::string_view source) {
    const auto found = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& kept) {
        return kept.data == pixels.argb.data() && kept.image.width() == pixels.width &&
               kept.image.height() == pixels.height && kept.source == source;
    });
    if (found != kept_.end()) {
        kept_.splice(kept_.begin(), kept_, found);
        return kept_.front().image;
    }
    kept_.push_front({pixels.argb.data(), std::string(source), Convert(pixels)});
    qint64 total = 0;
    auto kept = kept_.begin();
    for (; kept != kept_.end(); ++kept) {
        total += qint64{kept->image.width()} * kept->image.height();
        if (kept != kept_.begin() && total > kMaxKeptPixels) break;
    }
    kept_.erase(kept, kept_.end());
    return kept_.front().image;
}
