#pragma once

#include <QImage>

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

#include "render/surface.h"

// Decoded bitmaps as images for the painter, kept while a surface draws: the cards of a sheet
// take turns between a few bitmaps, each is converted once, and a PDF stores an image once only
// while it is drawn from the same QImage. The images used longest ago are dropped first once
// more than two of the largest bitmaps are held.
class DeviceImages {
public:
    const QImage& Get(const Pixels& pixels, std::string_view source);

private:
    struct Kept {
        const std::uint32_t* data = nullptr;
        std::string source;
        QImage image;
    };

    std::list<Kept> kept_;  // the one used last first
};
