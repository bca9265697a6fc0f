#include "sheets/maker_names.h"

namespace sheets {
namespace {

struct MakerName {
    const char* latin;     // lower case, as the search compares
    const char* katakana;  // as the maker writes itself in Japan
};

// The makers of label sheets sold in Japan, and the catalogue's makers that are known there.
// A maker with two usual spellings has two rows.
constexpr MakerName kMakerNames[] = {
    {"hisago", "ヒサゴ"},       {"a-one", "エーワン"},     {"kokuyo", "コクヨ"},     {"elecom", "エレコム"},
    {"avery", "エイブリィ"},    {"avery", "エイブリー"},   {"brother", "ブラザー"},  {"sanwa", "サンワサプライ"},
    {"plus", "プラス"},         {"nakabayashi", "ナカバヤシ"}, {"epson", "エプソン"}, {"canon", "キヤノン"},
    {"canon", "キャノン"},      {"dymo", "ダイモ"},        {"herma", "ヘルマ"},      {"zweckform", "ツヴェックフォルム"},
    {"king jim", "キングジム"}, {"casio", "カシオ"},       {"maxell", "マクセル"},   {"lion", "ライオン事務器"},
};

bool StartsWith(std::string_view text, std::string_view start) {
    return !start.empty() && text.substr(0, start.size()) == start;
}

// Hiragana (U+3041 to U+3096, three bytes in UTF-8) as the katakana 0x60 code points above.
std::string HiraganaAsKatakana(std::string_view word) {
    std::string katakana(word);
    for (std::size_t i = 0; i + 2 < katakana.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(katakana[i]);
        if (lead != 0xE3) continue;
        const unsigned code = 0x3000u | ((static_cast<unsigned char>(katakana[i + 1]) & 0x3Fu) << 6) |
                              (static_cast<unsigned char>(katakana[i + 2]) & 0x3Fu);
        if (code >= 0x3041 && code <= 0x3096) {
            const unsigned shifted = code + 0x60;
            katakana[i + 1] = static_cast<char>(0x80 | ((shifted >> 6) & 0x3F));
            katakana[i + 2] = static_cast<char>(0x80 | (shifted & 0x3F));
        }
        i += 2;
    }
    return katakana;
}

}  // namespace

std::vector<std::string> MakerNameVariants(std::string_view word) {
    const std::string katakana = HiraganaAsKatakana(word);
    std::vector<std::string> variants;
    for (const MakerName& name : kMakerNames) {
        if (StartsWith(name.katakana, katakana)) variants.emplace_back(name.latin);
        if (StartsWith(name.latin, word)) variants.emplace_back(name.katakana);
    }
    return variants;
}

}  // namespace sheets
