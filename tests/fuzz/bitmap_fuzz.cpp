// Decodes arbitrary bytes as a bitmap file, checking what must hold for any input: a decoded
// image is as large as its pixels and within the limit, every pixel is opaque or (left out by
// run-length data) untouched, and an image decoded before leaves nothing behind.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "render/dib_image.h"

namespace {

// The reader's own limit, so that files of a few bytes claiming the largest images are tried
// as the program meets them.
constexpr std::int64_t kMaxPixels = DibImage::kMaxPixels;
// Images up to this size are checked pixel by pixel and decoded twice; larger ones, which only
// run-length data can claim in a fuzzer's few bytes, only for their size, so that the fuzzer
// keeps its pace.
constexpr std::int64_t kFullyCheckedPixels = 1 << 20;

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    DibImage image;
    const bool loaded = image.Decode(file);
    Require(loaded == image.IsLoaded(), "the result tells whether there is an image");
    if (!loaded) {
        Require(image.Width() == 0 && image.Height() == 0 && image.ColorCount() == 0, "a refused file leaves nothing");
        return 0;
    }
    const Pixels& pixels = image.GetPixels();
    Require(pixels.width > 0 && pixels.height > 0, "an image has a size");
    const std::int64_t count = std::int64_t{pixels.width} * pixels.height;
    Require(count <= kMaxPixels, "the pixel limit holds");
    Require(pixels.argb.size() == static_cast<std::size_t>(count), "there is one colour per pixel");
    if (count > kFullyCheckedPixels) return 0;
    for (const std::uint32_t argb : pixels.argb) Require(argb >> 24 == 0xFF || argb == 0, "pixels are opaque or untouched");

    DibImage reused;
    reused.Decode(file.substr(0, size / 2));
    Require(reused.Decode(file), "decoding is repeatable");
    Require(reused.GetPixels().argb == pixels.argb && reused.ColorCount() == image.ColorCount(),
            "an earlier image leaves nothing behind");
    return 0;
}
