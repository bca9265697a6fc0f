#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sheets/catalogue.h"
#include "tests/support/temp_home.h"

// Template folders in a fresh home and a catalogue loaded from them, without the installed
// database unless a test asks for it.
class CatalogueTest : public TempHomeTest {
protected:
    // A template file in the user's folder holding the given templates.
    void UserFile(const std::string& name, const std::string& templates) {
        Folder("user");
        WriteBytes(PathOf("user/" + name), "<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + templates + "</Glabels-templates>\n");
    }
    void Folder(const std::string& name) { std::filesystem::create_directories(PathOf(name)); }

    const sheets::SheetCatalogue& Load(bool withBuiltIn = false) {
        sheets::CatalogueSources sources;
        sources.savedFile = PathOf("sheets.xml");
        if (withBuiltIn) sources.builtIn = sheets::DefaultSources().builtIn;
        sources.userFolders = {PathOf("user")};
        catalogue.Load(sources);
        return catalogue;
    }

    // The part numbers a search finds, in the catalogue's order.
    std::vector<std::string> PartsFound(const std::string& text) const {
        std::vector<std::string> found;
        for (const std::size_t i : catalogue.Search(text)) found.push_back(catalogue.Products()[i].part);
        return found;
    }

    sheets::SheetCatalogue catalogue;
};

// A rectangle template of the given label and layout attributes, on A4.
inline std::string Rectangle(const std::string& part, const std::string& label, const std::string& layout,
                             const std::string& paper = "size=\"A4\"") {
    return "<Template brand=\"Maker\" part=\"" + part + "\" " + paper + " _description=\"Test labels\">\n"
           "  <Meta category=\"label\"/>\n"
           "  <Label-rectangle id=\"0\" " + label + ">\n    <Layout " + layout + "/>\n  </Label-rectangle>\n</Template>\n";
}
