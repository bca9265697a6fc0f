#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "render/dib_image.h"
#include "tests/render/bmp_bytes.h"
#include "tests/support/temp_home.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

std::uint32_t PixelAt(const DibImage& image, std::int32_t x, std::int32_t top) {
    return image.GetPixels().argb.at(static_cast<std::size_t>(top * image.Width() + x));
}

// Palette indices packed most significant bits first, padded to four bytes.
std::string PackRow(const std::vector<std::uint32_t>& indices, std::uint32_t bits) {
    std::string row((indices.size() * bits + 7) / 8, '\0');
    for (std::size_t x = 0; x < indices.size(); ++x) {
        const std::size_t bit = x * bits;
        row[bit / 8] = static_cast<char>(row[bit / 8] | indices[x] << (8 - bits - bit % 8));
    }
    return PadRow(row);
}

// Distinct colours: the red byte is the index.
std::vector<std::uint32_t> Table(std::uint32_t entries) {
    std::vector<std::uint32_t> table;
    for (std::uint32_t k = 0; k < entries; ++k) table.push_back(k << 16 | (255 - k) << 8 | (k * 37 & 0xFF));
    return table;
}

// One row of direct-colour pixels, each stored in bytes of bytes.
std::string DirectRow(const std::vector<std::uint32_t>& stored, std::size_t bytes) {
    std::string row;
    for (const std::uint32_t value : stored) row += Le32(value).substr(0, bytes);
    return PadRow(row);
}

std::vector<std::uint32_t> Row(const DibImage& image, std::int32_t top) {
    std::vector<std::uint32_t> row;
    for (std::int32_t x = 0; x < image.Width(); ++x) row.push_back(PixelAt(image, x, top));
    return row;
}

}  // namespace

TEST(DibImageDecode, IndexedPixelsTakeTheirColourTableEntries) {
    for (const std::uint32_t bits : {1u, 4u, 8u}) {
        SCOPED_TRACE(bits);
        const std::uint32_t colors = 1u << bits;
        const auto index = [&](std::int32_t x, std::int32_t top) { return (x * 3 + top * 5) % colors; };
        BmpSpec spec;
        spec.width = 7;
        spec.height = 3;
        spec.bitCount = bits;
        spec.colorTable = Table(colors);
        for (std::int32_t top = spec.height - 1; top >= 0; --top) {  // stored bottom row first
            std::vector<std::uint32_t> indices;
            for (std::int32_t x = 0; x < spec.width; ++x) indices.push_back(index(x, top));
            spec.bits += PackRow(indices, bits);
        }
        DibImage image;
        ASSERT_TRUE(image.Decode(BmpFile(spec)));
        EXPECT_EQ(image.Width(), 7);
        EXPECT_EQ(image.Height(), 3);
        EXPECT_EQ(image.ColorCount(), colors);
        for (std::int32_t top = 0; top < spec.height; ++top)
            for (std::int32_t x = 0; x < spec.width; ++x)
                EXPECT_EQ(PixelAt(image, x, top), kOpaque | spec.colorTable[index(x, top)]) << x << "," << top;
    }
}

TEST(DibImageDecode, UsedColourCountSetsTheColourCountAndShortTablesShowBlack) {
    BmpSpec spec;
    spec.width = 3;
    spec.bitCount = 8;
    spec.usedColors = 2;
    spec.colorTable = {0x112233, 0x445566};
    spec.bits = PadRow(std::string("\0\1\2", 3));
    DibImage image;
    ASSERT_TRUE(image.Decode(BmpFile(spec)));
    EXPECT_EQ(image.ColorCount(), 2u);
    EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>{kOpaque | 0x112233, kOpaque | 0x445566, kOpaque}));
}

TEST(DibImageDecode, DirectColoursAreOpaqueAtEveryDepth) {
    struct Case {
        std::uint32_t bits;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        std::vector<std::uint32_t> stored;
        std::vector<std::uint32_t> expected;  // 0xRRGGBB
    };
    const std::vector<Case> cases = {
        {24, 0, {}, {0x123456, 0xABCDEF}, {0x123456, 0xABCDEF}},
        // The fourth byte is not alpha for a plain copy of the bits.
        {32, 0, {}, {0x00123456, 0x7FABCDEF}, {0x123456, 0xABCDEF}},
        // 5-5-5; 16 of 31 is 131.6 of 255.
        {16, 0, {}, {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x4000}, {0xFF0000, 0xFF00, 0xFF, 0xFFFFFF, 0, 0x840000}},
        {16, 3, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x001F, 0x0400}, {0xFF0000, 0xFF00, 0xFF, 0x008200}},
        // Masks in any order; a zero mask gives no colour.
        {32, 3, {0xFF, 0xFF00, 0}, {0x00CC2211}, {0x112200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        BmpSpec spec;
        spec.width = static_cast<std::int32_t>(c.stored.size());
        spec.bitCount = c.bits;
        spec.compression = c.compression;
        spec.masks = c.masks;
        spec.bits = DirectRow(c.stored, c.bits / 8);
        DibImage image;
        ASSERT_TRUE(image.Decode(BmpFile(spec)));
        EXPECT_EQ(image.ColorCount(), 0u);
        for (std::size_t x = 0; x < c.expected.size(); ++x)
            EXPECT_EQ(PixelAt(image, static_cast<std::int32_t>(x), 0), kOpaque | c.expected[x]) << x;
    }
}

TEST(DibImageDecode, LaterAndOlderHeadersDecodeAlike) {
    BmpSpec spec;
    spec.width = 2;
    spec.bitCount = 16;
    spec.compression = 3;
    spec.masks = {0xF800, 0x07E0, 0x001F};
    spec.bits = DirectRow({0xF800, 0x001F}, 2);
    for (const std::uint32_t headerSize : {40u, 52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        spec.headerSize = headerSize;
        DibImage image;
        ASSERT_TRUE(image.Decode(BmpFile(spec)));
        EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>{kOpaque | 0xFF0000, kOpaque | 0xFF}));
    }

    spec.headerSize = 40;  // alpha bit fields: a fourth mask, ignored
    spec.compression = 6;
    spec.masks = {0xF800, 0x07E0, 0x001F, 0};
    DibImage image;
    ASSERT_TRUE(image.Decode(BmpFile(spec)));
    EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>{kOpaque | 0xFF0000, kOpaque | 0xFF}));

    BmpSpec os2;  // OS/2 1.x: 16-bit sizes and three-byte colour entries
    os2.headerSize = 12;
    os2.width = 3;
    os2.bitCount = 8;
    os2.colorTable = Table(256);
    os2.bits = PadRow(std::string("\3\0\xFF", 3));
    ASSERT_TRUE(image.Decode(BmpFile(os2)));
    EXPECT_EQ(image.ColorCount(), 256u);
    EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>{kOpaque | os2.colorTable[3], kOpaque | os2.colorTable[0],
                                                         kOpaque | os2.colorTable[255]}));
}

TEST(DibImageDecode, RowsAreStoredBottomUpUnlessTheHeightIsNegative) {
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.bits = DirectRow({0x000001, 0x000002}, 3) + DirectRow({0x000003, 0x000004}, 3);
    DibImage bottomUp, topDown;
    ASSERT_TRUE(bottomUp.Decode(BmpFile(spec)));
    spec.height = -2;
    ASSERT_TRUE(topDown.Decode(BmpFile(spec)));
    EXPECT_EQ(topDown.Height(), 2);
    EXPECT_EQ(Row(bottomUp, 0), (std::vector<std::uint32_t>{kOpaque | 3, kOpaque | 4}));
    EXPECT_EQ(Row(bottomUp, 1), (std::vector<std::uint32_t>{kOpaque | 1, kOpaque | 2}));
    EXPECT_EQ(Row(topDown, 0), Row(bottomUp, 1));
    EXPECT_EQ(Row(topDown, 1), Row(bottomUp, 0));
}

TEST(DibImageDecode, RunLengthDataWithRunsDeltasAndLineEnds) {
    BmpSpec spec;
    spec.colorTable = Table(16);
    spec.usedColors = 16;
    const auto c = [&](std::uint32_t index) { return kOpaque | spec.colorTable[index]; };
    constexpr std::uint32_t kSkipped = 0;

    spec.width = 6;
    spec.height = 4;
    spec.bitCount = 8;
    spec.compression = 1;
    spec.bits = std::string("\3\1"           // bottom row: three of 1,
                            "\0\3\2\3\4\0"   // absolute 2 3 4, padded,
                            "\0\0"           // end of line
                            "\2\5"           // two of 5,
                            "\0\2\2\1"       // two right and one row up,
                            "\2\6\0\0"       // two of 6, end of line
                            "\10\7"          // eight of 7, cut at the right edge
                            "\0\1\5\1",      // end of bitmap, then bytes to ignore
                            26);
    DibImage image;
    ASSERT_TRUE(image.Decode(BmpFile(spec)));
    EXPECT_EQ(Row(image, 3), (std::vector<std::uint32_t>{c(1), c(1), c(1), c(2), c(3), c(4)}));
    EXPECT_EQ(Row(image, 2), (std::vector<std::uint32_t>{c(5), c(5), kSkipped, kSkipped, kSkipped, kSkipped}));
    EXPECT_EQ(Row(image, 1), (std::vector<std::uint32_t>{kSkipped, kSkipped, kSkipped, kSkipped, c(6), c(6)}));
    EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>(6, c(7))));

    spec.width = 5;
    spec.height = 2;
    spec.bitCount = 4;
    spec.compression = 2;
    spec.bits = std::string("\2\x12"           // bottom row: 1 2,
                            "\0\2\1\0"         // one right,
                            "\2\x9A\0\0"       // 9 10, end of line
                            "\0\5\x34\x56\x70\0"  // absolute 3 4 5 6 7, padded
                            "\0\1",
                            18);
    ASSERT_TRUE(image.Decode(BmpFile(spec)));
    EXPECT_EQ(Row(image, 1), (std::vector<std::uint32_t>{c(1), c(2), kSkipped, c(9), c(10)}));
    EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>{c(3), c(4), c(5), c(6), c(7)}));

    // Data that stops inside an absolute run is drawn as far as it is whole.
    spec.bitCount = 8;
    spec.compression = 1;
    spec.width = 6;
    spec.height = 1;
    spec.bits = std::string("\3\1\0\3\2\3", 6);
    ASSERT_TRUE(image.Decode(BmpFile(spec)));
    EXPECT_EQ(Row(image, 0), (std::vector<std::uint32_t>{c(1), c(1), c(1), kSkipped, kSkipped, kSkipped}));
}

TEST(DibImageDecode, DamagedFilesAreRefusedAndLeaveNoImage) {
    const std::string good = SolidBmp(4, 2, 0x102030);  // rows of 12 bytes need no padding
    DibImage image;
    ASSERT_TRUE(image.Decode(good));
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(image.Decode(good.substr(0, size))) << size;
        EXPECT_FALSE(image.IsLoaded());
        EXPECT_EQ(image.Width(), 0);
    }

    std::string notBm = good;
    notBm[1] = 'A';
    EXPECT_FALSE(image.Decode(notBm));

    std::string offsetPastEnd = good;
    offsetPastEnd.replace(10, 4, Le32(static_cast<std::uint32_t>(good.size()) - 23));  // one byte short
    EXPECT_FALSE(image.Decode(offsetPastEnd));
    offsetPastEnd.replace(10, 4, Le32(0xFFFFFFFF));
    EXPECT_FALSE(image.Decode(offsetPastEnd));

    BmpSpec spec;  // a last row without its padding is whole
    spec.width = 1;
    spec.height = 2;
    spec.bits = PadRow("abc") + "abc";
    EXPECT_TRUE(image.Decode(BmpFile(spec)));
}

TEST(DibImageDecode, HeadersThatCannotDescribeAnImageAreRefused) {
    // Run-length data claims any size in a few bytes.
    EXPECT_TRUE(DibImage().Decode(EmptyRleBmp(8, 8), 64));
    EXPECT_FALSE(DibImage().Decode(EmptyRleBmp(9, 8), 64));
    for (const auto& [width, height] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {4097, 4096}, {4096, -4097}, {8192, 8192}, {8193, 8192}, {100000, 100000}, {0x7FFFFFFF, -0x7FFFFFFF - 1},
             {0, 5}, {5, 0}, {-5, 5}}) {
        EXPECT_FALSE(DibImage().Decode(EmptyRleBmp(width, height))) << width << "x" << height;
    }
    DibImage largest;  // 16 Mpixel, the most a file may hold
    EXPECT_TRUE(largest.Decode(EmptyRleBmp(4096, -4096)));
    EXPECT_EQ(largest.GetPixels().argb.size(), std::size_t{4096} * 4096);

    BmpSpec spec;
    spec.width = 30000;  // within the pixel limit, but its bits are not in the file
    spec.height = 2;
    spec.bits = "abc";
    EXPECT_FALSE(DibImage().Decode(BmpFile(spec)));

    struct Format {
        std::uint32_t headerSize, bitCount, compression, usedColors;
    };
    for (const Format& format : std::vector<Format>{
             {40, 2, 0, 0}, {40, 0, 0, 0}, {40, 64, 0, 0},  // depths
             {40, 24, 4, 0}, {40, 24, 3, 0}, {40, 8, 99, 0},  // JPEG, bit fields at 24 bits, unknown
             {40, 8, 2, 0}, {40, 4, 1, 0},                    // run lengths at the other depth
             {64, 24, 0, 0}, {16, 24, 0, 0}, {0, 24, 0, 0},   // header sizes
             {40, 8, 0, 0x40000000}, {40, 24, 0, 1000}}) {    // colour tables past the end
        BmpSpec bad;
        bad.width = 1;
        bad.headerSize = format.headerSize;
        bad.bitCount = format.bitCount;
        bad.compression = format.compression;
        bad.usedColors = format.usedColors;
        bad.bits = std::string(64, '\0');
        EXPECT_FALSE(DibImage().Decode(BmpFile(bad)))
            << format.headerSize << " " << format.bitCount << " " << format.compression;
    }
}

class DibImageLoad : public TempHomeTest {};

TEST_F(DibImageLoad, ReadsRegularFilesOnly) {
    const std::string path = PathOf("a.bmp");
    WriteBytes(path, SolidBmp(3, 2, 0x0000FF));
    DibImage image;
    ASSERT_TRUE(image.Load(path));
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(PixelAt(image, 2, 1), kOpaque | 0xFF);

    EXPECT_FALSE(image.Load(PathOf("missing.bmp")));
    EXPECT_FALSE(image.IsLoaded());
    std::filesystem::create_directory(PathOf("folder.bmp"));
    EXPECT_FALSE(image.Load(PathOf("folder.bmp")));
    ASSERT_EQ(mkfifo(PathOf("pipe.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(image.Load(PathOf("pipe.bmp")));  // returns at once, with no writer
    WriteBytes(PathOf("text.bmp"), "BM but not a bitmap");
    EXPECT_FALSE(image.Load(PathOf("text.bmp")));
}
