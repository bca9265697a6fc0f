#pragma once

#include <QString>

class QWidget;

// Shows a report of many lines (what an import did) modally, every line whole: the window is as
// wide as the longest line where the screen allows, and scrolls where it does not.
void ShowReport(QWidget* parent, const QString& text);
