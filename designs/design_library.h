#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designs/design.h"

// The designs the program offers: the built-in ones, installed files that cannot be changed,
// and the user's own, files in the "designs" folder of the data folder. Names (code page 932)
// are unique: a user design cannot take the name of a built-in one, nor of another user design.
namespace designs {

enum class Origin { BuiltIn, User };

struct Entry {
    Design design;
    Origin origin = Origin::User;
    std::string fsPath;  // its file
};

enum class LibraryFailure {
    None,
    NotFound,    // no design of that name
    BuiltIn,     // a built-in design cannot be renamed or deleted
    NameTaken,   // another design has the name
    BadName,     // an empty name, or one with a line break
    Unreadable,  // a file that is not a design (detail says why)
    NotWritten,  // a file could not be written or removed (detail says why)
};

struct LibraryResult {
    LibraryFailure failure = LibraryFailure::None;
    std::string detail{};  // English, for Unreadable and NotWritten
    std::string name{};    // Import: the name the design was filed under
    explicit operator bool() const { return failure == LibraryFailure::None; }
};

// A file of the library that could not be read, with the reason (English).
struct Unreadable {
    std::string fsPath, reason;
};

class DesignLibrary {
public:
    // Folders as file-system paths; either may be missing.
    DesignLibrary(std::string builtInFolder, std::string userFolder);
    // The installed program's: the "designs" folder beside its help, and the data folder's.
    static DesignLibrary Installed();

    const std::string& UserFolder() const { return userFolder_; }

    // Built-in designs in the order of their file names, then the user's in the Japanese order of
    // their names. Files that cannot be read are left out and, when problems is given, named there.
    std::vector<Entry> List(std::vector<Unreadable>* problems = nullptr) const;
    std::optional<Entry> Find(std::string_view name) const;

    // Files design as a user design; one of the same name is replaced, a built-in one is not.
    LibraryResult Save(const Design& design) const;
    LibraryResult Rename(std::string_view name, std::string_view newName) const;
    LibraryResult Delete(std::string_view name) const;
    // The design's file written to fsPath, to be imported elsewhere.
    LibraryResult Export(std::string_view name, const std::string& fsPath) const;
    // A design file read and saved as a user design. A name already in use gets " (2)", " (3)"
    // … so that importing never replaces a design.
    LibraryResult Import(const std::string& fsPath) const;

private:
    std::string builtInFolder_, userFolder_;
};

// A design file read; nothing, with the reason (English), when it cannot be read or is not one.
std::optional<Design> ReadDesignFile(const std::string& fsPath, std::string& problem);

}  // namespace designs
