#pragma once

#include <QImage>

#include "render/surface.h"

// Textures for the fills of frames, `scale` device pixels to a pattern pixel.
//
// The three monochrome patterns are 16 × 15 pixels: the area colour where the pattern has a 0
// bit, white where it has a 1 bit. (A QBrush built from a QBitmap would draw nothing in a PDF.)
bool IsPatternBrush(BrushKind kind);
QImage PatternTexture(BrushKind kind, const QColor& areaColor, int scale);

// The hatch of a hatch brush in the area colour on white, as Qt draws it: one 8 × 8 tile.
Qt::BrushStyle HatchStyle(BrushKind kind);  // Qt::NoBrush for brushes that are no hatch
QImage HatchTexture(BrushKind kind, const QColor& areaColor, int scale);
