#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/view_state.h"

// Draws pages of the view and writes them out. Each writer returns an empty text when every page
// was written, else why not. An output file is written to a temporary file beside it and renamed
// over it once complete: an export that fails or is killed leaves the previous output as it was
// (a failure also removes the temporary file).
namespace export_tool {

struct Job {
    std::vector<std::int32_t> pages;  // print pages to draw, in order
    bool printing = true;             // false for the card view, which is not printed
    std::int32_t dpi = 100;
    std::string output;               // a file-system path; empty for standard output
};

// One file per page when there are several: "sheet.png" becomes "sheet-2.png" for page 2.
std::string PageFileName(const std::string& output, std::int32_t page, bool numbered);

std::string WriteTrace(ViewState& view, const Job& job);
// A4 pages with the printable area's origin at the paper's top-left corner.
std::string WritePdf(ViewState& view, const Job& job);
std::string WritePng(ViewState& view, const Job& job);

}  // namespace export_tool
