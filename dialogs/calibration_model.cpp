#include "dialogs/calibration_model.h"

CalibrationModel::CalibrationModel(const SettingsProfile& settings, std::string printerName, CalibrationPlatform& platform)
    : settings_(settings), printerName_(std::move(printerName)), platform_(platform) {}

void CalibrationModel::OnOpen() {
    heading = "プリンタ: " + printerName_;
    const PrinterCalibration stored = ReadCalibration(settings_, printerName_);
    offsetX = FixedText(stored.offsetX, 1);
    offsetY = FixedText(stored.offsetY, 1);
    scale = FixedText(stored.scale, 2);
    backOffsetX = FixedText(stored.backOffsetX, 1);
    backOffsetY = FixedText(stored.backOffsetY, 1);
}

void CalibrationModel::OnPrintTestPage() { platform_.PrintTestPage(); }

void CalibrationModel::OnPrintRegistrationPages() { platform_.PrintRegistrationPages(); }

bool CalibrationModel::OnOk() {
    PrinterCalibration calibration;
    if (!ParseFixed(offsetX, 1, calibration.offsetX) || !ParseFixed(offsetY, 1, calibration.offsetY) ||
        !ParseFixed(backOffsetX, 1, calibration.backOffsetX) || !ParseFixed(backOffsetY, 1, calibration.backOffsetY)) {
        platform_.ShowMessage("ずれは 0.1 mm 単位の数で入力してください (例: 1.5, -0.3)。");
        return false;
    }
    if (!ParseFixed(scale, 2, calibration.scale)) {
        platform_.ShowMessage("倍率の補正は 0.01 % 単位の数で入力してください (例: 0.25)。");
        return false;
    }
    std::string problem;
    if (!StoreCalibration(settings_, printerName_, calibration, problem)) {
        platform_.ShowMessage(problem);
        return false;
    }
    return true;
}
