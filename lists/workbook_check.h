#pragma once

#include <string>

// Reads a workbook file just written back whole: every entry of its zip archive must unpack with
// its checksum, and every XML part must close its root element. A part cut short before it was
// packed (libxlsxwriter does not check the writes of its temporary files) is then caught.
// Returns the name of the first incomplete part ("[archive]" when the archive itself is
// unreadable), or an empty text when every part is whole.
std::string IncompleteWorkbookPart(const std::string& path);
