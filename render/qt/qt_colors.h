#pragma once

#include <QColor>

#include "store/color_setting.h"

// Stored colours (red in the low byte) and Qt's colours.
QColor ToQColor(ColorRef color);
ColorRef FromQColor(const QColor& color);
