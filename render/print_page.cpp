#include "render/print_page.h"

#include "render/sheet.h"

void DrawPrintPage(ViewState& view, Surface& surface, std::int32_t page, const PrinterCalibration& calibration) {
    view.printPage = page;
    surface.BeginPage(page);
    if (!calibration.IsNone()) surface.Calibrate(calibration);
    DrawSheet(view, surface);
}
