#pragma once

#include <optional>

#include "dialogs/font_choice.h"

class QWidget;

// "ﾌｫﾝﾄ": the platform's font dialog (face, style, size, underline, strike-out) with a colour
// button beside it, as one dialog with one OK and one cancel. Nothing when cancelled.
std::optional<FontChoice> RunFontDialog(QWidget* parent, const FontChoice& initial);
