#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sheets {

// A named paper size, in millimetres.
struct PaperSize {
    std::string id;  // "A4"
    double width = 0, height = 0;
};

// The paper sizes templates name, read from "paper-sizes.xml" files of template folders. A4 and
// US letter are always known, so that the program's own layouts work without the database.
class PaperSizes {
public:
    PaperSizes();
    void Add(PaperSize size);  // a later size of the same id replaces an earlier one
    const PaperSize* Find(std::string_view id) const;

private:
    std::vector<PaperSize> sizes_;
};

}  // namespace sheets
