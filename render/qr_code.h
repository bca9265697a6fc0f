#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A QR code symbol: a square of modules, dark or light, without its quiet zone.
struct QrSymbol {
    std::int32_t modules = 0;        // modules along one side
    std::vector<std::uint8_t> dark;  // modules × modules, row by row from the top, 1 = dark
    char level = 'M';                // error correction: L, M, Q or H

    bool Dark(std::int32_t column, std::int32_t row) const {
        return dark[static_cast<std::size_t>(row) * static_cast<std::size_t>(modules) + static_cast<std::size_t>(column)] != 0;
    }
};

// Why stored text cannot become a QR code.
enum class QrProblem {
    None,
    Empty,
    NotText,  // not code page 932 text
    TooLong,  // more than the largest code holds at the level
    TooFine,  // its modules would be smaller than a hundredth of an inch at the size
};

// Encodes stored text (code page 932) as the UTF-8 bytes phones read, with error correction
// level 'L', 'M', 'Q' or 'H'. On failure the symbol is left empty and the reason returned.
QrProblem EncodeQr(std::string_view storedText, char level, QrSymbol& symbol);

// The quiet zone around the symbol, in modules, counted inside the drawn size.
inline constexpr std::int32_t kQrQuietModules = 4;

// Encodes the text for a code of side `size` (hundredths of an inch, quiet zone included),
// reporting a code whose modules would be too fine to print and scan.
QrProblem CodeFor(std::string_view storedText, char level, std::int32_t size, QrSymbol& symbol);
