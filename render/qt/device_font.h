#pragma once

#include <QFont>
#include <QString>

#include <utility>
#include <vector>

#include "store/font_setting.h"

class QPaintDevice;

// A stored font made for a device: negative heights are em heights, positive ones cell heights
// (ascent + descent), in logical units of 1/100 inch.
struct DeviceFont {
    QFont font;
    QString key;  // tells fonts apart in caches
    double ascent = 0, cellHeight = 0, averageCharWidth = 0;  // device pixels
    double overstrike = 0;  // device pixels to the right where bold text is struck again, or 0
};

// The fonts of one device. A tag switches between its items' fonts and back, so each font is
// made once. engineMakesBold: whether the device's paint engine draws bold for every font without
// a bold face, as Qt's PDF engine does.
class DeviceFonts {
public:
    DeviceFonts(QPaintDevice* device, int dpiX, int dpiY, bool engineMakesBold);
    // The font, its glyphs scaled horizontally by scalePercent.
    const DeviceFont& Get(const LogFont& font, int scalePercent = 100);

private:
    DeviceFont Make(const LogFont& font, int scalePercent) const;

    QPaintDevice* device_;
    int dpiX_, dpiY_;
    bool engineMakesBold_;
    struct Made {
        LogFont font;
        int scalePercent;
        DeviceFont made;
    };
    std::vector<Made> made_;
};
