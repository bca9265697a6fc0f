#include "store/calibration.h"

#include <cstdlib>

#include "store/codec.h"
#include "store/failure_reason.h"

namespace {

constexpr const char* kSection = "Calibration";
constexpr const char* kBackSection = "CalibrationBack";

bool Escaped(char32_t code, bool atEdge) {
    if (code >= 0x80) return false;
    return code < 0x20 || code == 0x7F || (atEdge && code == ' ') ||
           std::string_view("=[];%").find(static_cast<char>(code)) != std::string_view::npos;
}

// The key of a printer: its name in code page 932, one character at a time. A character that
// would end a key or open a section, a "%", a control character, a space at either end (keys are
// trimmed) and a character code page 932 cannot hold are written as "%XX" for each of their UTF-8
// bytes, so that two printers share a key only when their names are equal.
bool KeyOf(std::string_view printerName, std::string& key) {
    key.clear();
    std::string stored;
    char32_t code = 0;
    for (std::size_t pos = 0, length; pos < printerName.size(); pos += length) {
        length = codec::DecodeUtf8(printerName, pos, code);
        if (length == 0) return false;
        const std::string_view character = printerName.substr(pos, length);
        const bool atEdge = pos == 0 || pos + length == printerName.size();
        if (!Escaped(code, atEdge) && codec::Utf8ToCp932(character, stored)) {
            key += stored;
            continue;
        }
        for (const char byte : character) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            key += '%';
            key += kHex[static_cast<unsigned char>(byte) >> 4];
            key += kHex[static_cast<unsigned char>(byte) & 0xF];
        }
    }
    return !key.empty();
}

bool OffsetInRange(std::int32_t offset) { return std::abs(offset) <= kMaxCalibrationOffset; }

// The back's offsets stored under key, "X,Y"; both stay 0 when they are missing, damaged or out of range.
void ReadBack(const SettingsProfile& settings, const std::string& key, PrinterCalibration& calibration) {
    const std::string stored = settings.ReadString(kBackSection, key, "");
    const std::size_t comma = stored.find(',');
    if (comma == std::string::npos) return;
    std::int32_t x = 0, y = 0;
    const std::string_view text(stored);
    if (!ParseFixed(text.substr(0, comma), 1, x) || !ParseFixed(text.substr(comma + 1), 1, y) || !OffsetInRange(x) ||
        !OffsetInRange(y))
        return;
    calibration.backOffsetX = x;
    calibration.backOffsetY = y;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool ParseFixed(std::string_view text, int decimals, std::int32_t& value) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || whole.size() > 6 || fraction.size() > static_cast<std::size_t>(decimals) ||
        (point != std::string_view::npos && fraction.empty()))
        return false;
    std::int32_t result = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
    }
    for (int place = 0; place < decimals; ++place) {
        const char c = static_cast<std::size_t>(place) < fraction.size() ? fraction[static_cast<std::size_t>(place)] : '0';
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
    }
    value = negative ? -result : result;
    return true;
}

std::string FixedText(std::int32_t value, int decimals) {
    std::string digits = std::to_string(std::abs(static_cast<long long>(value)));
    if (digits.size() <= static_cast<std::size_t>(decimals)) digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    return (value < 0 ? "-" : "") + digits;
}

std::string CalibrationProblem(const PrinterCalibration& calibration) {
    if (!OffsetInRange(calibration.offsetX) || !OffsetInRange(calibration.offsetY) ||
        !OffsetInRange(calibration.backOffsetX) || !OffsetInRange(calibration.backOffsetY))
        return "ずれは -10.0～10.0 mm の範囲で入力してください。";
    if (std::abs(calibration.scale) > kMaxCalibrationScale) return "倍率の補正は -2.00～2.00 % の範囲で入力してください。";
    return {};
}

PrinterCalibration BackPageCalibration(const PrinterCalibration& calibration) {
    PrinterCalibration back = calibration;
    back.offsetX += calibration.backOffsetX;
    back.offsetY += calibration.backOffsetY;
    back.backOffsetX = back.backOffsetY = 0;
    return back;
}

PrinterCalibration ReadCalibration(const SettingsProfile& settings, std::string_view printerName,
                                   StoredCalibration* state) {
    StoredCalibration ignored = StoredCalibration::None;
    StoredCalibration& found = state != nullptr ? *state : ignored;
    found = StoredCalibration::None;
    std::string key;
    if (!KeyOf(printerName, key)) return {};
    PrinterCalibration back;
    ReadBack(settings, key, back);
    const std::string stored = settings.ReadString(kSection, key, "");
    if (stored.empty()) return back;
    found = StoredCalibration::Damaged;
    const std::size_t first = stored.find(',');
    const std::size_t second = first == std::string::npos ? std::string::npos : stored.find(',', first + 1);
    if (second == std::string::npos) return back;
    PrinterCalibration calibration = back;
    const std::string_view text(stored);
    if (!ParseFixed(text.substr(0, first), 1, calibration.offsetX) ||
        !ParseFixed(text.substr(first + 1, second - first - 1), 1, calibration.offsetY) ||
        !ParseFixed(text.substr(second + 1), 2, calibration.scale))
        return back;
    found = StoredCalibration::OutOfRange;
    if (!CalibrationProblem(calibration).empty()) return back;
    found = StoredCalibration::Usable;
    return calibration;
}

bool StoreCalibration(const SettingsProfile& settings, std::string_view printerName,
                      const PrinterCalibration& calibration, std::string& problem) {
    problem = CalibrationProblem(calibration);
    if (!problem.empty()) return false;
    std::string key;
    if (!KeyOf(printerName, key)) {
        problem = "このプリンタ名は保存できません。";
        return false;
    }
    const std::string value = FixedText(calibration.offsetX, 1) + "," + FixedText(calibration.offsetY, 1) + "," +
                              FixedText(calibration.scale, 2);
    const std::string backValue = FixedText(calibration.backOffsetX, 1) + "," + FixedText(calibration.backOffsetY, 1);
    if (!settings.WriteString(kSection, key, value) || !settings.WriteString(kBackSection, key, backValue) ||
        !settings.Flush()) {
        problem = profile::NotWrittenMessage(settings.FsPath());
        return false;
    }
    return true;
}
