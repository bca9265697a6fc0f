#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/surface.h"
#include "render/view_state.h"
#include "store/calibration.h"

// Draws pages of the view and writes them out. Each writer returns an empty text when every page
// was written, else why not. An output file is written to a temporary file beside it and renamed
// over it once complete: an export that fails or is killed leaves the previous output as it was
// (a failure also removes the temporary file). An output that exists and is not a regular file
// (a device, a FIFO) is refused; through a symbolic link the regular file it names is written.
namespace export_tool {

// The resolutions pages are drawn at unless another is asked for. A trace is always at 100 dpi.
constexpr std::int32_t kPdfDpi = 1200;
constexpr std::int32_t kPngDpi = 300;
constexpr std::int32_t kTraceDpi = 100;

struct Job {
    std::vector<std::int32_t> pages;  // print pages to draw, in order
    bool printing = true;             // false for the card view, which is not printed
    std::int32_t dpi = 100;
    std::string output;               // a file-system path; empty for standard output
    double paperWidth = 210, paperHeight = 297;  // millimetres
    std::string title;                // of a PDF (UTF-8)
    // Told after each page how many are done; false stops the writing.
    std::function<bool(std::size_t done)> progress;
};

// A print job of the pages on the paper of the view's label slot.
Job PrintJob(const ViewState& view, std::int32_t dpi, std::vector<std::int32_t> pages);

// Draws one page of a job on a surface.
using PageDrawer = std::function<void(Surface& surface, std::int32_t page)>;
// The sheet pages of the view, with a printer's error taken back (none for an exact export).
PageDrawer SheetPages(ViewState& view, const PrinterCalibration& calibration = {});

// One file per page when there are several: "sheet.png" becomes "sheet-2.png" for page 2.
std::string PageFileName(const std::string& output, std::int32_t page, bool numbered);

// Each PDF page is built in a growing buffer and deflated with a few hundred kilobytes of state,
// then freed; by default the C library hands that memory back to the system after every page and
// takes it again on the next, at a page fault per 4 KB. Call once at the start of a process
// that writes many pages: freed memory is then kept for reuse.
void KeepFreedMemoryForReuse();

std::string WriteTrace(const PageDrawer& draw, const Job& job);
// Pages of the job's paper with the printable area's origin at the paper's top-left corner.
std::string WritePdf(const PageDrawer& draw, const Job& job);
std::string WritePng(const PageDrawer& draw, const Job& job);

}  // namespace export_tool
