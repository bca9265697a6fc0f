#pragma once

#include <cstdint>

#include "render/surface.h"
#include "render/view_state.h"
#include "store/calibration.h"

// Draws page N of a print job, as the printer, its preview and the export draw it: the page
// mark, the printer's calibration (none for an exact export; on a back page with the back's
// offset added), then the sheet page or its back.
void DrawPrintPage(ViewState& view, Surface& surface, std::int32_t page, const PrinterCalibration& calibration = {});
