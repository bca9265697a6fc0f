#pragma once

#include <string>

#include "store/calibration.h"
#include "store/profiles.h"

// What the calibration dialog needs from the window system; tests put their own in its place.
class CalibrationPlatform {
public:
    virtual ~CalibrationPlatform() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // Prints the test page on the printer being calibrated.
    virtual void PrintTestPage() = 0;
    // Prints the front and back registration pages, two-sided, on that printer.
    virtual void PrintRegistrationPages() = 0;
};

// "プリンタの調整": the offsets (0.1 mm steps, ±10 mm) and the scale correction (±2 %) the user
// measured on the test page of one printer. Texts are UTF-8.
class CalibrationModel {
public:
    CalibrationModel(const SettingsProfile& settings, std::string printerName, CalibrationPlatform& platform);

    // Fields exchanged with the controls.
    std::string heading;  // names the printer
    std::string offsetX;  // "右へのずれ (mm)"
    std::string offsetY;  // "下へのずれ (mm)"
    std::string scale;    // "倍率の補正 (%)"
    std::string backOffsetX, backOffsetY;  // "裏面のずれ X (mm)", "裏面のずれ Y (mm)"

    void OnOpen();
    void OnPrintTestPage();
    void OnPrintRegistrationPages();
    // Stores the values; false, with a message, for values that are not numbers or out of range.
    bool OnOk();

private:
    const SettingsProfile& settings_;
    std::string printerName_;
    CalibrationPlatform& platform_;
};
