#pragma once

#include "dialogs/calibration_model.h"
#include "dialogs/qt/model_dialog.h"

class QLabel;
class QPrinter;

// "プリンタの調整": prints the test page and takes the offsets and the scale correction the user
// measured on it, for the printer of the print jobs.
class CCalibrationDlg : public ModelDialog, private CalibrationPlatform {
    Q_OBJECT

public:
    CCalibrationDlg(const SettingsProfile& settings, QPrinter& printer, QWidget* parent = nullptr);

    // Closes only when the values are stored.
    void accept() override;

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}
    void ShowMessage(const std::string& text) override;
    void PrintTestPage() override;
    void PrintRegistrationPages() override;

    const SettingsProfile& settings_;
    QPrinter& printer_;
    CalibrationModel model_;
    QLabel* heading_ = nullptr;
    QLineEdit* offsetX_ = nullptr;
    QLineEdit* offsetY_ = nullptr;
    QLineEdit* scale_ = nullptr;
    QLineEdit* backOffsetX_ = nullptr;
    QLineEdit* backOffsetY_ = nullptr;
};

// The name calibrations are stored under: the printer's, or "PDF" when Qt prints to a file.
std::string CalibrationPrinterName(const QPrinter& printer);

// Draws the test page on the printer, full page; false when the printer cannot be opened.
bool PrintCalibrationPage(QPrinter& printer);

// Prints the registration test's front and back pages two-sided, the back turned on the edge the
// printer is set to (the long edge unless it is set to the short one), each with the printer's
// calibration as tags are printed; false when the printer cannot be opened.
bool PrintRegistrationPages(QPrinter& printer, const PrinterCalibration& calibration);

// Runs the dialog modally; true when values were stored.
bool RunCalibrationDialog(QWidget* parent, const SettingsProfile& settings, QPrinter& printer);
