#include "render/print_page.h"

#include "render/sheet.h"

void DrawPrintPage(ViewState& view, Surface& surface, std::int32_t page, const PrinterCalibration& calibration) {
    view.printPage = page;
    surface.BeginPage(page);
    const PrinterCalibration used = IsBackPage(view, page) ? BackPageCalibration(calibration) : calibration;
    if (!used.IsNone()) surface.Calibrate(used);
    DrawSheet(view, surface);
}
