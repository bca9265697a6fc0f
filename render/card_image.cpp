#include "render/card_image.h"

#include <sys/stat.h>

#include <algorithm>
#include <limits>

#include "render/logical_math.h"
#include "store/locations.h"

namespace {

CardImageCache::FileStamp StampOf(const std::string& fsPath) {
    struct stat info {};
    if (stat(fsPath.c_str(), &info) != 0) return {};
    const auto ns = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
    };
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size), ns(info.st_mtim), ns(info.st_ctim)};
}

std::int64_t PixelCount(const DibImage& image) { return std::int64_t{image.Width()} * image.Height(); }

}  // namespace

bool CardImageCache::FileStamp::operator==(const FileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size && modifiedNs == other.modifiedNs &&
           changedNs == other.changedNs;
}

const DibImage* CardImageCache::ImageFor(const std::string& storedPath) {
    if (storedPath.empty()) return nullptr;
    std::string fsPath;
    const bool named = locations::StoredPathToFs(storedPath, fsPath);
    const FileStamp stamp = named ? StampOf(fsPath) : FileStamp{};
    const auto found =
        std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) { return entry.path == storedPath; });
    if (found != entries_.end() && found->stamp == stamp) {
        entries_.splice(entries_.begin(), entries_, found);
    } else {
        if (found != entries_.end()) entries_.erase(found);
        entries_.push_front({storedPath, stamp, DibImage()});
        ++loadCount_;
        if (named) entries_.front().image.Load(fsPath);
        Trim();
    }
    const DibImage& image = entries_.front().image;
    return image.IsLoaded() ? &image : nullptr;
}

// The image just asked for is always kept.
void CardImageCache::Trim() {
    std::int64_t pixels = 0;
    std::size_t kept = 0;
    auto entry = entries_.begin();
    for (; entry != entries_.end(); ++entry, ++kept) {
        pixels += PixelCount(entry->image);
        if (kept > 0 && (pixels > kMaxKeptPixels || kept >= kMaxKeptFiles)) break;
    }
    entries_.erase(entry, entries_.end());
}

namespace {

// a · b, saturating rather than overflowing: the factors are stored numbers and resolutions, and
// a size formed from absurd ones is cut to the card's edge anyway.
std::int64_t Mul(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (!__builtin_mul_overflow(a, b, &product)) return product;
    return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

// The stored placement of the image on a card: its offsets from the card's corner and its zoom,
// and so its top-left corner (px, py) in logical units.
struct Placement {
    std::int64_t dx = 0, dy = 0, zoom = 100, px = 0, py = 0;
};

// Where the image goes, in device units with y downward.
struct DeviceBox {
    std::int64_t x = 0, y = 0, width = 0, height = 0;  // width and height before the card limits
    std::int64_t maxWidth = 0, maxHeight = 0;
};

// The device y is −(py · dpi / 100), formed as (−py) · dpi / 100, which truncates alike.
bool PlaceForPrinter(const ViewState& view, const Surface& surface, const DibImage& image, const Placement& at,
                     DeviceBox& box) {
    if (view.screenDpiX <= 0 || view.screenDpiY <= 0) return false;
    const std::int64_t dpiX = surface.DpiX(), dpiY = surface.DpiY();
    box.x = Mul(at.px, dpiX) / 100;
    box.y = Mul(-at.py, dpiY) / 100;
    box.width = Mul(Mul(image.Width(), dpiX), at.zoom) / (100 * std::int64_t{view.screenDpiX});
    box.height = Mul(Mul(image.Height(), dpiY), at.zoom) / (100 * std::int64_t{view.screenDpiY});
    box.maxWidth = Mul(view.label.width - at.dx, dpiX) / 100;
    box.maxHeight = Mul(view.label.height - at.dy, dpiY) / 100;
    return true;
}

// On the screen the size is in screen pixels, and the position is scaled by sdpi / Adjust from
// the page origin.
bool PlaceForScreen(const ViewState& view, const DibImage& image, const Placement& at, DeviceBox& box) {
    if (view.adjustX <= 0 || view.adjustY <= 0) return false;
    // Zoomed, every length is scaled by the drawing resolution over the screen's.
    const bool zoomed = view.zoomedDpiX > 0 && view.zoomedDpiY > 0 && view.screenDpiX > 0 && view.screenDpiY > 0;
    const std::int64_t dpiX = zoomed ? view.zoomedDpiX : view.screenDpiX;
    const std::int64_t dpiY = zoomed ? view.zoomedDpiY : view.screenDpiY;
    box.x = Mul(at.px, dpiX) / view.adjustX;
    box.y = Mul(-at.py, dpiY) / view.adjustY;
    box.width = zoomed ? Mul(Mul(image.Width(), at.zoom), dpiX) / (100 * std::int64_t{view.screenDpiX})
                       : Mul(image.Width(), at.zoom) / 100;
    box.height = zoomed ? Mul(Mul(image.Height(), at.zoom), dpiY) / (100 * std::int64_t{view.screenDpiY})
                        : Mul(image.Height(), at.zoom) / 100;
    box.maxWidth = Mul(view.label.width - at.dx, dpiX) / view.adjustX;
    box.maxHeight = Mul(view.label.height - at.dy, dpiY) / view.adjustY;
    return true;
}

}  // namespace

void DrawCardImage(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y,
                   const ImageValue& value) {
    if (view.image == nullptr || value.path.empty()) return;
    const DibImage* image = view.image->ImageFor(value.path);
    if (image == nullptr) return;

    Placement at;
    at.dx = value.dx;
    at.dy = value.dy;
    at.zoom = value.zoom;
    at.px = x + at.dx;
    at.py = y - at.dy;
    DeviceBox box;
    const bool placed = surface.IsPrinting() ? PlaceForPrinter(view, surface, *image, at, box)
                                             : PlaceForScreen(view, *image, at, box);
    // Squeezed, not cropped: the whole image is stretched into what is left of the card.
    const std::int64_t width = std::min(box.width, box.maxWidth), height = std::min(box.height, box.maxHeight);
    // An image whose corner lies past the card's edge, or with a zoom of 0 or less, shows nothing.
    if (!placed || width <= 0 || height <= 0) return;
    surface.DrawImage(Clamp32(box.x), Clamp32(box.y), Clamp32(width), Clamp32(height), image->GetPixels(), value.path);
}
