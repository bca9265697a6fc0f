#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

    // The resolution to draw at: the one given, else what suits the format. The card view is
    // drawn at the screen's resolution, since its images are placed in screen pixels.
    std::int32_t Dpi() const;
};

inline constexpr const char* kUsage =
    "usage: zulname-export [--record FILE] [--page N] [--card-mode] --format pdf|png|trace [-o OUT] [--dpi N]";

// The options of the arguments after the command name. False, with the problem, when they do
// not make a valid command line.
bool ParseOptions(const std::vector<std::string_view>& args, Options& options, std::string& problem);

}  // namespace export_tool
