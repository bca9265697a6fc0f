#include "render/print_page.h"

#include "render/logical_math.h"
#include "render/sheet.h"

namespace {

// The calibration a back page takes: the back's offset added to the printer's.
PrinterCalibration OnBack(PrinterCalibration calibration) {
    calibration.offsetX = Clamp32(std::int64_t{calibration.offsetX} + calibration.backOffsetX);
    calibration.offsetY = Clamp32(std::int64_t{calibration.offsetY} + calibration.backOffsetY);
    calibration.backOffsetX = calibration.backOffsetY = 0;
    return calibration;
}

}  // namespace

void DrawPrintPage(ViewState& view, Surface& surface, std::int32_t page, const PrinterCalibration& calibration) {
    view.printPage = page;
    surface.BeginPage(page);
    const PrinterCalibration used = IsBackPage(view, page) ? OnBack(calibration) : calibration;
    if (!used.IsNone()) surface.Calibrate(used);
    DrawSheet(view, surface);
}
