#include "lists/column_mapping.h"

#include <algorithm>
#include <array>
#include <utility>

#include "lists/kana.h"

namespace {

// Header text reduced for comparison: compatibility form, ASCII lower case, without spaces,
// brackets, dots and dashes.
std::string Reduced(std::string_view text) {
    const std::string compatible = CompatibilityForm(text);
    std::string out;
    for (std::size_t i = 0; i < compatible.size(); ++i) {
        const char c = compatible[i];
        if (c == ' ' || c == '\t' || c == '(' || c == ')' || c == '[' || c == ']' || c == '_' || c == '-' ||
            c == '.' || c == ':' || c == '/')
            continue;
        if (compatible.compare(i, 3, "【") == 0 || compatible.compare(i, 3, "】") == 0 ||
            compatible.compare(i, 3, "・") == 0 || compatible.compare(i, 3, "「") == 0 ||
            compatible.compare(i, 3, "」") == 0) {
            i += 2;
            continue;
        }
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    return out;
}

// Views rather than a ColumnTarget, so that the table holds no strings to copy.
struct Synonyms {
    TargetKind kind;
    std::string_view item;
    std::vector<std::string_view> names;  // in reduced form
};

const std::vector<Synonyms>& SynonymTable() {
    static const std::vector<Synonyms> table = {
        {TargetKind::Item, "氏名",
         {"氏名", "名前", "お名前", "フルネーム", "name", "fullname", "参加者名", "参加者氏名", "氏名漢字", "おなまえ"}},
        {TargetKind::Item, "読み",
         {"読み", "よみ", "ヨミ", "ふりがな", "フリガナ", "かな", "カナ", "よみがな", "読みがな", "ヨミガナ",
          "氏名ふりがな", "氏名フリガナ", "氏名かな", "氏名カナ", "氏名読み", "氏名よみ", "reading", "kana",
          "furigana"}},
        {TargetKind::Item, "肩書き", {"肩書き", "肩書", "役職", "役職名", "職名", "職位", "title", "jobtitle"}},
        {TargetKind::Item, "所属",
         {"所属", "所属先", "所属名", "会社", "会社名", "団体", "団体名", "学校", "学校名", "部署", "部署名", "組織",
          "組織名", "company", "organization", "organisation", "affiliation"}},
        // A kind of person (来賓, スタッフ …): a user-defined item, made by the import when missing.
        {TargetKind::Item, "区分",
         {"区分", "種別", "参加区分", "参加種別", "分類", "カテゴリ", "カテゴリー", "category", "attendeetype"}},
        {TargetKind::FamilyName, "", {"姓", "苗字", "名字", "lastname", "familyname", "surname"}},
        {TargetKind::GivenName, "", {"名", "下の名前", "firstname", "givenname"}},
        {TargetKind::FamilyReading, "",
         {"せい", "セイ", "姓ふりがな", "姓フリガナ", "姓よみ", "姓読み", "姓かな", "姓カナ", "ふりがな姓",
          "フリガナ姓", "lastnamekana", "familynamekana"}},
        {TargetKind::GivenReading, "",
         {"めい", "メイ", "名ふりがな", "名フリガナ", "名よみ", "名読み", "名かな", "名カナ", "ふりがな名",
          "フリガナ名", "firstnamekana", "givennamekana"}},
    };
    return table;
}

std::size_t LetterColumn(std::string_view name) {
    std::size_t column = 0;
    for (const char c : name) {
        const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
        if (upper < 'A' || upper > 'Z') return 0;
        column = column * 26 + static_cast<std::size_t>(upper - 'A' + 1);
    }
    return column;
}

}  // namespace

ColumnTarget MatchHeader(std::string_view header, const std::vector<std::string>& items) {
    // No item name or synonym is nearly as long; a huge first cell is not reduced for nothing.
    constexpr std::size_t kLongestHeader = 1024;
    if (header.size() > kLongestHeader) return {};
    const std::string reduced = Reduced(header);
    if (reduced.empty()) return {};
    for (const std::string& item : items)
        if (Reduced(item) == reduced) return {TargetKind::Item, item};
    for (const Synonyms& entry : SynonymTable())
        if (std::find(entry.names.begin(), entry.names.end(), reduced) != entry.names.end())
            return {entry.kind, std::string(entry.item)};
    return {};
}

HeaderGuess GuessMapping(const std::vector<std::string>& firstRow, std::size_t width,
                         const std::vector<std::string>& items) {
    HeaderGuess guess;
    guess.mapping.resize(width);
    for (std::size_t c = 0; c < firstRow.size() && c < width; ++c) {
        const ColumnTarget target = MatchHeader(firstRow[c], items);
        if (target.kind == TargetKind::None) continue;
        guess.hasHeader = true;
        if (std::find(guess.mapping.begin(), guess.mapping.end(), target) == guess.mapping.end())
            guess.mapping[c] = target;
    }
    return guess;
}

std::string TargetLabel(const ColumnTarget& target) {
    switch (target.kind) {
        case TargetKind::None: return "";
        case TargetKind::Item: return target.item;
        case TargetKind::FamilyName: return "姓";
        case TargetKind::GivenName: return "名";
        case TargetKind::FamilyReading: return "姓の読み";
        case TargetKind::GivenReading: return "名の読み";
    }
    return "";
}

ColumnTarget TargetFromLabel(std::string_view label) {
    constexpr std::array<std::pair<std::string_view, TargetKind>, 4> kNamed = {{
        {"姓", TargetKind::FamilyName},
        {"名", TargetKind::GivenName},
        {"姓の読み", TargetKind::FamilyReading},
        {"名の読み", TargetKind::GivenReading},
    }};
    if (label.empty()) return {};
    for (const auto& [name, kind] : kNamed)
        if (label == name) return {kind, ""};
    return {TargetKind::Item, std::string(label)};
}

std::optional<std::size_t> FindColumn(std::string_view column, const std::vector<std::string>& header,
                                      bool hasHeader, std::size_t width) {
    if (hasHeader) {
        for (std::size_t c = 0; c < header.size(); ++c)
            if (header[c] == column) return c;
    }
    std::size_t number = 0;
    const bool digits = !column.empty() && column.find_first_not_of("0123456789") == std::string_view::npos;
    if (digits && column.size() < 6) number = static_cast<std::size_t>(std::stoul(std::string(column)));
    else if (column.size() <= 3) number = LetterColumn(column);
    if (number == 0 || number > width) return std::nullopt;
    return number - 1;
}
