#include "export/export_output.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <malloc.h>

#include <cerrno>
#include <iostream>
#include <sstream>

#include "render/print_page.h"
#include "render/qt/qpainter_surface.h"
#include "render/trace_surface.h"
#include "sheets/slot_sheet.h"
#include "store/atomic_file.h"
#include "store/failure_reason.h"
#include "store/file_size_limit.h"

namespace export_tool {
namespace {

// Stops when the caller's progress says so.
bool Progressed(const Job& job, std::size_t done) { return !job.progress || job.progress(done); }

QPageSize PaperOf(const Job& job) {
    return QPageSize(QSizeF(job.paperWidth, job.paperHeight), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

QString FsName(const std::string& path) { return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())); }

// Called right after the failure, while errno still tells why.
std::string CannotWrite(const std::string& path, const QFileDevice& file) {
    const std::string limit = FileSizeLimitReason(errno);
    return "cannot write " + path + ": " + (limit.empty() ? file.errorString().toStdString() : limit);
}

// Opens a temporary file for the output at path, to be renamed over the regular file path names:
// an empty text, or why the output cannot be written there.
std::string OpenOutput(QSaveFile& file, const std::string& path) {
    std::string target;
    if (const int error = ResolveWriteTarget(path, target)) return profile::NotWrittenMessage(path, error);
    file.setFileName(FsName(target));
    if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path, file);
    return {};
}

// Renames the finished temporary file over the output. QSaveFile::commit alone misses a failure
// of the last buffered write, and the drawing code does not look at what each write returns.
std::string Commit(QSaveFile& file, const std::string& path) {
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit()) return CannotWrite(path, file);
    return {};
}

// A write can stop short of the end without an error (at a file-size limit): only a count of
// every byte written is a success.
std::string WriteWhole(const std::string& path, const QByteArray& bytes) {
    QSaveFile file;
    if (std::string failure = OpenOutput(file, path); !failure.empty()) return failure;
    if (file.write(bytes) != bytes.size()) return CannotWrite(path, file);
    return Commit(file, path);
}

}  // namespace

void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    constexpr int kKeep = 64 << 20;
    mallopt(M_TRIM_THRESHOLD, kKeep);
    mallopt(M_MMAP_THRESHOLD, kKeep);
#endif
}

std::string PageFileName(const std::string& output, std::int32_t page, bool numbered) {
    if (!numbered) return output;
    const std::size_t slash = output.rfind('/');
    const std::size_t dot = output.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
    const std::size_t at = hasExtension ? dot : output.size();
    return output.substr(0, at) + "-" + std::to_string(page) + output.substr(at);
}

Job PrintJob(const ViewState& view, std::int32_t dpi, std::vector<std::int32_t> pages) {
    Job job;
    job.pages = std::move(pages);
    job.dpi = dpi;
    const sheets::PaperMillimetres paper = sheets::SlotPaper(*view.settings, view.slotPrefix);
    job.paperWidth = paper.width;
    job.paperHeight = paper.height;
    return job;
}

PageDrawer SheetPages(ViewState& view, const PrinterCalibration& calibration) {
    return [&view, calibration](Surface& surface, std::int32_t page) { DrawPrintPage(view, surface, page, calibration); };
}

std::string WriteTrace(const PageDrawer& draw, const Job& job) {
    std::ostringstream text;
    std::ostream& out = job.output.empty() ? std::cout : text;
    TraceSurface surface(out, job.dpi, job.dpi, job.printing);
    for (std::size_t i = 0; i < job.pages.size(); ++i) {
        draw(surface, job.pages[i]);
        if (!Progressed(job, i + 1)) return "cancelled";
    }
    if (job.output.empty()) {
        out.flush();
        return out ? std::string() : "cannot write to standard output";
    }
    const std::string bytes = text.str();
    return WriteWhole(job.output, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string WritePdf(const PageDrawer& draw, const Job& job) {
    QSaveFile file;
    if (std::string failure = OpenOutput(file, job.output); !failure.empty()) return failure;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("zulname"));
        writer.setTitle(QString::fromStdString(job.title));
        writer.setResolution(job.dpi);
        writer.setPageSize(PaperOf(job));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QPainterSurface surface(painter, job.dpi, job.dpi, {0, 0}, job.printing);
        for (std::size_t i = 0; i < job.pages.size(); ++i) {
            if (i > 0) writer.newPage();
            draw(surface, job.pages[i]);
            if (!Progressed(job, i + 1)) {
                painter.end();
                file.cancelWriting();
                return "cancelled";
            }
        }
    }
    return Commit(file, job.output);
}

std::string WritePng(const PageDrawer& draw, const Job& job) {
    const QSize size = PaperOf(job).sizePixels(job.dpi);
    const int dotsPerMeter = qRound(job.dpi / 0.0254);
    for (std::size_t i = 0; i < job.pages.size(); ++i) {
        const std::int32_t page = job.pages[i];
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, job.dpi, job.dpi, {0, 0}, job.printing);
            draw(surface, page);
        }
        // Encoded in memory: the PNG writer reports a failed write only on the error output.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const std::string name = PageFileName(job.output, page, job.pages.size() > 1);
        if (!image.save(&buffer, "PNG")) return "cannot encode " + name + " as PNG";
        const std::string failure = WriteWhole(name, bytes);
        if (!failure.empty()) return failure;
        if (!Progressed(job, i + 1)) return "cancelled";
    }
    return {};
}

}  // namespace export_tool
