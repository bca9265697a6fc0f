#pragma once

#include <string_view>

// A file name that stays inside the folder it is joined to: not empty, not "." or "..", without
// "/" and without NUL (where the file system would cut it short). Record files and value-list
// files are named this way. Stored text (code page 932): neither byte is ever the second byte of
// a double-byte character, so a byte search is exact.
bool IsPlainFileName(std::string_view name);
