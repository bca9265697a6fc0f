#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/export_output.h"
#include "render/view_state.h"

// The proof list (校正一覧): every card in print order as the client signs it off and the print
// shop checks it, on A4: number, 氏名 large, 読み, the name in Latin letters, 所属 and 肩書き, how
// far each line is condensed to fit, the characters that may print wrong, and what changed since
// the last proof of the same record file.
namespace export_tool {

struct ProofEntry {
    std::string card;  // "0003"
    // Exact forms (store/exact_text.h), empty when the card has none.
    std::string name, reading, latin, affiliation, title;
    std::string honorific;  // printed after the name (様, さん …), stored text
    std::vector<std::string> notes;  // UTF-8
};

struct Proof {
    std::vector<ProofEntry> entries;
    std::vector<std::string> gone;  // UTF-8: the cards of the last proof that are no more
};

// The cards of the view's print job; measuring gives the fonts' extents. latinItem names the
// item with the name in Latin letters ("Option" "RomajiTo"), empty for none.
Proof MakeProof(ViewState& view, Surface& measuring, const std::string& latinItem);
// Notes what changed since the proof kept at keptFsPath (nothing on a first proof).
void CompareWithKept(Proof& proof, const std::string& keptFsPath);
// Keeps the proof there for the next one to compare with; false when it cannot be written.
bool KeepProof(const Proof& proof, const std::string& keptFsPath);
// Where the last proof of a record file (stored path) is kept, in the program's data folder.
std::string KeptProofPath(const std::string& recordStoredPath);

std::int32_t ProofPageCount(const Proof& proof);
// A4 pages of the proof; title and date head each page (UTF-8).
PageDrawer ProofPages(const Proof& proof, const std::string& title, const std::string& date);

}  // namespace export_tool
