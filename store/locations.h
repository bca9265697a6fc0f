#pragma once

#include <string>
#include <string_view>

// Where the program keeps its files. The data folder holds the cabinet folders, the value-list
// files and the merge folder; the settings file "ZULNAME.INI" lives in the configuration folder.
// $ZULNAME_HOME, when set, holds both.
namespace locations {

// File-system paths (UTF-8), without a trailing "/".
std::string DataFolder();
std::string ConfigFolder();
std::string SettingsFilePath();

// Creates the data and configuration folders when missing. False when either cannot be made.
bool EnsureFolders();

// The data folder as stored text (code page 932), ending in "/", or empty when its name cannot
// be written in code page 932.
std::string ProgramFolder();

// A stored path (code page 932) as a file-system path, and back. False when the other side
// cannot hold it.
bool StoredPathToFs(std::string_view stored, std::string& fsPath);
bool FsPathToStored(std::string_view fsPath, std::string& stored);

}  // namespace locations
