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

// The front/back registration test ("表裏合わせのテストページ"): two pages printed on the two
// sides of one sheet, with numbered crosses at the same places of the paper, so that held to the
// light one sees how far the back lands off the front. The back page is drawn mirrored as the
// printer turns the paper: about the vertical centre line for long-edge binding, about the
// horizontal one for short-edge.
enum class RegistrationSide { Front, BackLongEdge, BackShortEdge };
// Where the side's crosses are drawn, in the order of their numbers (1, 2 …).
std::vector<CalibrationCross> RegistrationCrosses(double paperWidth, double paperHeight, RegistrationSide side);
// The side's page under the printer's calibration: the back's offset is added on a back.
void DrawRegistrationPage(Surface& surface, double paperWidth, double paperHeight, RegistrationSide side,
                          const PrinterCalibration& calibration, const std::string& printerName, const std::string& date);
