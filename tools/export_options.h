#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/view_state.h"
#include "tools/list_options.h"

// The command line of zulname-export.
namespace export_tool {

enum class Format { Pdf, Png, Trace };

struct Options {
    std::string record;         // file-system path; empty for the current record file
    std::int32_t page = 0;      // 0 for every page of the print job
    bool cardMode = false;      // the current card on its guide grid instead of sheet pages
    Format format = Format::Trace;
    std::string output;         // empty: standard output (trace only)
    std::int32_t dpi = 0;       // 0 for the format's default
    // Printing from a list: its rows drawn through the design of one card of the record file.
    std::string list;             // file-system path; empty to draw the record file's cards
    std::int32_t designCard = -1;  // -1 for the current card
    // Or through a design of the library (UTF-8), on a label sheet of the catalogue (UTF-8; empty
    // for the record file's, else the built-in default), the record file being optional.
    std::string design;
    std::string sheetMaker, sheetPart;
    list_tool::ListOptions listOptions;
    std::string calibrate;      // a printer whose stored calibration is applied; empty: exact
    bool testPage = false;      // the printer calibration's test page instead of sheet pages
    bool proof = false;         // the proof list (校正一覧) of the record file instead of sheet pages
    bool proofOfPrintOrder = false;  // of the print order's cards rather than every card
    std::optional<Duplex> duplex;  // over the slot's own: each page followed by its back

    // The resolution to draw at: the one given, else what suits the format. The card view is
    // drawn at the screen's resolution, since its images are placed in screen pixels.
    std::int32_t Dpi() const;
};

// The options of the arguments after the command name. False, with the problem, when they do
// not make a valid command line.
bool ParseOptions(const std::vector<std::string_view>& args, Options& options, std::string& problem);

}  // namespace export_tool
