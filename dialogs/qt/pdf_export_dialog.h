#pragma once

#include <cstdint>
#include <optional>

#include "dialogs/pdf_export_model.h"
#include "dialogs/qt/model_dialog.h"

class QRadioButton;

// "PDFに書き出し": all pages of the print job, a range of them, or the roster's selected cards.
class CPdfExportDlg : public ModelDialog {
    Q_OBJECT

public:
    CPdfExportDlg(std::int32_t pageCount, std::int32_t selectedCards = 0, QWidget* parent = nullptr);

    // Closes only on a range that can be written.
    void accept() override;
    const PdfChoice& Choice() const { return choice_; }

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}

    PdfExportModel model_;
    QRadioButton* all_ = nullptr;
    QRadioButton* range_ = nullptr;
    QRadioButton* selected_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    PdfChoice choice_;
};

// What to write; nothing when cancelled.
std::optional<PdfChoice> RunPdfExportDialog(QWidget* parent, std::int32_t pageCount, std::int32_t selectedCards);
