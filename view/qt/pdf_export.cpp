#include "view/qt/pdf_export.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>

#include "dialogs/qt/pdf_export_dialog.h"
#include "export/export_output.h"
#include "export/proof_list.h"
#include "export/proof_pages.h"
#include "export/record_location.h"
#include "render/calibration_page.h"
#include "render/qt/qpainter_surface.h"
#include "render/sheet.h"

namespace {

constexpr int kProgressDelayMs = 1000;

std::string SuggestedFile(const EditViewModel& view) {
    const std::string name = export_tool::RecordTitle(view.Record().Path());
    // The documents folder when the desktop has one, else home.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists()) folder = QDir::homePath();
    return folder.toStdString() + "/" + (name.empty() ? "zulname" : name) + ".pdf";
}

// The chosen pages written to the file the user names.
std::optional<WrittenOutput> WriteChosenPages(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile,
                                              const PdfChoice& choice, const PdfCardSelection& selection) {
    ViewState& state = view.State();
    const std::optional<std::string> output = chooseFile(SuggestedFile(view));
    if (!output || output->empty()) return std::nullopt;
    std::vector<std::int32_t> pages = choice.pages;
    if (choice.selectedCards) {
        if (!selection.makePrintJob()) return std::nullopt;
        for (std::int32_t page = 1; page <= PrintPageCount(state); ++page) pages.push_back(page);
    }

    export_tool::Job job = export_tool::PrintJob(state, export_tool::kPdfDpi, pages);
    job.output = *output;
    job.title = export_tool::RecordTitle(view.Record().Path());

    QProgressDialog progress(QStringLiteral("PDFに書き出しています…"), QStringLiteral("ｷｬﾝｾﾙ"), 0,
                             static_cast<int>(pages.size()), parent);
    progress.setWindowTitle(QStringLiteral("PDFに書き出し"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    job.progress = [&progress](std::size_t done) {
        progress.setValue(static_cast<int>(done));
        return !progress.wasCanceled();
    };
    const std::string failure = export_tool::WritePdf(export_tool::SheetPages(state), job);
    progress.reset();
    if (!failure.empty()) {
        QMessageBox::warning(parent, QStringLiteral("PDFに書き出し"),
                             QStringLiteral("PDFを書き出せませんでした。\n") + QString::fromStdString(failure));
        return std::nullopt;
    }
    return WrittenOutput{*output, std::string(), static_cast<std::int32_t>(pages.size())};
}

}  // namespace

std::optional<WrittenOutput> RunPdfExport(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile,
                                          const PdfCardSelection& selection) {
    const std::int32_t selected = selection.makePrintJob ? selection.count : 0;
    const std::optional<PdfChoice> choice = RunPdfExportDialog(parent, PrintPageCount(view.State()), selected);
    if (!choice) return std::nullopt;
    return WriteChosenPages(parent, view, chooseFile, *choice, selection);
}

std::optional<WrittenOutput> ExportAllPagesToPdf(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile) {
    PdfChoice everyPage;
    for (std::int32_t page = 1; page <= PrintPageCount(view.State()); ++page) everyPage.pages.push_back(page);
    return WriteChosenPages(parent, view, chooseFile, everyPage, {});
}

std::optional<export_tool::ProofCards> AskProofCards(QWidget* parent, const RecordProfile& record) {
    using export_tool::ProofCards;
    if (!export_tool::HasPrintOrder(record)) return ProofCards::Everyone;
    const auto caption = [&record](ProofCards which) {
        return QString::fromStdString(export_tool::ProofWhose(which, export_tool::ProofCardList(record, which).size()));
    };
    QMessageBox box(QMessageBox::Question, QStringLiteral("校正一覧を書き出し"), QStringLiteral("どの名札の一覧にしますか？"),
                    QMessageBox::NoButton, parent);
    QPushButton* everyone = box.addButton(caption(ProofCards::Everyone), QMessageBox::AcceptRole);
    QPushButton* printOrder = box.addButton(caption(ProofCards::PrintOrder), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.setDefaultButton(everyone);
    box.exec();
    if (box.clickedButton() == everyone) return ProofCards::Everyone;
    if (box.clickedButton() == printOrder) return ProofCards::PrintOrder;
    return std::nullopt;
}

std::optional<WrittenOutput> ExportProof(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile,
                                         const ProofCardsChooser& chooseCards) {
    const std::optional<export_tool::ProofCards> which = chooseCards(view.Record());
    if (!which) return std::nullopt;
    std::string suggested = SuggestedFile(view);
    suggested.insert(suggested.size() - 4, "-校正一覧");
    const std::optional<std::string> output = chooseFile(suggested);
    if (!output || output->empty()) return std::nullopt;
    const std::string title = export_tool::RecordTitle(view.Record().Path());
    export_tool::Proof proof;
    export_tool::ProofLayout layout;
    const std::string kept = export_tool::KeptProofPath(view.Record().Path(), *which);
    {
        // Lines are measured as the PDF draws them.
        QImage image(1, 1, QImage::Format_RGB32);
        QPainter painter(&image);
        QPainterSurface measuring(painter, export_tool::kPdfDpi, export_tool::kPdfDpi, QPointF(), true);
        proof = export_tool::MakeProof(view.State(), measuring, view.Settings().ReadString("Option", "RomajiTo", ""), *which);
        export_tool::CompareWithKept(proof, kept);
        layout = export_tool::LayOutProof(proof, measuring);
    }
    export_tool::Job job;
    for (std::int32_t page = 1; page <= export_tool::ProofPageCount(layout); ++page) job.pages.push_back(page);
    job.dpi = export_tool::kPdfDpi;
    job.output = *output;
    job.title = title + " 校正一覧";
    const std::string failure = export_tool::WritePdf(export_tool::ProofPages(layout, title, TodayForCalibrationPage()), job);
    if (!failure.empty() || !export_tool::KeepProof(proof, kept)) {
        QMessageBox::warning(parent, QStringLiteral("校正一覧を書き出し"),
                             QStringLiteral("校正一覧を書き出せませんでした。\n") + QString::fromStdString(failure));
        return std::nullopt;
    }
    return WrittenOutput{*output, std::string(), static_cast<std::int32_t>(job.pages.size())};
}

std::optional<std::string> ChoosePdfFile(QWidget* parent, const std::string& suggested) {
    const QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("PDFに書き出し"), QString::fromStdString(suggested),
                                                        QStringLiteral("PDF (*.pdf)"));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}
