#pragma once

#include <QImage>

#include "render/surface.h"

// The three monochrome fill patterns of frames, 16 × 15 pixels, as textures: the area colour
// where the pattern has a 0 bit, white where it has a 1 bit. A QBrush built from a QBitmap would
// draw nothing in a PDF, so the patterns are kept as colour images.
bool IsPatternBrush(BrushKind kind);
QImage PatternTexture(BrushKind kind, const QColor& areaColor);
