#pragma once

#include <string>

#include "sheets/sheet_product.h"

namespace sheets {

// Adds the product to the user's saved sheets, a template file at path, replacing a saved sheet
// of the same maker and product number. The file is replaced whole, never left half-written.
// False, with the problem, when the file exists but cannot be read as a template file (it is
// then left as it is) or cannot be written.
bool SaveSheet(const std::string& path, const SheetProduct& product, std::string& problem);

}  // namespace sheets
