#include "render/dib_image.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "store/regular_file.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte colour entries
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOpaque = 0xFF000000;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

// The largest image that may be decoded at 32 bits per pixel, with room for its headers.
constexpr std::size_t kMaxFileBytes = DibImage::kMaxPixels * 4 + 1024 * 1024;

// Whether length bytes from offset lie inside the file.
bool Fits(std::string_view file, std::uint64_t offset, std::uint64_t length) {
    return offset <= file.size() && length <= file.size() - offset;
}

// A little-endian number of 1 to 4 bytes; the caller has checked that they fit.
std::uint32_t Le(std::string_view file, std::uint64_t offset, std::uint32_t bytes) {
    std::uint32_t value = 0;
    for (std::uint32_t k = bytes; k-- > 0;) value = value << 8 | static_cast<unsigned char>(file[offset + k]);
    return value;
}

// What the headers say about the pixels.
struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, whatever their order
    bool topDown = false;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorCount = 0;
    std::uint64_t tableOffset = 0;
    std::uint32_t entrySize = 4;                       // bytes per colour-table entry
    std::uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};  // red, green, blue of direct colours
    std::uint64_t bitsOffset = 0;
    std::uint32_t sizeImage = 0;

    bool IsRunLength() const { return compression == kRle8 || compression == kRle4; }
    std::uint64_t RowBytes() const { return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4; }
    // Rows are counted in file order; the decoded image starts with the top row.
    std::int64_t TopRow(std::int64_t row) const { return topDown ? row : height - 1 - row; }
};

bool IsInfoHeaderSize(std::uint32_t size) {
    // BITMAPINFOHEADER, its two Adobe extensions with masks, BITMAPV4HEADER and BITMAPV5HEADER.
    return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124;
}

bool CompressionFits(const Layout& layout) {
    switch (layout.compression) {
        case kRgb: return true;
        case kRle8: return layout.bitCount == 8;
        case kRle4: return layout.bitCount == 4;
        case kBitFields:
        case kAlphaBitFields: return layout.bitCount == 16 || layout.bitCount == 32;
        default: return false;
    }
}

// Reads the masks of bit-field images: inside headers that have them, else after the header
// (where they push the colour table back).
bool ReadMasks(std::string_view file, std::uint32_t headerSize, Layout& layout) {
    std::uint64_t at = kFileHeaderSize + kInfoHeaderSize;
    if (headerSize == kInfoHeaderSize) {
        const std::uint32_t count = layout.compression == kAlphaBitFields ? 4 : 3;
        if (!Fits(file, at, count * 4)) return false;
        layout.tableOffset += count * 4;
    }
    for (std::uint32_t& mask : layout.masks) {
        mask = Le(file, at, 4);
        at += 4;
    }
    return true;
}

// Whether all the pixel data the headers promise is in the file. Run-length data is decoded as
// far as it goes, so it only has to start inside the file.
bool BitsFit(std::string_view file, const Layout& layout) {
    if (layout.IsRunLength()) return layout.bitsOffset <= file.size();
    const std::uint64_t lastRow = (static_cast<std::uint64_t>(layout.width) * layout.bitCount + 7) / 8;
    return Fits(file, layout.bitsOffset, layout.RowBytes() * static_cast<std::uint64_t>(layout.height - 1) + lastRow);
}

bool ReadLayout(std::string_view file, std::int64_t maxPixels, Layout& layout) {
    if (!Fits(file, 0, kFileHeaderSize + 4) || Le(file, 0, 2) != 0x4D42) return false;  // "BM"
    layout.bitsOffset = Le(file, 10, 4);
    const std::uint32_t headerSize = Le(file, kFileHeaderSize, 4);
    if (!Fits(file, kFileHeaderSize, headerSize)) return false;
    layout.tableOffset = kFileHeaderSize + headerSize;
    std::int64_t height = 0;
    std::uint32_t usedColors = 0;
    if (headerSize == kCoreHeaderSize) {
        layout.width = Le(file, 18, 2);
        height = Le(file, 20, 2);
        layout.bitCount = Le(file, 24, 2);
        layout.entrySize = 3;
    } else if (IsInfoHeaderSize(headerSize)) {
        layout.width = static_cast<std::int32_t>(Le(file, 18, 4));
        height = static_cast<std::int32_t>(Le(file, 22, 4));
        layout.bitCount = Le(file, 28, 2);
        layout.compression = Le(file, 30, 4);
        layout.sizeImage = Le(file, 34, 4);
        usedColors = Le(file, 46, 4);
    } else {
        return false;
    }
    layout.topDown = height < 0;
    layout.height = layout.topDown ? -height : height;
    if (layout.width <= 0 || layout.height == 0 || layout.width * layout.height > maxPixels) return false;

    switch (layout.bitCount) {
        case 1: case 4: case 8: layout.colorCount = 1u << layout.bitCount; break;
        case 16: layout.masks[0] = 0x7C00; layout.masks[1] = 0x03E0; layout.masks[2] = 0x001F; break;
        case 24: case 32: break;
        default: return false;
    }
    if (usedColors != 0) layout.colorCount = usedColors;
    if (!CompressionFits(layout)) return false;
    if ((layout.compression == kBitFields || layout.compression == kAlphaBitFields) &&
        !ReadMasks(file, headerSize, layout))
        return false;
    // The colour table becomes the palette; a table that runs past the end makes none.
    return Fits(file, layout.tableOffset, static_cast<std::uint64_t>(layout.colorCount) * layout.entrySize) &&
           BitsFit(file, layout);
}

// The colours indexed pixels take: the table's blue, green and red bytes, opaque.
std::vector<std::uint32_t> ReadPalette(std::string_view file, const Layout& layout) {
    std::vector<std::uint32_t> palette;
    if (layout.bitCount > 8) return palette;
    const std::uint32_t entries = std::min(layout.colorCount, 1u << layout.bitCount);
    for (std::uint32_t k = 0; k < entries; ++k)
        palette.push_back(kOpaque | Le(file, layout.tableOffset + static_cast<std::uint64_t>(k) * layout.entrySize, 3));
    return palette;
}

// An index past the end of the palette shows black.
std::uint32_t PaletteColor(const std::vector<std::uint32_t>& palette, std::uint32_t index) {
    return index < palette.size() ? palette[index] : kOpaque;
}

// One channel of a direct-colour pixel, picked out by its mask and widened to 8 bits.
class Channel {
public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        if (mask_ == 0) return;
        while ((mask_ >> shift_ & 1) == 0) ++shift_;
        max_ = mask_ >> shift_;
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (max_ == 0) return 0;
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<std::uint32_t>((value * 255 + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_;
    std::uint32_t shift_ = 0;
    std::uint32_t max_ = 0;
};

// Uncompressed rows, padded to four bytes each. Alpha is ignored, as a plain copy of the bits
// onto the page would ignore it.
void DecodeRows(std::string_view file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                Pixels& out) {
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const std::uint32_t bits = layout.bitCount;
    const std::uint32_t indexMask = (1u << std::min(bits, 8u)) - 1;
    for (std::int64_t row = 0; row < layout.height; ++row) {
        const std::uint64_t start = layout.bitsOffset + static_cast<std::uint64_t>(row) * layout.RowBytes();
        std::uint32_t* dest = &out.argb[static_cast<std::size_t>(layout.TopRow(row) * layout.width)];
        for (std::int64_t x = 0; x < layout.width; ++x) {
            const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
            if (bits <= 8) {
                const std::uint32_t byte = Le(file, start + bit / 8, 1);
                dest[x] = PaletteColor(palette, byte >> (8 - bits - bit % 8) & indexMask);
            } else {
                const std::uint32_t value = Le(file, start + bit / 8, bits / 8);
                dest[x] = kOpaque | red(value) << 16 | green(value) << 8 | blue(value);
            }
        }
    }
}

// Run-length data: runs of one index (two alternating indices for RLE4), absolute runs padded
// to two bytes, end of line, end of bitmap and position deltas. Pixels the data never reaches
// stay transparent; runs past the right edge are cut off.
void DecodeRunLengths(std::string_view file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                      Pixels& out) {
    std::uint64_t end = file.size();
    if (layout.sizeImage != 0 && Fits(file, layout.bitsOffset, layout.sizeImage))
        end = layout.bitsOffset + layout.sizeImage;
    const bool rle4 = layout.compression == kRle4;
    std::uint64_t pos = layout.bitsOffset;
    std::int64_t x = 0;
    std::int64_t row = 0;
    const auto put = [&](std::uint32_t index) {
        if (x < layout.width)
            out.argb[static_cast<std::size_t>(layout.TopRow(row) * layout.width + x)] = PaletteColor(palette, index);
        ++x;
    };
    while (end - pos >= 2 && row < layout.height) {
        const std::uint32_t count = Le(file, pos, 1);
        const std::uint32_t value = Le(file, pos + 1, 1);
        pos += 2;
        if (count > 0) {
            for (std::uint32_t k = 0; k < count; ++k) put(rle4 ? (k % 2 == 0 ? value >> 4 : value & 0xF) : value);
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (end - pos < 2) return;
            x += Le(file, pos, 1);
            row += Le(file, pos + 1, 1);
            pos += 2;
        } else {
            const std::uint64_t bytes = rle4 ? (value + 1) / 2 : value;
            if (end - pos < bytes) return;
            for (std::uint32_t k = 0; k < value; ++k) {
                const std::uint32_t byte = Le(file, pos + (rle4 ? k / 2 : k), 1);
                put(rle4 ? (k % 2 == 0 ? byte >> 4 : byte & 0xF) : byte);
            }
            pos += std::min(end - pos, bytes + bytes % 2);
        }
    }
}

}  // namespace

bool DibImage::Load(const std::string& fsPath) {
    std::string file;
    if (ReadRegularFile(fsPath, kMaxFileBytes, file) == 0) return Decode(file);
    *this = DibImage();
    return false;
}

bool DibImage::Decode(std::string_view file, std::int64_t maxPixels) {
    *this = DibImage();
    Layout layout;
    if (!ReadLayout(file, maxPixels, layout)) return false;
    const std::vector<std::uint32_t> palette = ReadPalette(file, layout);
    Pixels pixels;
    pixels.width = static_cast<std::int32_t>(layout.width);
    pixels.height = static_cast<std::int32_t>(layout.height);
    pixels.argb.assign(static_cast<std::size_t>(layout.width * layout.height), 0);
    if (layout.IsRunLength())
        DecodeRunLengths(file, layout, palette, pixels);
    else
        DecodeRows(file, layout, palette, pixels);
    pixels_ = std::move(pixels);
    colorCount_ = layout.colorCount;
    return true;
}
