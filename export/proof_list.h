#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/surface.h"
#include "render/view_state.h"

// The proof list (校正一覧): the cards as the client signs them off and the print shop checks
// them, on A4: number, 氏名 large, 読み, the name in Latin letters, 所属 and 肩書き, how far each
// line is condensed to fit, the characters that may print wrong, and what changed since the last
// proof of the same record file. Laid out and drawn by export/proof_pages.h.
namespace export_tool {

struct ProofEntry {
    std::string card;  // "0003"
    // Exact forms (store/exact_text.h), empty when the card has none.
    std::string name, reading, latin, affiliation, title;
    std::string honorific;  // printed after the name (様, さん …), stored text
    std::vector<std::string> notes;  // UTF-8
};

struct Proof {
    std::string whose;  // UTF-8, for the heading: "全員 200 名", "印刷順序 20 名"
    std::vector<ProofEntry> entries;
    std::vector<std::string> gone;  // UTF-8: the cards of the last proof that are no more
};

// Whose tags a proof lists: every card with a name, or the cards of the print order.
enum class ProofCards { Everyone, PrintOrder };

// Whether the record file has a print order, so that a proof of it alone can be asked for.
bool HasPrintOrder(const RecordProfile& record);
// The card sections a proof lists, in card order or print order.
std::vector<std::string> ProofCardList(const RecordProfile& record, ProofCards which);
// How the heading names them: "全員 200 名" (UTF-8).
std::string ProofWhose(ProofCards which, std::size_t count);

// The chosen cards of the view's record file; measuring gives the fonts' extents. latinItem
// names the item with the name in Latin letters ("Option" "RomajiTo"), empty for none.
Proof MakeProof(ViewState& view, Surface& measuring, const std::string& latinItem, ProofCards which = ProofCards::Everyone);
// Notes what changed since the proof kept at keptFsPath (nothing on a first proof).
void CompareWithKept(Proof& proof, const std::string& keptFsPath);
// Keeps the proof there for the next one to compare with; false when it cannot be written.
bool KeepProof(const Proof& proof, const std::string& keptFsPath);
// Where the last proof of a record file (stored path) is kept, in the program's data folder:
// a proof of the print order is compared with the last one of the print order.
std::string KeptProofPath(const std::string& recordStoredPath, ProofCards which = ProofCards::Everyone);

}  // namespace export_tool
