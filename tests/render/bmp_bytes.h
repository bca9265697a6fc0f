#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Bitmap files written byte by byte, for the tests of the bitmap reader and of card images.

inline std::string Le16(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}

inline std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

// Pads a row of pixel bytes to a multiple of four bytes.
inline std::string PadRow(std::string row) {
    row.resize((row.size() + 3) / 4 * 4, '\0');
    return row;
}

struct BmpSpec {
    std::int32_t width = 1;
    std::int32_t height = 1;  // negative for top-down rows
    std::uint32_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;  // 12 (OS/2), 40, 52, 56, 108 or 124
    std::uint32_t usedColors = 0;
    std::vector<std::uint32_t> colorTable;  // 0xRRGGBB
    // Inside headers larger than 40 bytes, else written after the header.
    std::vector<std::uint32_t> masks;
    std::string bits;  // the pixel data as stored
};

// The file: file header, info header, masks, colour table, then the bits.
inline std::string BmpFile(const BmpSpec& spec) {
    std::string header;
    if (spec.headerSize == 12) {
        header = Le32(12) + Le16(static_cast<std::uint32_t>(spec.width)) +
                 Le16(static_cast<std::uint32_t>(spec.height)) + Le16(1) + Le16(spec.bitCount);
    } else {
        header = Le32(spec.headerSize) + Le32(static_cast<std::uint32_t>(spec.width)) +
                 Le32(static_cast<std::uint32_t>(spec.height)) + Le16(1) + Le16(spec.bitCount) +
                 Le32(spec.compression) + Le32(static_cast<std::uint32_t>(spec.bits.size())) + Le32(2835) +
                 Le32(2835) + Le32(spec.usedColors) + Le32(0);
    }
    std::string masks;
    for (const std::uint32_t mask : spec.masks) masks += Le32(mask);
    if (spec.headerSize > 40) {
        header += masks;
        masks.clear();
    }
    header.resize(spec.headerSize, '\0');
    std::string table;
    for (const std::uint32_t color : spec.colorTable) {
        const std::string quad = Le32(color);  // blue, green, red, reserved
        table += spec.headerSize == 12 ? quad.substr(0, 3) : quad;
    }
    const std::size_t bitsOffset = 14 + header.size() + masks.size() + table.size();
    return "BM" + Le32(static_cast<std::uint32_t>(bitsOffset + spec.bits.size())) + Le32(0) +
           Le32(static_cast<std::uint32_t>(bitsOffset)) + header + masks + table + spec.bits;
}

// A 24-bit bottom-up image of one colour (0xRRGGBB).
inline std::string SolidBmp(std::int32_t width, std::int32_t height, std::uint32_t color) {
    const std::string pixel = Le32(color).substr(0, 3);
    std::string row;
    for (std::int32_t x = 0; x < width; ++x) row += pixel;
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    for (std::int32_t y = 0; y < height; ++y) spec.bits += PadRow(row);
    return BmpFile(spec);
}

// An 8-bit run-length file of any size in a few bytes: its data ends at once, so every pixel
// is left out.
inline std::string EmptyRleBmp(std::int32_t width, std::int32_t height) {
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 8;
    spec.compression = 1;
    spec.usedColors = 1;
    spec.colorTable = {0xFFFFFF};
    spec.bits = std::string("\0\1", 2);
    return BmpFile(spec);
}
