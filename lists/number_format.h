#pragma once

#include <string>
#include <string_view>

// The text a spreadsheet shows for a number cell under its format code: "General" (whole
// numbers without ".0"), digit patterns ("0000", "0.00", "#,##0", "0%") with literal text around
// them, and dates and times ("yyyy/m/d", "h:mm"; the value is a serial day number from
// 1899-12-30). Parts it does not understand (scientific, fractions) show the number as General.
std::string FormatCellNumber(double value, std::string_view formatCode);

// The format code of one of Excel's built-in number formats (as a Japanese installation shows
// them); "General" for ids it has none for.
std::string_view BuiltInNumberFormat(int id);
