#include "sheets/paper_sizes.h"

namespace sheets {

PaperSizes::PaperSizes() : sizes_{{"A4", 210, 297}, {"US-Letter", 215.9, 279.4}} {}

void PaperSizes::Add(PaperSize size) {
    for (PaperSize& known : sizes_) {
        if (known.id == size.id) {
            known = std::move(size);
            return;
        }
    }
    sizes_.push_back(std::move(size));
}

const PaperSize* PaperSizes::Find(std::string_view id) const {
    for (const PaperSize& known : sizes_)
        if (known.id == id) return &known;
    return nullptr;
}

}  // namespace sheets
