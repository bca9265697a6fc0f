#pragma once

#include "store/color_setting.h"

class QPushButton;

// Shows a colour as a small swatch beside a button's caption, edged so that white shows on a
// light button too.
void ShowColorSwatch(QPushButton* button, ColorRef color);
