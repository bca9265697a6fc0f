#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "dialogs/pdf_export_model.h"
#include "dialogs/qt/model_dialog.h"

class QRadioButton;

// "PDFに書き出し": all pages of the print job or a range of them.
class CPdfExportDlg : public ModelDialog {
    Q_OBJECT

public:
    CPdfExportDlg(std::int32_t pageCount, QWidget* parent = nullptr);

    // Closes only on a range that can be written.
    void accept() override;
    const std::vector<std::int32_t>& Pages() const { return pages_; }

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}

    PdfExportModel model_;
    QRadioButton* all_ = nullptr;
    QRadioButton* range_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    std::vector<std::int32_t> pages_;
};

// The pages to write; nothing when cancelled.
std::optional<std::vector<std::int32_t>> RunPdfExportDialog(QWidget* parent, std::int32_t pageCount);
