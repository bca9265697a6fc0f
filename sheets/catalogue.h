#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/sheet_product.h"

namespace sheets {

// Where products come from, in the order they are listed (and the first of the same maker and
// part wins a look-up): the user's saved sheets, the program's own layouts, the user's template
// folders, the installed database.
struct CatalogueSources {
    std::string savedFile;                      // the user's saved sheets (a template file)
    std::string builtIn;                        // the program's own layouts (template XML text)
    std::vector<std::string> userFolders;       // folders of template files
    std::vector<std::string> catalogueFolders;  // the installed database's template folders
};

// The program's sources: sheets.xml in the configuration folder, the built-in layouts, the
// user's "libglabels/templates" folder under $XDG_CONFIG_HOME, and "libglabels-3.0/templates"
// under each folder of $XDG_DATA_DIRS.
CatalogueSources DefaultSources();

// Every label product of the sources, each checked: a product that cannot be applied is kept in
// the list with the reason. A file that cannot be read is skipped with one warning.
class SheetCatalogue {
public:
    void Load(const CatalogueSources& sources);

    const std::vector<SheetProduct>& Products() const { return products_; }
    // One line per skipped file: "FILE: problem".
    const std::vector<std::string>& Warnings() const { return warnings_; }
    // Whether any of the database's folders was found.
    bool CatalogueInstalled() const { return catalogueInstalled_; }

    const SheetProduct* Find(std::string_view maker, std::string_view part) const;
    // The products matching every word of the text (blank-separated, either width of space):
    // a word matches part of the maker, the product number or the description (ASCII letters
    // in either case), a label size "91x55" or "91×55" (millimetres, within 0.5), or the count
    // per sheet ("10", "10面"). A maker is found by its katakana name too (ヒサゴ, or ひさご,
    // finds Hisago) and the other way round (see MakerNameVariants).
    std::vector<std::size_t> Search(std::string_view text) const;

private:
    std::vector<SheetProduct> products_;
    std::vector<std::string> warnings_;
    bool catalogueInstalled_ = false;
};

// A length in millimetres for people: to 0.1 mm, without a trailing ".0".
std::string MillimetreText(double millimetres);
// "91×55mm"
std::string LabelSizeText(const SheetProduct& product);

}  // namespace sheets
