#pragma once

#include <string>
#include <vector>

#include "lists/list_writer.h"
#include "store/profiles.h"

// "名簿を書き出し": the cards of the record file written as a list for spreadsheets.

struct ListExportChoice {
    const char* filter;  // as the save-file chooser shows it
    const char* suffix;  // added when the chosen name has none
    ListOutputFormat format;
    ListOutputEncoding encoding;
};

// CSV (UTF-8 with a byte-order mark), CSV (code page 932), TSV, Excel: in the chooser's order.
const std::vector<ListExportChoice>& ListExportChoices();

// Where the chooser starts: the record file's name, without its extension (the chosen format
// adds its own), in the folder of lists.
std::string SuggestedListFile(const std::string& listFolder, const std::string& recordFsPath);

// Writes the cards of the record file at recordFsPath to path in the choice's format; the
// choice's suffix is added when path has none. Returns the message for the user (UTF-8).
std::string ExportRecordAsList(const SettingsProfile& settings, const std::string& recordFsPath, std::string path,
                               const ListExportChoice& choice);
