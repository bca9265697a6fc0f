#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/profiles.h"

// How far a printer puts what it prints off the paper's corner, and how much it stretches it, as
// the user measures on the test page: the error of the printer, which printing takes back.
// Stored per printer in the settings file, section "Calibration", one key per printer name:
// "X,Y,S" with X and Y in millimetres to 0.1 (right and down positive) and S in percent to 0.01.
struct PrinterCalibration {
    std::int32_t offsetX = 0;  // tenths of a millimetre
    std::int32_t offsetY = 0;
    std::int32_t scale = 0;    // hundredths of a percent: 50 means 100 mm print as 100.5 mm
    std::int32_t backOffsetX = 0, backOffsetY = 0;  // tenths of a millimetre, added on back pages

    bool IsNone() const { return offsetX == 0 && offsetY == 0 && scale == 0 && backOffsetX == 0 && backOffsetY == 0; }
    bool operator==(const PrinterCalibration& other) const {
        return offsetX == other.offsetX && offsetY == other.offsetY && scale == other.scale &&
               backOffsetX == other.backOffsetX && backOffsetY == other.backOffsetY;
    }
};

inline constexpr std::int32_t kMaxCalibrationOffset = 100;  // 10 mm
inline constexpr std::int32_t kMaxCalibrationScale = 200;   // 2 %

// What the settings file holds for a printer.
enum class StoredCalibration { None, Usable, Damaged, OutOfRange };

// The printer's calibration; none for a printer without one or a value that is damaged or out
// of range (state tells which). The printer's name is UTF-8; every name can be stored.
PrinterCalibration ReadCalibration(const SettingsProfile& settings, std::string_view printerName,
                                   StoredCalibration* state = nullptr);
// Stores and flushes. False, with the reason, for values out of range or a file that cannot be
// written; nothing is written for values out of range.
bool StoreCalibration(const SettingsProfile& settings, std::string_view printerName,
                      const PrinterCalibration& calibration, std::string& problem);

// Why the values cannot be used (a short Japanese message), or empty.
std::string CalibrationProblem(const PrinterCalibration& calibration);

// A decimal typed or stored with up to `decimals` places, as a whole count of its last place:
// "1.5" with one place is 15, "-0.05" with two is -5. False for anything else.
bool ParseFixed(std::string_view text, int decimals, std::int32_t& value);
std::string FixedText(std::int32_t value, int decimals);
