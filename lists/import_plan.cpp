#include "lists/import_plan.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "lists/character_check.h"
#include "store/codec.h"
#include "store/exact_text.h"

namespace {

constexpr std::string_view kFullWidthSpace = "\u3000";
constexpr std::string_view kGeta = "\u3013";  // 〓, the mark for a character that cannot be shown

std::string Trimmed(std::string_view text) {
    auto blankAt = [&](std::size_t pos) {
        if (text[pos] == ' ' || text[pos] == '\t') return std::size_t{1};
        return text.compare(pos, kFullWidthSpace.size(), kFullWidthSpace) == 0 ? kFullWidthSpace.size() : 0;
    };
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t length = blankAt(begin);
        if (length == 0) break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        if (text[end - 1] == ' ' || text[end - 1] == '\t') {
            --end;
        } else if (end - begin >= kFullWidthSpace.size() &&
                   text.compare(end - kFullWidthSpace.size(), kFullWidthSpace.size(), kFullWidthSpace) == 0) {
            end -= kFullWidthSpace.size();
        } else {
            break;
        }
    }
    return std::string(text.substr(begin, end - begin));
}

// Line breaks (CR LF, CR, LF) become one space each. True when there was one.
bool FlattenLineBreaks(std::string& text) {
    if (text.find_first_of("\r\n") == std::string::npos) return false;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    text = std::move(out);
    return true;
}

std::string JoinNonEmpty(const std::string& first, const std::string& second) {
    if (first.empty()) return second;
    if (second.empty()) return first;
    return first + std::string(kFullWidthSpace) + second;
}

std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    std::size_t length = 1;
    while (pos + length < text.size() && (static_cast<unsigned char>(text[pos + length]) & 0xC0) == 0x80) ++length;
    return length;
}

// The first characters of text, whole characters, with "…" when some are left out.
std::string Abbreviated(std::string_view text, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t shown = 0; end < text.size() && shown < characters; ++shown) end += Utf8Length(text, end);
    return std::string(text.substr(0, end)) + (end < text.size() ? "…" : "");
}

// The width of the header: up to its last named column.
std::size_t HeaderWidth(const ListTable& table) {
    const std::vector<std::string>& header = table.rows.front().cells;
    std::size_t width = header.size();
    while (width > 0 && IsBlankCell(header[width - 1])) --width;
    return width;
}

// The cells of a row right of the header that no column takes, listed in a note: an unquoted
// separator in a name or a company pushes text there. Nothing when there are none.
std::optional<ImportNote> CellsLeftOut(const ListRow& row, std::size_t headerWidth, const ColumnMapping& mapping) {
    constexpr std::size_t kListedCells = 3, kShownCharacters = 20;
    ImportNote note{row.line, 0, "見出しより右のセルを取り込みませんでした:"};
    std::size_t count = 0;
    for (std::size_t c = headerWidth; c < row.cells.size(); ++c) {
        if (c < mapping.size() && mapping[c].kind != TargetKind::None) continue;
        std::string text = Trimmed(row.cells[c]);
        if (text.empty()) continue;
        if (count++ == 0) note.column = c + 1;
        if (count > kListedCells) continue;
        FlattenLineBreaks(text);
        note.message += "「" + Abbreviated(text, kShownCharacters) + "」";
    }
    if (count == 0) return std::nullopt;
    if (count > kListedCells) note.message += " ほか " + std::to_string(count - kListedCells) + " 個";
    return note;
}

struct RowTexts {
    std::vector<std::pair<std::string, std::string>> items;  // item, text; in column order
    std::array<std::string, 4> nameParts;                    // family, given, their readings

    void Add(const std::string& item, const std::string& text) {
        for (auto& entry : items) {
            if (entry.first == item) {
                entry.second = JoinNonEmpty(entry.second, text);
                return;
            }
        }
        items.emplace_back(item, text);
    }
    std::string* Find(const std::string& item) {
        for (auto& entry : items)
            if (entry.first == item) return &entry.second;
        return nullptr;
    }
};

// 「𠮷」(U+20BB7) for each character of bad, and why they are listed. A variation selector is
// no character of its own: the character before it is kept, only its shape needs the exact key.
std::string BeyondCp932(std::string_view bad) {
    std::string listed, shapes;
    for (std::size_t i = 0; i < bad.size();) {
        char32_t code = 0;
        const std::size_t length = std::max<std::size_t>(codec::DecodeUtf8(bad, i, code), 1);
        const bool selector = (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF);
        if (selector)
            shapes += (shapes.empty() ? "" : "・") + character_check::CodePoint(code);
        else
            listed += "「" + std::string(bad.substr(i, length)) + "」(" + character_check::CodePoint(code) + ")";
        i += length;
    }
    std::string why;
    if (!listed.empty()) why = listed + " はシフトJISにない文字です";
    if (!shapes.empty())
        why += (why.empty() ? "" : "。") + std::string("字形の指定 (") + shapes +
               ") はシフトJISにありません。字はシフトJISで保存し、字形は Unicode キーに残ります";
    return why;
}

// Each character of bad with a substitute replaced in text, and noted; the characters left.
std::string Substituted(std::string& text, const std::string& bad, const UnihanVariants& variants,
                        std::vector<ImportNote>& notes, ImportNote at) {
    std::string left;
    for (std::size_t i = 0; i < bad.size();) {
        char32_t code = 0;
        const std::size_t length = std::max<std::size_t>(codec::DecodeUtf8(bad, i, code), 1);
        const std::string character = bad.substr(i, length);
        i += length;
        const std::vector<std::string> substitutes = character_check::Substitutes(code, variants);
        if (substitutes.empty()) {
            left += character;
            continue;
        }
        for (std::size_t pos = text.find(character); pos != std::string::npos; pos = text.find(character, pos))
            text.replace(pos, character.size(), substitutes.front());
        at.message = BeyondCp932(character) + "。「" + substitutes.front() + "」にしました";
        notes.push_back(at);
    }
    return left;
}

}  // namespace

std::string FitCp932(std::string_view utf8, bool replace, std::string& bad) {
    bad.clear();
    std::string ignored;
    if (codec::Utf8ToCp932(utf8, ignored)) return std::string(utf8);
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = Utf8Length(utf8, i);
        const std::string_view character = utf8.substr(i, length);
        i += length;
        if (codec::Utf8ToCp932(character, ignored)) {
            out += character;
        } else {
            if (bad.find(character) == std::string::npos) bad += character;
            out += replace ? kGeta : character;
        }
    }
    return out;
}

ImportPlan PlanImport(const ListTable& table, const ImportOptions& options) {
    ImportPlan plan;
    std::map<std::string, std::size_t> people;  // 氏名 + 所属 → the line first seen
    const std::size_t first = options.hasHeader ? 1 : 0;
    const std::size_t headerWidth = options.hasHeader && !table.rows.empty() ? HeaderWidth(table) : 0;
    for (std::size_t r = first; r < table.rows.size(); ++r) {
        const ListRow& row = table.rows[r];
        ++plan.rowsRead;
        RowTexts texts;
        bool unencodable = false;
        for (std::size_t c = 0; c < options.mapping.size() && c < row.cells.size(); ++c) {
            const ColumnTarget& target = options.mapping[c];
            if (target.kind == TargetKind::None) continue;
            std::string text = Trimmed(row.cells[c]);
            if (FlattenLineBreaks(text))
                plan.notes.push_back({row.line, c + 1, "セル内の改行を空白にしました"});
            const bool reading = target.kind == TargetKind::FamilyReading || target.kind == TargetKind::GivenReading ||
                                 (target.kind == TargetKind::Item && target.item == "読み");
            if (reading) text = ConvertKana(text, options.readingKana);
            text = exact_text::Nfc(text);
            std::string bad;
            text = FitCp932(text, options.unencodable == UnencodablePolicy::Replace, bad);
            if (!bad.empty() && options.unencodable == UnencodablePolicy::Substitute && options.variants != nullptr)
                bad = Substituted(text, bad, *options.variants, plan.notes, {row.line, c + 1, {}});
            if (!bad.empty() && (options.unencodable == UnencodablePolicy::Keep || options.unencodable == UnencodablePolicy::Substitute)) {
                plan.notes.push_back({row.line, c + 1, BeyondCp932(bad) + "。そのまま保存します"});
            } else if (!bad.empty()) {
                unencodable = true;
                plan.unencodable.push_back({row.line, c + 1, BeyondCp932(bad)});
            }
            if (target.kind == TargetKind::Item) {
                texts.Add(target.item, text);
            } else {
                texts.nameParts[static_cast<std::size_t>(target.kind) - static_cast<std::size_t>(TargetKind::FamilyName)] =
                    text;
            }
        }
        if (unencodable && options.unencodable == UnencodablePolicy::SkipRow) {
            plan.skipped.push_back({row.line, 0, "名札に保存できない文字があります"});
            continue;
        }
        // Joined name parts fill 氏名 and 読み unless a column of their own did.
        const auto fillFromParts = [&texts](const std::string& item, const std::string& joined) {
            std::string* direct = texts.Find(item);
            if (direct == nullptr) texts.Add(item, joined);
            else if (direct->empty()) *direct = joined;
        };
        fillFromParts("氏名", JoinNonEmpty(texts.nameParts[0], texts.nameParts[1]));
        fillFromParts("読み", JoinNonEmpty(texts.nameParts[2], texts.nameParts[3]));
        texts.items.erase(std::remove_if(texts.items.begin(), texts.items.end(),
                                         [](const auto& entry) { return entry.second.empty(); }),
                          texts.items.end());
        if (texts.items.empty()) {
            plan.skipped.push_back({row.line, 0, "取り込む列が空です"});
            continue;
        }
        const std::string* fullName = texts.Find("氏名");
        const std::string* affiliation = texts.Find("所属");
        if (fullName != nullptr) {
            const std::string key = *fullName + '\x1F' + (affiliation != nullptr ? *affiliation : std::string());
            const auto [seen, inserted] = people.emplace(key, row.line);
            if (!inserted)
                plan.notes.push_back({row.line, 0, std::to_string(seen->second) + " 行と同じ人です (氏名と所属が同じ)"});
        }
        if (options.hasHeader) {
            if (auto leftOut = CellsLeftOut(row, headerWidth, options.mapping)) plan.notes.push_back(std::move(*leftOut));
        }
        plan.cards.push_back({row.line, std::move(texts.items)});
    }
    if (!plan.unencodable.empty() && options.unencodable == UnencodablePolicy::Refuse) {
        plan.refused = true;
        plan.cards.clear();
    }
    return plan;
}

std::vector<std::string> NewItems(const ColumnMapping& mapping, const std::vector<std::string>& items) {
    std::vector<std::string> added;
    for (const ColumnTarget& target : mapping) {
        if (target.kind != TargetKind::Item) continue;
        if (std::find(items.begin(), items.end(), target.item) != items.end()) continue;
        if (std::find(added.begin(), added.end(), target.item) != added.end()) continue;
        added.push_back(target.item);
    }
    return added;
}

std::string DescribeNote(const ImportNote& note) {
    std::string text = std::to_string(note.line) + " 行";
    if (note.column > 0) text += " " + std::to_string(note.column) + " 列";
    return text + ": " + note.message;
}
