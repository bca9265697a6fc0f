#pragma once

#include <QPalette>

// Dialogs are grey with black text, whatever the desktop's colours. Disabled captions are a
// darker grey than the desktop's own disabled colour, which nearly vanishes on this background.
QPalette DialogPalette(QPalette base);

// Gives every dialog (and so every control in one) the palette above.
void InstallDialogPalette();
