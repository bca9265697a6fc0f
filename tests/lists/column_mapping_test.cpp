#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/column_mapping.h"

namespace {

const std::vector<std::string> kItems = {"氏名", "肩書き", "所属", "読み", "その他1", "その他2", "その他3", "その他4",
                                         "会員番号", "Email"};

ColumnTarget Item(std::string name) { return {TargetKind::Item, std::move(name)}; }

}  // namespace

TEST(ColumnMapping, HeadersMatchItemsAndTheirSynonyms) {
    const std::vector<std::pair<std::string, ColumnTarget>> cases = {
        {"氏名", Item("氏名")},         {"お名前", Item("氏名")},        {"フルネーム", Item("氏名")},
        {"Name", Item("氏名")},         {"ＮＡＭＥ", Item("氏名")},      {" Full Name ", Item("氏名")},
        {"ふりがな", Item("読み")},     {"フリガナ", Item("読み")},      {"ﾌﾘｶﾞﾅ", Item("読み")},
        {"カナ", Item("読み")},         {"肩書", Item("肩書き")},        {"役職", Item("肩書き")},
        {"Title", Item("肩書き")},      {"会社名", Item("所属")},        {"団体名", Item("所属")},
        {"学校", Item("所属")},         {"部署", Item("所属")},          {"その他１", Item("その他1")},
        {"会員番号", Item("会員番号")}, {"email", Item("Email")},        {"姓", {TargetKind::FamilyName, ""}},
        {"名", {TargetKind::GivenName, ""}}, {"Last Name", {TargetKind::FamilyName, ""}},
        {"セイ", {TargetKind::FamilyReading, ""}}, {"姓（フリガナ）", {TargetKind::FamilyReading, ""}},
        {"名(ふりがな)", {TargetKind::GivenReading, ""}}, {"メイ", {TargetKind::GivenReading, ""}},
        {"種別", Item("区分")}, {"参加区分", Item("区分")}, {"Category", Item("区分")},
        {"備考", {}}, {"", {}}, {"No.", {}},
    };
    for (const auto& [header, target] : cases) EXPECT_EQ(MatchHeader(header, kItems), target) << header;
}

TEST(ColumnMapping, AGuessGivesEachTargetOnceAndNeedsOneKnownHeader) {
    const HeaderGuess guess = GuessMapping({"No.", "名前", "氏名", "よみ", "備考"}, 6, kItems);
    EXPECT_TRUE(guess.hasHeader);
    EXPECT_EQ(guess.mapping, (ColumnMapping{{}, Item("氏名"), {}, Item("読み"), {}, {}}));
    const HeaderGuess none = GuessMapping({"山田 太郎", "本社"}, 2, kItems);
    EXPECT_FALSE(none.hasHeader);
    EXPECT_EQ(none.mapping, ColumnMapping(2));
}

TEST(ColumnMapping, LabelsNameTargetsBothWays) {
    for (const ColumnTarget& target : {ColumnTarget{}, Item("所属"), Item("新しい項目"), ColumnTarget{TargetKind::FamilyName, ""},
                                       ColumnTarget{TargetKind::GivenName, ""}, ColumnTarget{TargetKind::FamilyReading, ""},
                                       ColumnTarget{TargetKind::GivenReading, ""}})
        EXPECT_EQ(TargetFromLabel(TargetLabel(target)), target) << TargetLabel(target);
}

TEST(ColumnMapping, ColumnsAreNamedByHeaderNumberOrLetter) {
    const std::vector<std::string> header = {"氏名", "会社", "12"};
    EXPECT_EQ(FindColumn("会社", header, true, 3), 1u);
    EXPECT_EQ(FindColumn("12", header, true, 3), 2u);  // the header wins over the number
    EXPECT_EQ(FindColumn("2", header, true, 3), 1u);
    EXPECT_EQ(FindColumn("C", header, true, 3), 2u);
    EXPECT_EQ(FindColumn("c", header, false, 3), 2u);
    EXPECT_EQ(FindColumn("会社", header, false, 3), std::nullopt);
    EXPECT_EQ(FindColumn("4", header, true, 3), std::nullopt);
    EXPECT_EQ(FindColumn("0", header, true, 3), std::nullopt);
    EXPECT_EQ(FindColumn("AA", header, true, 30), 26u);
    EXPECT_EQ(FindColumn("99999999999999999999", header, true, 3), std::nullopt);
}
