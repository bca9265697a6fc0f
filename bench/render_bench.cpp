// Speed of drawing one sheet page of ten richly decorated tags (eight items with shadows, 3D and
// background boxes, a hatched frame, three lines and a 200 × 100 bitmap each) into a 300-dpi A4
// image, as a print job or a preview draws it.

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
#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"
#include "render/qt/qpainter_surface.h"
#include "render/sheet.h"
#include "render/trace_surface.h"
#include "store/locations.h"
#include "tools/export_view.h"

namespace {

constexpr int kRepetitions = 10;
constexpr std::int32_t kDpi = 300;

bench::BenchFolder& Folder() {
    static bench::BenchFolder folder;
    return folder;
}

// The record file of one sheet page, written on first use; its stored path.
const std::string& SheetRecord() {
    static const std::string stored = [] {
        bench::SheetRecordShape shape;
        locations::FsPathToStored(Folder().Write("logo.bmp", bench::MakeBitmapFile(200, 100)), shape.bitmapPath);
        std::string path;
        locations::FsPathToStored(Folder().Write("sheet.ini", bench::MakeSheetRecord(shape)), path);
        return path;
    }();
    return stored;
}

// Whether the page holds ten tags, each with its image.
bool DrawsTenTagsWithImages(ViewState& view) {
    std::ostringstream trace;
    TraceSurface surface(trace, kDpi, kDpi, true);
    DrawSheet(view, surface);
    const std::string text = trace.str();
    int cards = 0, images = 0;
    for (std::size_t at = text.find("\ncard "); at != std::string::npos; at = text.find("\ncard ", at + 1)) ++cards;
    for (std::size_t at = text.find("\nimage "); at != std::string::npos; at = text.find("\nimage ", at + 1)) ++images;
    return cards == 10 && images == 10;
}

void DrawSheetPageAt300Dpi(benchmark::State& state) {
    export_tool::ExportView exportView({SheetRecord(), ""}, ViewMode::SheetMode);
    ViewState& view = exportView.View();
    if (!DrawsTenTagsWithImages(view)) state.SkipWithError("the sheet does not hold ten tags with images");
    QImage image(QPageSize(QPageSize::A4).sizePixels(kDpi), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter, kDpi, kDpi, {0, 0}, true);
        DrawSheet(view, surface);
    }
}
BENCHMARK(DrawSheetPageAt300Dpi)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

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
        {"DrawSheetPageAt300Dpi", "a page of 10 decorated tags, 300-dpi A4", false, 40e-3},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
