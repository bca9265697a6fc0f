#pragma once

#include <string>

// Where the program's own read-only files (help pages and the like) are: beside an installed
// program in its share folder, or, for a program run from the build tree, in the source
// tree's resources folder.

// The data folder for a program file: installedRelative (relative to the program file's folder)
// when that folder exists, else buildTreeFolder.
std::string ProgramDataFolderFor(const std::string& programFile, const std::string& installedRelative,
                                 const std::string& buildTreeFolder);

// The running program's own file.
std::string ProgramFilePath();

// The running program's data folder.
std::string ProgramDataFolder();
