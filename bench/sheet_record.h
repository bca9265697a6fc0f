#pragma once

#include <cstdint>
#include <string>

// Record files of decorated tags for the drawing benchmarks, as the program stores them (code
// page 932, CRLF line ends).
namespace bench {

struct SheetRecordShape {
    int cards = 10;
    int items = 8;              // the first of the fixed items, at most 8
    bool effectsOnAll = true;   // shadow or 3D and a background box on every item, else…
    bool nameShadow = true;     // …a shadow on the first, or no effect at all
    int lines = 3;              // decorative lines per card, at most 3
    bool frame = true;          // slot 1's hatched frame, else the default invisible one
    std::string bitmapPath;     // the cards' image (a stored path); empty for none
    // Names fitted to a width with their reading as ruby, and the last item a QR code.
    bool typeset = false;
};

// Cards 0000 … with a name each, and (when asked for) a frame with a hatched inner shape in slot 1.
std::string MakeSheetRecord(const SheetRecordShape& shape);

// A 24-bit bitmap file of a colour gradient.
std::string MakeBitmapFile(std::int32_t width, std::int32_t height);

}  // namespace bench
