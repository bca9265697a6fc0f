#pragma once

#include <cstdint>
#include <string>

#include "render/dib_image.h"
#include "render/surface.h"
#include "render/view_state.h"

// The document's one loaded bitmap and the stored path it came from. A file is read again only
// when a card names another path, so a sheet whose cards all show the same image reads it once.
// A path that cannot be loaded is remembered as well, and gives no image until another path is
// asked for.
class CardImageCache {
public:
    // The image of a stored (code page 932) path; null for an empty path or one that cannot be
    // loaded.
    const DibImage* ImageFor(const std::string& storedPath);
    // How many loads have been tried, each for a path other than the one before.
    std::int32_t LoadCount() const { return loadCount_; }

private:
    DibImage image_;
    std::string path_;
    std::int32_t loadCount_ = 0;
};

// Draws the image of the card in section, whose top-left corner is (x, y), at its stored offset
// and zoom, squeezed to end at the card's right and bottom edges. Images are placed in device
// units: on paper one image pixel at 100 % is as large as one screen pixel, and on the screen
// positions are scaled by the view's adjustment.
void DrawCardImage(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const std::string& section);
