#include "export/proof_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

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

namespace export_tool {

namespace {

// A4 in hundredths of an inch, and the rows of the list.
constexpr std::int32_t kPageWidth = 827, kPageHeight = 1169;
constexpr std::int32_t kMargin = 50, kHeader = 60, kRowHeight = 105;
constexpr std::int32_t kRowsPerPage = (kPageHeight - 2 * kMargin - kHeader) / kRowHeight;
constexpr std::int32_t kNameEm = 36, kTextEm = 14, kNoteEm = 11;
constexpr ColorRef kNoteColor = Rgb(200, 0, 0);
const char* const kFieldNames[] = {"氏名", "読み", "ローマ字", "所属", "肩書き"};

std::string Exact(const std::string& utf8) {
    std::string exact;
    exact_text::FromUtf8(utf8, exact);
    return exact;
}

// The fields of an entry in the order of kFieldNames.
template <typename Entry>
auto Fields(Entry& entry) {
    return std::array{&entry.name, &entry.reading, &entry.latin, &entry.affiliation, &entry.title};
}

// A line of text from (x, y) down to the right margin: a longer one is condensed to fit.
void Text(Surface& surface, std::int32_t em, std::int32_t x, std::int32_t y, const std::string& exact, ColorRef color = 0) {
    LogFont font = DefaultItemFont();
    font.lfHeight = -em;
    surface.SetFont(font);
    surface.SetTextColor(color);
    const std::int32_t room = kPageWidth - kMargin - x;
    const std::int32_t width = surface.MeasureText(exact).width;
    if (width > room && room > 0) surface.SetTextScale(static_cast<std::int32_t>(std::int64_t{room} * 100 / width));
    surface.DrawText(x, -y, exact);
    surface.SetTextScale(100);
}

// One line of the kept proof: the card and its fields, tab-separated UTF-8.
std::string KeptLine(const ProofEntry& entry) {
    std::string line = entry.card;
    for (const std::string* field : Fields(entry)) line += "\t" + exact_text::ToUtf8(*field);
    return line;
}

}  // namespace

Proof MakeProof(ViewState& view, Surface& measuring, const std::string& latinItem) {
    Proof proof;
    const RecordProfile& record = *view.record;
    const cards::RecordCards cards(ProfileFile::AtStoredPath(record.Path()).FsPath(), ItemList(view.userItems));
    const std::vector<character_check::Finding> findings =
        character_check::Check(cards, character_check::AnyFaceDraws, UnihanVariants::Installed());
    view.slotPrefix = record.ReadString("#Setting#", "Label", "1");
    const std::string items[] = {codec::Sjis("氏名"), codec::Sjis("読み"), latinItem, codec::Sjis("所属"),
                                 codec::Sjis("肩書き")};
    for (const std::string& section : ViewCardList(view)) {
        ProofEntry entry;
        entry.card = section;
        const auto fields = Fields(entry);
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!items[i].empty()) *fields[i] = exact_text::Read(record, section, items[i]);
        entry.honorific = record.ReadString(section, ItemKey(view.slotPrefix, items[0], "Honorific"), "");
        const CardValue card = ReadCard(view, section);
        const std::vector<ItemBox> boxes = DrawnItemBoxes(view, measuring, card);
        for (const ItemBox& box : boxes)
            if (box.scale < 100) entry.notes.push_back(codec::Utf8(box.item) + " 長体 " + std::to_string(box.scale) + " %");
        for (std::string& note : LegibilityNotes(card, boxes, FaceHasGlyph)) entry.notes.push_back(std::move(note));
        for (const character_check::Finding& finding : findings) {
            if (CardSectionName(finding.card) != section) continue;
            std::string note = codec::Utf8(finding.item) + " 「" + finding.character + "」" + character_check::CodePoint(finding.code) +
                               " " + character_check::KindWords(finding.kinds);
            if (!finding.substitutes.empty()) note += "（候補 " + finding.substitutes.front() + "）";
            entry.notes.push_back(note);
        }
        proof.entries.push_back(std::move(entry));
    }
    return proof;
}

std::string KeptProofPath(const std::string& recordStoredPath) {
    const std::size_t hash = std::hash<std::string>{}(recordStoredPath);
    std::ostringstream name;
    name << std::hex << hash;
    return locations::DataFolder() + "/proofs/" + name.str() + ".tsv";
}

void CompareWithKept(Proof& proof, const std::string& keptFsPath) {
    std::map<std::string, std::vector<std::string>> kept;
    std::ifstream in(keptFsPath);
    const bool hadProof = static_cast<bool>(in);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
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

std::int32_t ProofPageCount(const Proof& proof) {
    const std::size_t rows = proof.entries.size() + (proof.gone.empty() ? 0 : 1);
    return std::max<std::int32_t>(1, static_cast<std::int32_t>((rows + kRowsPerPage - 1) / kRowsPerPage));
}

PageDrawer ProofPages(const Proof& proof, const std::string& title, const std::string& date) {
    return [&proof, title, date](Surface& surface, std::int32_t page) {
        surface.BeginPage(page);
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        surface.SetPen({PenStyle::Solid, 0, 0});
        const std::int32_t pages = ProofPageCount(proof);
        Text(surface, kTextEm, kMargin, kMargin,
             Exact("校正一覧　" + title + "　" + date + "　" + std::to_string(page) + " / " + std::to_string(pages) + " ページ"));
        surface.DrawLine(kMargin, -(kMargin + kHeader - 10), kPageWidth - kMargin, -(kMargin + kHeader - 10));
        const std::size_t first = static_cast<std::size_t>(page - 1) * kRowsPerPage;
        for (std::size_t row = 0; row < static_cast<std::size_t>(kRowsPerPage); ++row) {
            const std::int32_t top = kMargin + kHeader + static_cast<std::int32_t>(row) * kRowHeight;
            const std::size_t index = first + row;
            if (index == proof.entries.size() && !proof.gone.empty()) {
                std::int32_t y = top;
                for (const std::string& line : proof.gone) Text(surface, kNoteEm, kMargin, y += kNoteEm + 4, Exact(line), kNoteColor);
                break;
            }
            if (index >= proof.entries.size()) break;
            const ProofEntry& entry = proof.entries[index];
            Text(surface, kTextEm, kMargin, top + 4, entry.card);
            Text(surface, kTextEm, kMargin + 70, top, entry.reading);
            Text(surface, kNameEm, kMargin + 70, top + kTextEm + 4,
                 entry.honorific.empty() ? entry.name : entry.name + codec::Sjis("　") + entry.honorific);
            const std::int32_t right = kPageWidth / 2 + 40;
            Text(surface, kTextEm, right, top, entry.affiliation);
            Text(surface, kTextEm, right, top + kTextEm + 6, entry.title);
            Text(surface, kTextEm, right, top + 2 * (kTextEm + 6), entry.latin);
            std::string notes;
            for (const std::string& note : entry.notes) notes += (notes.empty() ? "" : "　") + note;
            Text(surface, kNoteEm, kMargin + 70, top + kTextEm + kNameEm + 14, Exact(notes), kNoteColor);
            surface.DrawLine(kMargin, -(top + kRowHeight - 8), kPageWidth - kMargin, -(top + kRowHeight - 8));
        }
    };
}

}  // namespace export_tool
