#pragma once

#include <optional>

#include "render/qt/qt_colors.h"

class QWidget;

// The platform's colour chooser, starting from initial. Nothing when cancelled.
std::optional<ColorRef> RunColorChooser(QWidget* parent, ColorRef initial);
