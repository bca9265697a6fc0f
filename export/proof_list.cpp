#include "export/proof_list.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unordered_map>

#include "lists/character_check.h"
#include "render/card_reading.h"
#include "render/item_boxes.h"
#include "render/legibility.h"
#include "render/qt/face_glyphs.h"
#include "render/sheet.h"
#include "store/atomic_file.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/items.h"
#include "store/locations.h"
#include "store/profile_service.h"

namespace export_tool {

namespace {

const char* const kFieldNames[] = {"氏名", "読み", "ローマ字", "所属", "肩書き"};

// The fields of an entry in the order of kFieldNames.
template <typename Entry>
auto Fields(Entry& entry) {
    return std::array{&entry.name, &entry.reading, &entry.latin, &entry.affiliation, &entry.title};
}

// A field of the kept proof: its tabs and line breaks escaped, so that one card stays one line.
std::string EscapeField(const std::string& utf8) {
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '\\': escaped += "\\\\"; break;
            case '\t': escaped += "\\t"; break;
            case '\n': escaped += "\\n"; break;
            case '\r': escaped += "\\r"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeField(const std::string& escaped) {
    std::string utf8;
    utf8.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const char next = i + 1 < escaped.size() ? escaped[i + 1] : '\0';
        if (escaped[i] != '\\' || (next != '\\' && next != 't' && next != 'n' && next != 'r')) {
            utf8 += escaped[i];
            continue;
        }
        utf8 += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
        ++i;
    }
    return utf8;
}

// One line of the kept proof: the card and its fields, tab-separated UTF-8.
std::string KeptLine(const ProofEntry& entry) {
    std::string line = entry.card;
    for (const std::string* field : Fields(entry)) line += "\t" + EscapeField(exact_text::ToUtf8(*field));
    return line;
}

// The findings of the character check by card section, so that each card finds its own at once.
std::unordered_map<std::string, std::vector<const character_check::Finding*>> FindingsByCard(
    const std::vector<character_check::Finding>& findings) {
    std::unordered_map<std::string, std::vector<const character_check::Finding*>> byCard;
    for (const character_check::Finding& finding : findings) byCard[CardSectionName(finding.card)].push_back(&finding);
    return byCard;
}

std::string FindingNote(const character_check::Finding& finding) {
    std::string note = codec::Utf8(finding.item) + " 「" + finding.character + "」" + character_check::CodePoint(finding.code) +
                       " " + character_check::KindWords(finding.kinds);
    if (!finding.substitutes.empty()) note += "（候補 " + finding.substitutes.front() + "）";
    return note;
}

}  // namespace

bool HasPrintOrder(const RecordProfile& record) {
    return !SplitBarList(record.ReadFullString("Current", "PrintOrder", "")).empty();
}

std::vector<std::string> ProofCardList(const RecordProfile& record, ProofCards which) {
    return which == ProofCards::PrintOrder ? CardList(record) : NamedCards(record);
}

std::string ProofWhose(ProofCards which, std::size_t count) {
    return std::string(which == ProofCards::PrintOrder ? "印刷順序 " : "全員 ") + std::to_string(count) + " 名";
}

Proof MakeProof(ViewState& view, Surface& measuring, const std::string& latinItem, ProofCards which) {
    // One state of the record file for the whole list, not a look at the disk for every read.
    const profile::ProfileSnapshot snapshot;
    Proof proof;
    const RecordProfile& record = *view.record;
    const cards::RecordCards cards(ProfileFile::AtStoredPath(record.Path()).FsPath(), ItemList(view.userItems));
    const std::vector<character_check::Finding> findings =
        character_check::Check(cards, character_check::AnyFaceDraws, UnihanVariants::Installed());
    const auto findingsByCard = FindingsByCard(findings);
    view.slotPrefix = record.ReadString("#Setting#", "Label", "1");
    const std::string items[] = {codec::Sjis("氏名"), codec::Sjis("読み"), latinItem, codec::Sjis("所属"),
                                 codec::Sjis("肩書き")};
    const std::vector<std::string> sections = ProofCardList(record, which);
    proof.whose = ProofWhose(which, sections.size());
    proof.entries.reserve(sections.size());
    for (const std::string& section : sections) {
        ProofEntry entry;
        entry.card = section;
        const auto fields = Fields(entry);
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!items[i].empty()) *fields[i] = exact_text::Read(record, section, items[i]);
        entry.honorific = record.ReadString(section, ItemKey(view.slotPrefix, items[0], "Honorific"), "");
        const CardValue card = ReadCard(view, section);
        const std::vector<ItemBox> boxes = DrawnItemBoxes(view, measuring, card);
        for (const ItemBox& box : boxes)
            if (box.scale < 100 && box.scale >= kReadableScale) entry.notes.push_back(codec::Utf8(box.item) + " 長体 " + std::to_string(box.scale) + " %");
        for (std::string& note : LegibilityNotes(card, boxes, FaceHasGlyph)) entry.notes.push_back(std::move(note));
        if (const auto found = findingsByCard.find(section); found != findingsByCard.end())
            for (const character_check::Finding* finding : found->second) entry.notes.push_back(FindingNote(*finding));
        proof.entries.push_back(std::move(entry));
    }
    return proof;
}

std::string KeptProofPath(const std::string& recordStoredPath, ProofCards which) {
    const std::size_t hash = std::hash<std::string>{}(recordStoredPath);
    std::ostringstream name;
    name << std::hex << hash;
    return locations::DataFolder() + "/proofs/" + name.str() + (which == ProofCards::PrintOrder ? "-order" : "") + ".tsv";
}

void CompareWithKept(Proof& proof, const std::string& keptFsPath) {
    std::map<std::string, std::vector<std::string>> kept;
    std::ifstream in(keptFsPath);
    const bool hadProof = static_cast<bool>(in);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(UnescapeField(cell));
        if (!cells.empty()) kept[cells.front()] = std::vector<std::string>(cells.begin() + 1, cells.end());
    }
    if (!hadProof) return;
    for (ProofEntry& entry : proof.entries) {
        const auto before = kept.find(entry.card);
        if (before == kept.end()) {
            entry.notes.push_back("前回の校正から追加");
            continue;
        }
        const auto fields = Fields(entry);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string was = i < before->second.size() ? before->second[i] : std::string();
            const std::string now = exact_text::ToUtf8(*fields[i]);
            if (was != now) entry.notes.push_back(std::string(kFieldNames[i]) + " 変更: " + was + " → " + now);
        }
        kept.erase(before);
    }
    for (const auto& [card, fields] : kept)
        proof.gone.push_back(card + " " + (fields.empty() ? std::string() : fields.front()) + " は前回の校正から削除");
}

bool KeepProof(const Proof& proof, const std::string& keptFsPath) {
    std::string keeping;
    for (const ProofEntry& entry : proof.entries) keeping += KeptLine(entry) + "\n";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(keptFsPath).parent_path(), error);
    return ReplaceFileAtomically(keptFsPath, keeping);
}

}  // namespace export_tool
