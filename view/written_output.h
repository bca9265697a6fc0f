#pragma once

#include <cstdint>
#include <string>

// What a print job or a PDF export wrote, for the status bar to tell. Texts are UTF-8.
struct WrittenOutput {
    std::string pdf;      // the PDF file's path; empty when the pages went to a printer
    std::string printer;  // the printer's name, when they did
    std::int32_t pages = 0;
};

// The status bar's line: the file's name, or the printer's, and the page count.
std::string WrittenOutputNote(const WrittenOutput& output);
