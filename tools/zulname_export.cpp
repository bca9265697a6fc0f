// zulname-export: draws what a print job would print (or the card view) without a screen, to a
// PDF, PNG images or a trace of the drawing operations.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_output.h"
#include "export/export_view.h"
#include "export/proof_list.h"
#include "export/proof_pages.h"
#include "export/record_settings.h"
#include "help/command_help.h"
#include "render/blank_job.h"
#include "render/calibration_page.h"
#include "render/card_reading.h"
#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"
#include "render/qt/qpainter_surface.h"
#include "render/sheet.h"
#include "render/trace_surface.h"
#include "store/file_size_limit.h"
#include "tools/design_job.h"
#include "tools/export_options.h"
#include "store/calibration.h"
#include "store/locations.h"
#include "store/storage_layout.h"
#include "tools/list_record.h"

namespace {

constexpr command_help::CommandText kHelp{
    "zulname-export",
    "zulname-export [--record FILE] [--page N] [--card-mode | --test-page | --proof [--print-order]] [--calibrate PRINTER] "
    "[--duplex long|short|none] "
    "[--list LIST [--design NAME [--sheet MAKER PART] | --design-card N] [list options]] --format pdf|png|trace [-o OUT] "
    "[--dpi N]\n"
    "zulname-export --help | --version",
    "Draws what a print job would print, without a window: to a PDF, to PNG images (OUT-N.png\n"
    "for each page when there are several) or to a trace of the drawing operations.\n"
    "\n"
    "  --record FILE   the record file to draw (default: the current one of the settings file)\n"
    "  --page N        only page N (default: every page)\n"
    "  --card-mode     the current card on its guide grid, as the edit view shows it\n"
    "  --test-page     the printer calibration's test page instead of a record file\n"
    "  --proof         the proof list (校正一覧) on A4: every card with its texts, how far each line\n"
    "                  is condensed, the characters that may print wrong and what changed since\n"
    "                  the last proof of the record file\n"
    "  --print-order   with --proof: only the cards of the print order, in its order\n"
    "  --calibrate P   take back printer P's stored calibration, as printing does (default: exact)\n"
    "  --duplex D      two-sided over the long or the short edge, or one-sided (none), whatever\n"
    "                  the label slot says: two-sided, every page is followed by its back; with\n"
    "                  --test-page, the front and back registration pages\n"
    "  --list LIST     print the rows of a participant list (CSV, TSV, xlsx, ods) instead of\n"
    "                  the record file's cards, each through the design of one card\n"
    "  --design-card N the card whose design the rows take (default: the current card)\n"
    "  --design NAME   the rows take a design of zulname-designs list instead, fitted to the\n"
    "                  labels; the record file is then optional\n"
    "  --sheet MAKER PART  with --design: the label sheet of zulname-sheets list (default: the\n"
    "                  record file's recorded sheet, else 汎用 \"A4 名刺 10面 91×55mm (上11 左14)\")\n"
    "  list options    --sheet NAME (one value: a workbook's sheet), --map COLUMN=ITEM,\n"
    "                  --encoding auto|utf-8|utf-16|cp932, --no-header,\n"
    "                  --kana keep|hiragana|katakana, --unencodable keep|substitute|refuse|skip|replace\n"
    "  --format F      pdf, png or trace\n"
    "  -o OUT          the output file; a trace goes to standard output without it\n"
    "  --dpi N         the resolution, 10 to 1200 (default: pdf 1200, png 300)\n"
    "\n"
    "Exit status: 0 on success, 1 when drawing or writing fails, 2 for a usage error.\n"};

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
    IgnoreFileSizeSignal();
    using namespace export_tool;
    KeepFreedMemoryForReuse();
    if (const auto status = command_help::HandleHelpOrVersion(argc, argv, kHelp, std::cout)) return *status;
    Options options;
    std::string problem;
    if (!ParseOptions(std::vector<std::string_view>(argv + 1, argv + argc), options, problem))
        return Fail(kUsageError, problem + "; usage: " + std::string(command_help::FirstLine(kHelp.synopsis)));

    PrinterCalibration calibration;
    if (!options.calibrate.empty()) {
        StoredCalibration stored;
        calibration = ReadCalibration(SettingsProfile(), options.calibrate, &stored);
        const std::string printer = "the printer \"" + options.calibrate + "\"";
        if (stored == StoredCalibration::None) return Fail(kFailure, "no calibration is stored for " + printer);
        if (stored == StoredCalibration::Damaged)
            return Fail(kFailure, "the calibration stored for " + printer + " is damaged (not \"X,Y,S\")");
        if (stored == StoredCalibration::OutOfRange)
            return Fail(kFailure, "the calibration stored for " + printer +
                                      " is out of range (offsets within 10.0 mm, scale within 2.00 %)");
    }
    RecordLocation location;
    // A design of the library needs nothing of a record file: without one the job starts empty.
    const bool recordOptional = !options.design.empty() && options.record.empty();
    if (!options.testPage && !FindRecordFile(options.record, location, problem)) {
        if (!recordOptional) return Fail(kFailure, problem);
        location.storedPath.clear();
    }
    // The title names the record file even when a list is drawn through a copy of it, and the
    // list when a design of the library is.
    const std::string title = options.testPage        ? std::string("test page")
                              : !options.design.empty() ? std::filesystem::path(options.list).stem().string()
                                                        : RecordTitle(location.storedPath);
    std::vector<std::string> notes;
    const auto tell = [&notes] {
        for (const std::string& note : notes) std::cerr << "zulname-export: " << note << "\n";
        notes.clear();
    };
    // The record file's own sheets are drawn, whatever the settings file holds.
    RecordSettings recordSettings;
    // A list is drawn from a temporary copy of the record file: no profile file is written.
    ListRecord listRecord;
    DesignJob designJob;
    std::string settingsFsPath;
    if (!options.design.empty()) {
        int status = 0;
        const bool made = designJob.Make(options, location.storedPath, status, problem, notes);
        tell();
        if (!made) return Fail(status, problem);
        locations::FsPathToStored(designJob.RecordFsPath(), location.storedPath);
        settingsFsPath = designJob.SettingsFsPath();
    } else if (!options.testPage) {
        // The copy of a list's record holds the record file's settings without its cards: the
        // sheets are taken from there, so that the record file is never read whole.
        if (!options.list.empty()) {
            std::string sourceFsPath;
            locations::StoredPathToFs(location.storedPath, sourceFsPath);
            const bool made =
                listRecord.Make(sourceFsPath, options.list, options.listOptions, options.designCard, problem, notes);
            tell();
            if (!made) return Fail(kFailure, problem);
            locations::FsPathToStored(listRecord.FsPath(), location.storedPath);
        }
        if (!recordSettings.Make(location.storedPath, problem, notes)) return Fail(kFailure, problem);
        tell();
        settingsFsPath = recordSettings.FsPath();
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

    Job job;
    PageDrawer draw;
    std::unique_ptr<ExportView> exportView;
    Proof proof;
    ProofLayout proofLayout;
    const ProofCards proofCards = options.proofOfPrintOrder ? ProofCards::PrintOrder : ProofCards::Everyone;
    // Text is measured as the output draws it: through Qt, or as a trace measures.
    std::ostringstream ignoredTrace;
    TraceSurface traceMeasuring(ignoredTrace, kTraceDpi, kTraceDpi, true);
    QImage measuringImage(1, 1, QImage::Format_RGB32);
    std::unique_ptr<QPainter> measuringPainter;
    std::unique_ptr<QPainterSurface> qtMeasuring;
    if (application) {
        measuringPainter = std::make_unique<QPainter>(&measuringImage);
        qtMeasuring = std::make_unique<QPainterSurface>(*measuringPainter, options.Dpi(), options.Dpi(), QPointF(), true);
    }
    Surface& measuring = qtMeasuring ? static_cast<Surface&>(*qtMeasuring) : traceMeasuring;
    if (options.testPage) {
        const Duplex duplex = options.duplex.value_or(Duplex::None);
        job.pages = duplex == Duplex::None ? std::vector<std::int32_t>{1} : std::vector<std::int32_t>{1, 2};
        const std::string printer = options.calibrate.empty() ? std::string("PDF") : options.calibrate;
        // Two-sided: the front and back registration pages, crosses behind crosses.
        draw = [&job, printer, calibration, duplex](Surface& surface, std::int32_t page) {
            surface.BeginPage(page);
            if (duplex != Duplex::None) {
                const RegistrationSide side = page == 1                      ? RegistrationSide::Front
                                              : duplex == Duplex::LongEdge ? RegistrationSide::BackLongEdge
                                                                           : RegistrationSide::BackShortEdge;
                DrawRegistrationPage(surface, job.paperWidth, job.paperHeight, side, calibration, printer,
                                     TodayForCalibrationPage());
                return;
            }
            if (!calibration.IsNone()) surface.Calibrate(calibration);
            DrawCalibrationPage(surface, job.paperWidth, job.paperHeight, printer, TodayForCalibrationPage());
        };
    } else {
        exportView = std::make_unique<ExportView>(location, options.cardMode ? ViewMode::CardMode : ViewMode::SheetMode,
                                                  SettingsProfile(settingsFsPath));
        ViewState& view = exportView->View();
        view.duplex = options.duplex;
        // Told, not refused: the fronts are what there is to print.
        if (view.duplex.value_or(Duplex::None) != Duplex::None && !HasBack(*view.record, view.slotPrefix))
            std::cerr << "zulname-export: label slot " << view.slotPrefix << " has no back design (section \""
                      << BackSectionName(view.slotPrefix) << "\"): only the fronts are drawn\n";
        std::vector<std::int32_t> pages;
        if (options.cardMode) {
            pages = {1};
        } else {
            const std::int32_t pageCount = PrintPageCount(view);
            if (options.page > pageCount)
                return Fail(kUsageError, "--page " + std::to_string(options.page) + " lies past the last page, " +
                                             std::to_string(pageCount));
            for (std::int32_t page = 1; page <= pageCount; ++page)
                if (options.page == 0 || options.page == page) pages.push_back(page);
        }
        // Told, not refused: a page of blank tags may be what the user wants to see.
        if (!options.cardMode && !JobDrawsText(view))
            std::cerr << "zulname-export: no tag of " << (title.empty() ? std::string("the record file") : title)
                      << " shows any text (no card has a printed name): choose a design with zulname-designs apply\n";
        job = PrintJob(view, options.Dpi(), pages);
        job.printing = !options.cardMode;
        draw = SheetPages(view, calibration);
        if (options.proof) {
            const std::string latin = SettingsProfile(settingsFsPath).ReadString("Option", "RomajiTo", "");
            proof = MakeProof(view, measuring, latin, proofCards);
            CompareWithKept(proof, KeptProofPath(location.storedPath, proofCards));
            proofLayout = LayOutProof(proof, measuring);
            job.pages.clear();
            for (std::int32_t page = 1; page <= ProofPageCount(proofLayout); ++page) job.pages.push_back(page);
            job.paperWidth = 210;
            job.paperHeight = 297;
            draw = ProofPages(proofLayout, title, TodayForCalibrationPage());
        }
    }
    job.title = title;
    job.dpi = options.Dpi();
    job.output = options.output;

    const std::string failure = options.format == Format::Pdf   ? WritePdf(draw, job)
                                : options.format == Format::Png ? WritePng(draw, job)
                                                                : WriteTrace(draw, job);
    if (!failure.empty()) return Fail(kFailure, failure);
    // The next proof tells what changed since this one.
    if (options.proof && !KeepProof(proof, KeptProofPath(location.storedPath, proofCards)))
        return Fail(kFailure, "the proof could not be kept for the next one to compare with");
    return 0;
}
