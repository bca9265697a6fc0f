#pragma once

#include <string_view>

// Lengths as label template files write them: a decimal number followed by a unit, "mm", "cm",
// "in", "pt" or "pc"; a bare number is in points. The number is read without regard to the
// locale, so that a German or French desktop reads "21.2" the same way.
namespace sheets {

// The length in millimetres. False for an empty text, a missing number or an unknown unit.
bool ParseLength(std::string_view text, double& millimetres);

}  // namespace sheets
