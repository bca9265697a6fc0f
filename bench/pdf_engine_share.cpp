// How much of a PDF export is Qt's PDF engine and how much the program's own drawing: prints a
// record file's print job twice in one process at the export's 1200 dpi, first on a paint device
// that takes every operation and does nothing with it (the program's reading, layout and
// painter calls), then to a PDF in memory, and prints the CPU seconds of the start, of each pass
// and their difference. The PDF pass finds fonts and layouts already warm, so the difference is
// a lower bound of what the PDF engine itself takes.
// Usage: pdf_engine_share RECORD (ZULNAME_HOME set as for zulname-export).

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <ctime>
#include <vector>

#include "export/export_output.h"
#include "export/export_view.h"
#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"
#include "render/qt/qpainter_surface.h"
#include "render/sheet.h"

namespace {

constexpr int kDpi = 1200;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Takes everything a painter sends and draws nothing. It calls itself a PDF engine with all
// features, so that the surface and the painter take the same paths as for a PDF.
class DiscardingEngine : public QPaintEngine {
public:
    DiscardingEngine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
    Type type() const override { return Pdf; }
};

// An A4 page at the export's resolution that discards what is drawn on it.
class DiscardingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        const QSize size = QPageSize(QPageSize::A4).sizePixels(kDpi);
        switch (metric) {
            case PdmWidth: return size.width();
            case PdmHeight: return size.height();
            case PdmWidthMM: return 210;
            case PdmHeightMM: return 297;
            case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return kDpi;
            case PdmDepth: return 32;
            case PdmNumColors: return INT_MAX;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
            default: return 0;
        }
    }

private:
    mutable DiscardingEngine engine_;
};

void DrawDiscarded(const export_tool::PageDrawer& draw, const std::vector<std::int32_t>& pages) {
    DiscardingDevice device;
    QPainter painter(&device);
    QPainterSurface surface(painter, kDpi, kDpi, {0, 0}, true);
    for (const std::int32_t page : pages) draw(surface, page);
}

// The PDF's size in bytes.
qint64 DrawPdf(const export_tool::PageDrawer& draw, const std::vector<std::int32_t>& pages) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QPainterSurface surface(painter, kDpi, kDpi, {0, 0}, true);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) writer.newPage();
            draw(surface, pages[i]);
        }
    }
    return pdf.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pdf_engine_share RECORD\n");
        return 2;
    }
    export_tool::KeepFreedMemoryForReuse();
    PreferOffscreenPlatform();
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    InstallFontSubstitutes();
    export_tool::ExportView exportView({argv[1], ""}, ViewMode::SheetMode);
    ViewState& view = exportView.View();
    std::vector<std::int32_t> pages;
    for (std::int32_t page = 1; page <= PrintPageCount(view); ++page) pages.push_back(page);
    const export_tool::PageDrawer draw = export_tool::SheetPages(view);
    const double started = CpuSeconds();
    DrawDiscarded(draw, pages);
    const double discarded = CpuSeconds();
    const qint64 bytes = DrawPdf(draw, pages);
    const double written = CpuSeconds();

    std::printf("%zu pages: start %.3f CPU s, drawing discarded %.3f CPU s, drawing to PDF %.3f CPU s, "
                "PDF engine at least %.3f CPU s (%lld bytes)\n",
                pages.size(), started, discarded - started, written - discarded, (written - discarded) - (discarded - started),
                static_cast<long long>(bytes));
    return bytes > 0 ? 0 : 1;
}
