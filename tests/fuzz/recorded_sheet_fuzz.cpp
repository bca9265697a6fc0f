// Reads arbitrary text as a sheet recorded in a record file, checking what must hold for any
// input: a sheet read is one the program can print (at least one and at most 1,000 labels, no
// length past 10 m), it is written back as text that reads as the same sheet, and a page of it
// is laid out, front and back over either edge, without any sum overflowing (the sanitizers
// watch the drawing).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "render/sheet.h"
#include "render/trace_surface.h"
#include "sheets/recorded_sheet.h"
#include "sheets/sheet_product.h"
#include "store/label_sizes.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Takes the trace and keeps none of it.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

bool Bounded(std::int32_t length) { return length >= -kLongestLength && length <= kLongestLength; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Cards without a record file read the settings file: none, so that every key is its default.
    setenv("ZULNAME_HOME", "/nonexistent/zulname-fuzz", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<sheets::RecordedSheet> sheet = sheets::ParseRecordedSheet(text);
    if (!sheet) return 0;
    Require(sheet->columns >= 1 && sheet->rows >= 1, "a sheet has a label");
    Require(std::int64_t{sheet->columns} * sheet->rows <= sheets::kMaxLabelsPerSheet, "at most 1,000 labels a sheet");
    Require(Bounded(sheet->width) && Bounded(sheet->height) && Bounded(sheet->gapH) && Bounded(sheet->gapV),
            "no length past 10 m");
    Require(sheets::ParseRecordedSheet(sheets::RecordedSheetText(*sheet)) == sheet, "the sheet reads back as written");

    // The page the settings hold once the sheet is adopted, its offsets at their bounds.
    SheetLayout layout;
    layout.columns = sheet->columns;
    layout.rows = sheet->rows;
    layout.label = {sheet->width, sheet->height};
    layout.gapH = sheet->gapH;
    layout.gapV = sheet->gapV;
    layout.noCutLine = sheet->noCutLine;
    layout.fold = sheet->fold;
    layout.top = layout.left = kLongestLength;
    layout.paper = {kLongestLength, kLongestLength};
    const SettingsProfile settings;
    const RecordProfile record;
    ViewState view;
    view.settings = &settings;
    view.record = &record;
    view.label = layout.label;
    const std::vector<std::string> cards(static_cast<std::size_t>(std::min<std::int64_t>(layout.columns * std::int64_t{layout.rows}, 12)),
                                         "0000");
    Discard discard;
    std::ostream out(&discard);
    TraceSurface surface(out, 1200, 1200, true);
    DrawSheetPage(view, surface, layout, cards, PageSide::Front);
    for (const Duplex duplex : {Duplex::LongEdge, Duplex::ShortEdge}) {
        layout.duplex = duplex;
        DrawSheetPage(view, surface, layout, cards, PageSide::Back);
    }
    return 0;
}
