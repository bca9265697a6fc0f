#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "store/profiles.h"

// A colour as the platform stores it: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<ColorRef>(red) | static_cast<ColorRef>(green) << 8 | static_cast<ColorRef>(blue) << 16;
}

// The record file at a stored (code page 932) path, or the settings file when the path is empty.
ProfileFile RecordOrSettings(std::string_view recordPath);

// The numbers at the start of a stored list such as "-16 0 0 400": each is optional blanks, an
// optional sign and decimal digits, taken in 32 bits with wrap-around. Reading stops at the
// first text that is not a number, or after maxCount numbers.
std::vector<std::int32_t> LeadingNumbers(std::string_view text, std::size_t maxCount);

// Colours stored as decimal numbers, in the record file at the given stored path (the settings
// file when the path is empty) or in the settings file. Loads always succeed; saves report
// whether the file took the value.
class CColorSetting {
public:
    static bool LoadFromRecord(std::string_view section, std::string_view key, ColorRef& color,
                               ColorRef defaultColor, std::string_view recordPath);
    // The value may also be written in hexadecimal ("0x…"), octal ("0…") or, after a leading
    // space, as three numbers "red green blue". Any other text leaves the colour as it is.
    static bool LoadTextFromSettings(std::string_view section, std::string_view key, ColorRef& color,
                                     std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    static bool SaveToRecord(std::string_view section, std::string_view key, ColorRef color,
                             std::string_view recordPath);
    static bool SaveToSettings(std::string_view section, std::string_view key, ColorRef color);
};
