#pragma once

#include <QIcon>

class QPainter;

#include "view/commands.h"

// The program's icons, drawn in code at whatever size and pixel ratio they are asked for, so
// that they stay sharp on high-resolution screens. Disabled icons are drawn in grey.

// A toolbar button's picture; a null icon for commands without a button.
QIcon CommandIcon(CommandId id);
// The program's own icon: a name tag.
QIcon ProgramIcon();
// Draws the program's icon on a 16 × 16 grid; the launcher's icon files are drawn from it too.
void DrawProgramIcon(QPainter& painter);
