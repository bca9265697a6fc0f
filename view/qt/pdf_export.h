#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "export/proof_list.h"
#include "view/edit_view_model.h"
#include "view/written_output.h"

class QWidget;

// Asks for a file name (UTF-8 path) starting from the suggested one; nothing when cancelled.
using PdfFileChooser = std::function<std::optional<std::string>(const std::string& suggested)>;

// The cards selected in the roster: how many (0 when it is not shown), and how they become the
// print job (false when they could not).
struct PdfCardSelection {
    std::int32_t count = 0;
    std::function<bool()> makePrintJob;
};

// "PDFに書き出し": the pages of the print job the user picks, or the roster's selected cards,
// written to a PDF at true size by the same drawing and writer as zulname-export, titled with the
// record file's name. A progress bar shows when it takes more than a second; a failure is told
// in a message box. Returns what was written; nothing when cancelled or failed.
std::optional<WrittenOutput> RunPdfExport(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile,
                                          const PdfCardSelection& selection = {});

// The same for every page of the print job, without asking which.
std::optional<WrittenOutput> ExportAllPagesToPdf(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile);

// Whose tags a proof lists: every card, unless the record file has a print order and the user
// picks it instead; nothing when cancelled.
using ProofCardsChooser = std::function<std::optional<export_tool::ProofCards>(const RecordProfile& record)>;
std::optional<export_tool::ProofCards> AskProofCards(QWidget* parent, const RecordProfile& record);

// "校正一覧を書き出し": the proof list of the record file (export/proof_list.h) written to a PDF;
// it is kept for the next proof to tell what changed. A failure is told in a message box.
std::optional<WrittenOutput> ExportProof(QWidget* parent, EditViewModel& view, const PdfFileChooser& chooseFile,
                                         const ProofCardsChooser& chooseCards);

// The file dialog of the desktop.
std::optional<std::string> ChoosePdfFile(QWidget* parent, const std::string& suggested);
