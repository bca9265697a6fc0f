#pragma once

class QWidget;

// Moves a window to the top right corner of its screen, so that the tag in the view stays in
// sight while it is open. Call it once the window is shown and its frame is known.
void MoveToScreenTopRight(QWidget* window);
