#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/surface.h"

// A device-independent bitmap file (".BMP", ".DIB") decoded to pixels. Reads 1, 4, 8, 16, 24
// and 32 bits per pixel, bottom-up and top-down rows, RLE4 and RLE8, bit-field masks, and the
// info headers from OS/2 1.x up to version 5. Every size and offset in the file is checked
// against its length, so a damaged file is refused (or, for run-length data, drawn as far as it
// goes) and never read past its end.
class DibImage {
public:
    // Larger images are refused, as if the file could not be read, rather than allocated: 16
    // Mpixel (4096 × 4096, 64 MB decoded) is far more than a tag shows, and a few bytes of
    // run-length data may claim any size.
    static constexpr std::int64_t kMaxPixels = 16LL * 1024 * 1024;

    // Reads and decodes the file at a file-system path; only regular files are read. False (and
    // no image) when it cannot be read or is not a bitmap this reader accepts.
    bool Load(const std::string& fsPath);
    // Decodes a whole bitmap file held in memory, refusing images of more than maxPixels.
    bool Decode(std::string_view file, std::int64_t maxPixels = kMaxPixels);

    bool IsLoaded() const { return !pixels_.argb.empty(); }
    std::int32_t Width() const { return pixels_.width; }
    // Positive for top-down files too.
    std::int32_t Height() const { return pixels_.height; }
    // The header's used-colour count; when that is 0, 2, 16 or 256 for 1, 4 or 8 bits per pixel
    // and 0 for deeper images.
    std::uint32_t ColorCount() const { return colorCount_; }
    // Opaque colours, top row first. Pixels that run-length data skips are transparent (0).
    const Pixels& GetPixels() const { return pixels_; }

private:
    Pixels pixels_;
    std::uint32_t colorCount_ = 0;
};
