#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/export_output.h"
#include "export/proof_list.h"

// The proof list laid out on A4 pages: each card a row as tall as its texts need, long texts
// wrapped within their column rather than condensed out of reading.
namespace export_tool {

// Lines of one size and colour, one below the other (exact forms).
struct ProofBlock {
    std::int32_t em = 0;
    ColorRef color = 0;
    std::vector<std::string> lines;
};

// A row of the list: the card number, the name column, the column of 所属, 肩書き and the Latin
// name, and the notes across both below them; or, without a card, a line of the cards gone.
struct ProofRow {
    std::string card;
    std::vector<ProofBlock> left, right, below;
    std::int32_t height = 0;
};

struct ProofLayout {
    std::string whose;  // UTF-8
    std::vector<ProofRow> rows;
    std::vector<std::size_t> pageStarts;  // the first row of each page
};

// Lines are broken as measuring measures them, which must be as the output draws.
ProofLayout LayOutProof(const Proof& proof, Surface& measuring);

std::int32_t ProofPageCount(const ProofLayout& layout);
// A4 pages of the proof; title, whose tags it lists and the date head each page (UTF-8).
PageDrawer ProofPages(const ProofLayout& layout, const std::string& title, const std::string& date);

}  // namespace export_tool
