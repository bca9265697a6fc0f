#include "tools/export_output.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "render/qt/qpainter_surface.h"
#include "render/sheet.h"
#include "render/trace_surface.h"

namespace export_tool {
namespace {

void DrawPage(ViewState& view, Surface& surface, std::int32_t page) {
    view.printPage = page;
    surface.BeginPage(page);
    DrawSheet(view, surface);
}

QString FsName(const std::string& path) { return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())); }

std::string CannotWrite(const std::string& path, const std::string& reason) { return "cannot write " + path + ": " + reason; }

}  // namespace

std::string PageFileName(const std::string& output, std::int32_t page, bool numbered) {
    if (!numbered) return output;
    const std::size_t slash = output.rfind('/');
    const std::size_t dot = output.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
    const std::size_t at = hasExtension ? dot : output.size();
    return output.substr(0, at) + "-" + std::to_string(page) + output.substr(at);
}

std::string WriteTrace(ViewState& view, const Job& job) {
    std::ofstream file;
    if (!job.output.empty()) {
        file.open(job.output, std::ios::binary | std::ios::trunc);
        if (!file) return CannotWrite(job.output, std::strerror(errno));
    }
    std::ostream& out = job.output.empty() ? std::cout : file;
    TraceSurface surface(out, job.dpi, job.dpi, job.printing);
    for (const std::int32_t page : job.pages) DrawPage(view, surface, page);
    out.flush();
    if (!out) return job.output.empty() ? "cannot write to standard output" : CannotWrite(job.output, std::strerror(errno));
    return {};
}

std::string WritePdf(ViewState& view, const Job& job) {
    QFile file(FsName(job.output));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return CannotWrite(job.output, file.errorString().toStdString());
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("zulname-export"));
        writer.setResolution(job.dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QPainterSurface surface(painter, job.dpi, job.dpi, {0, 0}, job.printing);
        for (std::size_t i = 0; i < job.pages.size(); ++i) {
            if (i > 0) writer.newPage();
            DrawPage(view, surface, job.pages[i]);
        }
    }
    file.close();
    if (file.error() != QFileDevice::NoError) return CannotWrite(job.output, file.errorString().toStdString());
    return {};
}

std::string WritePng(ViewState& view, const Job& job) {
    const QSize size = QPageSize(QPageSize::A4).sizePixels(job.dpi);
    const int dotsPerMeter = qRound(job.dpi / 0.0254);
    for (const std::int32_t page : job.pages) {
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, job.dpi, job.dpi, {0, 0}, job.printing);
            DrawPage(view, surface, page);
        }
        const std::string name = PageFileName(job.output, page, job.pages.size() > 1);
        QFile file(FsName(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return CannotWrite(name, file.errorString().toStdString());
        if (!image.save(&file, "PNG") || !file.flush()) return CannotWrite(name, file.errorString().toStdString());
    }
    return {};
}

}  // namespace export_tool
