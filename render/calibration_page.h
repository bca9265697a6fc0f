#pragma once

#include <string>
#include <vector>

#include "render/surface.h"

// The page printed to measure a printer: millimetre rulers along the top and left edges, crosses
// at known places, the printer's name and the date. The user measures where the crosses landed
// and types the error into the calibration (store/calibration.h).

struct CalibrationCross {
    double x, y;  // millimetres from the paper's top-left corner
};
// The crosses of a paper: 20 mm in from each corner, and the centre.
std::vector<CalibrationCross> CalibrationCrosses(double paperWidth, double paperHeight);

// Today's date as the test page shows it: "2026-12-08".
std::string TodayForCalibrationPage();

// printerName and date are UTF-8; a name that code page 932 cannot hold is shown with "?".
void DrawCalibrationPage(Surface& surface, double paperWidth, double paperHeight, const std::string& printerName,
                         const std::string& date);
