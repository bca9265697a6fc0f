#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

#include "render/card_value.h"
#include "render/dib_image.h"
#include "render/surface.h"
#include "render/view_state.h"

// The bitmaps a document's cards show, by stored path. Each file is decoded once and kept while
// it is unchanged on disk, so a print job whose cards take turns between a few images decodes
// each of them once, however many cards it prints. A path that cannot be loaded is remembered as
// well, and tried again only when its file changes. The images used longest ago are dropped
// first once more than kMaxKeptPixels are held.
class CardImageCache {
public:
    static constexpr std::int64_t kMaxKeptPixels = 2 * DibImage::kMaxPixels;
    static constexpr std::size_t kMaxKeptFiles = 64;

    // The image of a stored (code page 932) path; null for an empty path or one that cannot be
    // loaded. Valid until the next call.
    const DibImage* ImageFor(const std::string& storedPath);
    // How many loads have been tried.
    std::int32_t LoadCount() const { return loadCount_; }

    // What tells the versions of a file apart; all 0 when there is no file to look at.
    struct FileStamp {
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = 0, modifiedNs = 0, changedNs = 0;
        bool operator==(const FileStamp& other) const;
    };

private:
    struct Entry {
        std::string path;
        FileStamp stamp;
        DibImage image;  // not loaded when the file could not be
    };
    void Trim();

    std::list<Entry> entries_;  // the one used last first
    std::int32_t loadCount_ = 0;
};

// Draws the image of the card in section, whose top-left corner is (x, y), at its stored offset
// and zoom, squeezed to end at the card's right and bottom edges. Images are placed in device
// units: on paper one image pixel at 100 % is as large as one screen pixel, and on the screen
// positions are scaled by the view's adjustment.
void DrawCardImage(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const ImageValue& image);
