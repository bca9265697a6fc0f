// zulname-export: draws what a print job would print (or the card view) without a screen, to a
// PDF, PNG images or a trace of the drawing operations.

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"
#include "render/sheet.h"
#include "tools/export_options.h"
#include "tools/export_output.h"
#include "tools/export_view.h"
#include "tools/list_record.h"
#include "store/locations.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

int Fail(int status, const std::string& message) {
    std::cerr << "zulname-export: " << message << "\n";
    return status;
}

// Qt's own chatter (a missing runtime folder and the like) is not for the user of a command.
void KeepSevereQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace export_tool;
    Options options;
    std::string problem;
    if (!ParseOptions(std::vector<std::string_view>(argv + 1, argv + argc), options, problem))
        return Fail(kUsageError, problem + "; " + kUsage);

    RecordLocation location;
    if (!FindRecordFile(options.record, location, problem)) return Fail(kFailure, problem);
    // A list is drawn from a temporary copy of the record file: no profile file is written.
    ListRecord listRecord;
    if (!options.list.empty()) {
        std::string sourceFsPath;
        std::vector<std::string> notes;
        locations::StoredPathToFs(location.storedPath, sourceFsPath);
        const bool made = listRecord.Make(sourceFsPath, options.list, options.listOptions, options.designCard, problem, notes);
        for (const std::string& note : notes) std::cerr << "zulname-export: " << note << "\n";
        if (!made) return Fail(kFailure, problem);
        locations::FsPathToStored(listRecord.FsPath(), location.storedPath);
    }

    // Fonts need an application object; a trace measures text without Qt.
    int qtArgc = 1;
    std::unique_ptr<QGuiApplication> application;
    if (options.format != Format::Trace) {
        qInstallMessageHandler(KeepSevereQtMessages);
        PreferOffscreenPlatform();
        application = std::make_unique<QGuiApplication>(qtArgc, argv);
        InstallFontSubstitutes();
    }

    ExportView exportView(location, options.cardMode ? ViewMode::CardMode : ViewMode::SheetMode);
    ViewState& view = exportView.View();
    Job job;
    job.printing = !options.cardMode;
    job.dpi = options.Dpi();
    job.output = options.output;
    if (options.cardMode) {
        job.pages = {1};
    } else {
        const std::int32_t pageCount = PrintPageCount(view);
        if (options.page > pageCount)
            return Fail(kUsageError, "--page " + std::to_string(options.page) + " lies past the last page, " +
                                         std::to_string(pageCount));
        for (std::int32_t page = 1; page <= pageCount; ++page)
            if (options.page == 0 || options.page == page) job.pages.push_back(page);
    }

    const std::string failure = options.format == Format::Pdf   ? WritePdf(view, job)
                                : options.format == Format::Png ? WritePng(view, job)
                                                                : WriteTrace(view, job);
    return failure.empty() ? 0 : Fail(kFailure, failure);
}
