#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

// Small pictures for the lists of the frame dialog, drawn by the tag renderer itself, so that
// each entry looks as it will on the tag.

// A business card with the frame of each kind (FrameKind order): the inner shape filled and
// outlined, the card's edge outlined. Drawn once per run of the program.
const std::vector<QImage>& FrameKindPictures();

// A swatch of a fill pattern in black on white.
QImage FillPatternPicture(std::int32_t pattern);

// The names of the frame kinds, in FrameKind order.
const std::vector<QString>& FrameKindCaptions();
