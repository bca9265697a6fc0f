#pragma once

#include <string>

// The window's title (UTF-8), as a single-document window names its document: the open record
// file's name, then the program's; "Zulnam" while no record file is open.
std::string WindowTitle(const std::string& storedPath);
