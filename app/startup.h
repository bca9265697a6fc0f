#pragma once

#include <string>

#include "store/items.h"

// What the program's start needs from its surroundings; tests put their own in its place.
class StartupPlatform {
public:
    virtual ~StartupPlatform() = default;
    // Whether the program file lives on read-only optical media (a CD-ROM or DVD).
    virtual bool ProgramOnOpticalMedia() const = 0;
    // Shows a message (UTF-8) with an OK button and waits for it.
    virtual void ShowMessage(const std::string& text) = 0;
};

// The program's start before any window exists: refuses to run from optical media, loads the
// user-defined items, installs the cabinet folders and the value-list names on first run and
// makes sure the merge folder exists. False ends the program at once.
bool Initialise(StartupPlatform& platform, UserItemList& userItems);

// The merge folder for a data folder: "差し込み", or, where a file of that name is in the way,
// "差し込み" with the first counter 0, 1, … that names no file. Stored text.
std::string MergeFolderName(const std::string& programFolder);
