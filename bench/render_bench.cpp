// Speed of drawing one sheet page of ten richly decorated tags (eight items with shadows, 3D and
// background boxes, a hatched frame, three lines and a 200 × 100 bitmap each) into a 300-dpi A4
// image, as a print job or a preview draws it; and of the same page with its names fitted to a
// width under their furigana and a QR code on every tag.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>

#include <sstream>
#include <string>

#include "bench/bench_folder.h"
#include "bench/sheet_record.h"
#include "bench/summary_reporter.h"
#include "export/export_view.h"
#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"
#include "render/qt/qpainter_surface.h"
#include "render/sheet.h"
#include "render/trace_surface.h"
#include "store/locations.h"

namespace {

constexpr int kRepetitions = 10;
constexpr std::int32_t kDpi = 300;

bench::BenchFolder& Folder() {
    static bench::BenchFolder folder;
    return folder;
}

// The record file of one sheet page, written on first use; its stored path. Typeset: the same
// page with every name fitted to a width under its furigana, and a QR code on every tag.
std::string WriteSheetRecord(bool typeset) {
    bench::SheetRecordShape shape;
    shape.typeset = typeset;
    locations::FsPathToStored(Folder().Write("logo.bmp", bench::MakeBitmapFile(200, 100)), shape.bitmapPath);
    std::string path;
    locations::FsPathToStored(Folder().Write(typeset ? "typeset.ini" : "sheet.ini", bench::MakeSheetRecord(shape)), path);
    return path;
}

const std::string& SheetRecord() {
    static const std::string stored = WriteSheetRecord(false);
    return stored;
}

const std::string& TypesetSheetRecord() {
    static const std::string stored = WriteSheetRecord(true);
    return stored;
}

// Whether the page holds ten tags, each with its image, and when typeset a QR code, ruby and a
// fitted name.
bool DrawsTenTagsWithImages(ViewState& view, bool typeset) {
    std::ostringstream trace;
    TraceSurface surface(trace, kDpi, kDpi, true);
    DrawSheet(view, surface);
    const std::string text = trace.str();
    const auto count = [&](const char* what) {
        int found = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++found;
        return found;
    };
    const bool tags = count("\ncard ") == 10 && count("\nimage ") == 10;
    return typeset ? tags && count("\nqr ") == 10 && count(" ruby=1 ") >= 10 && count(" scalex=") >= 10 : tags;
}

void DrawPage(benchmark::State& state, const std::string& record, bool typeset) {
    export_tool::ExportView exportView({record, ""}, ViewMode::SheetMode);
    ViewState& view = exportView.View();
    if (!DrawsTenTagsWithImages(view, typeset)) state.SkipWithError("the sheet does not hold the tags it should");
    QImage image(QPageSize(QPageSize::A4).sizePixels(kDpi), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter, kDpi, kDpi, {0, 0}, true);
        DrawSheet(view, surface);
    }
}

// CPU time of the whole process: Qt's raster engine hands large fills to worker threads while
// the drawing thread waits.
void DrawSheetPageAt300Dpi(benchmark::State& state) { DrawPage(state, SheetRecord(), false); }
BENCHMARK(DrawSheetPageAt300Dpi)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

void DrawTypesetPageAt300Dpi(benchmark::State& state) { DrawPage(state, TypesetSheetRecord(), true); }
BENCHMARK(DrawTypesetPageAt300Dpi)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    setenv("ZULNAME_HOME", Folder().Path().c_str(), 1);
    PreferOffscreenPlatform();
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::SummaryReporter reporter({
        {"DrawSheetPageAt300Dpi", "a page of 10 decorated tags, 300-dpi A4", false, 20e-3},
        // Fitting, furigana and QR codes may cost half again the same page without them.
        {"DrawTypesetPageAt300Dpi", "the same with fitted names, furigana, QR codes", false, 1.5 * 20e-3},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
