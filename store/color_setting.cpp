#include "store/color_setting.h"

#include <algorithm>
#include <string>

#include "store/cp932.h"
#include "store/profile_value.h"

namespace {

// Colours are stored as the signed decimal of their 32 bits.
std::int32_t Stored(ColorRef color) { return static_cast<std::int32_t>(color); }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// An unsigned number in the base its prefix announces: "0x" hexadecimal, a leading "0" octal,
// else decimal; digits up to the first one the base does not have, 32 bits with wrap-around.
ColorRef ParseAutoBase(std::string_view text) {
    std::uint32_t base = 10;
    std::size_t pos = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && DigitValue(text[2]) >= 0) {
        base = 16;
        pos = 2;
    } else if (!text.empty() && text[0] == '0') {
        base = 8;
    }
    ColorRef value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos]);
        if (digit < 0 || static_cast<std::uint32_t>(digit) >= base) break;
        value = value * base + static_cast<std::uint32_t>(digit);
    }
    return value;
}

}  // namespace

ProfileFile RecordOrSettings(std::string_view recordPath) {
    if (recordPath.empty()) return SettingsProfile();
    return ProfileFile::AtStoredPath(recordPath);
}

std::vector<std::int32_t> LeadingNumbers(std::string_view text, std::size_t maxCount) {
    std::vector<std::int32_t> numbers;
    numbers.reserve(std::min<std::size_t>(maxCount, 16));  // a font record's fourteen in one go
    std::size_t pos = 0;
    while (numbers.size() < maxCount) {
        while (pos < text.size() && cp932::IsBlank(static_cast<unsigned char>(text[pos]))) ++pos;
        std::size_t end = pos;
        if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
        const std::size_t digits = end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        if (end == digits) break;
        numbers.push_back(profile::ParseLeadingInt(text.substr(pos, end - pos)));
        pos = end;
    }
    return numbers;
}

bool CColorSetting::LoadFromRecord(std::string_view section, std::string_view key, ColorRef& color,
                                   ColorRef defaultColor, std::string_view recordPath) {
    color = static_cast<ColorRef>(RecordOrSettings(recordPath).ReadInt(section, key, Stored(defaultColor)));
    return true;
}

bool CColorSetting::LoadTextFromSettings(std::string_view section, std::string_view key, ColorRef& color,
                                         std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::string text =
        SettingsProfile().ReadString(section, key, std::to_string(Stored(Rgb(red, green, blue))));
    if (text.empty()) return true;
    if (text[0] >= '0' && text[0] <= '9') {
        color = ParseAutoBase(text);
    } else if (text[0] == ' ') {
        // Fewer than three numbers are not a colour: the caller's colour stays.
        const std::vector<std::int32_t> rgb = LeadingNumbers(text, 3);
        if (rgb.size() == 3)
            color = Rgb(static_cast<std::uint8_t>(rgb[0] & 0xFF), static_cast<std::uint8_t>(rgb[1] & 0xFF),
                        static_cast<std::uint8_t>(rgb[2] & 0xFF));
    }
    return true;
}

bool CColorSetting::SaveToRecord(std::string_view section, std::string_view key, ColorRef color,
                                 std::string_view recordPath) {
    return RecordOrSettings(recordPath).WriteString(section, key, std::to_string(Stored(color)));
}

bool CColorSetting::SaveToSettings(std::string_view section, std::string_view key, ColorRef color) {
    return SettingsProfile().WriteInt(section, key, Stored(color));
}
