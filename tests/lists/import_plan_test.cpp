#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/import_plan.h"
#include "lists/unihan_variants.h"

using Texts = std::vector<std::pair<std::string, std::string>>;

namespace {

ListTable Table(std::vector<std::vector<std::string>> rows) {
    ListTable table;
    std::size_t line = 1;
    for (auto& cells : rows) table.rows.push_back({line++, std::move(cells)});
    return table;
}

ColumnTarget Item(std::string name) { return {TargetKind::Item, std::move(name)}; }

std::vector<std::string> Messages(const std::vector<ImportNote>& notes) {
    std::vector<std::string> out;
    for (const ImportNote& note : notes) out.push_back(DescribeNote(note));
    return out;
}

}  // namespace

TEST(ImportPlan, MappedCellsBecomeTrimmedItemTextsInColumnOrder) {
    ImportOptions options;
    options.mapping = {Item("所属"), Item("氏名"), {}, Item("新項目")};
    const ImportPlan plan = PlanImport(Table({{"会社", "名前", "備考", "新"},
                                              {" 本社 ", "　山田　太郎　", "無視", "x"},
                                              {"支社", "佐藤"}}),
                                       options);
    EXPECT_EQ(plan.rowsRead, 2u);
    ASSERT_EQ(plan.cards.size(), 2u);
    EXPECT_EQ(plan.cards[0].line, 2u);
    EXPECT_EQ(plan.cards[0].texts, (Texts{{"所属", "本社"}, {"氏名", "山田　太郎"}, {"新項目", "x"}}));
    EXPECT_EQ(plan.cards[1].texts, (Texts{{"所属", "支社"}, {"氏名", "佐藤"}}));
    EXPECT_TRUE(plan.skipped.empty());
    EXPECT_EQ(NewItems(options.mapping, {"氏名", "所属"}), std::vector<std::string>{"新項目"});
}

TEST(ImportPlan, FamilyAndGivenNamesJoinWithAFullWidthSpace) {
    ImportOptions options;
    options.hasHeader = false;
    options.mapping = {{TargetKind::FamilyName, ""}, {TargetKind::GivenName, ""}, {TargetKind::FamilyReading, ""},
                       {TargetKind::GivenReading, ""}};
    const ImportPlan plan = PlanImport(Table({{"高橋", "健", "たかはし", "けん"}, {"伊藤", "", "", "みさき"}}), options);
    ASSERT_EQ(plan.cards.size(), 2u);
    EXPECT_EQ(plan.cards[0].texts, (Texts{{"氏名", "高橋　健"}, {"読み", "たかはし　けん"}}));
    EXPECT_EQ(plan.cards[1].texts, (Texts{{"氏名", "伊藤"}, {"読み", "みさき"}}));
}

TEST(ImportPlan, ReadingsCanBeTurnedIntoHiraganaOrKatakana) {
    ImportOptions options;
    options.hasHeader = false;
    options.mapping = {Item("氏名"), Item("読み"), {TargetKind::GivenReading, ""}};
    const ListTable table = Table({{"ヤマダ", "ヤマダ ﾀﾛｳ", ""}, {"やまだ", "", "ばいおりん"}});
    options.readingKana = ReadingKana::Hiragana;
    ImportPlan plan = PlanImport(table, options);
    ASSERT_EQ(plan.cards.size(), 2u);
    EXPECT_EQ(plan.cards[0].texts, (Texts{{"氏名", "ヤマダ"}, {"読み", "やまだ たろう"}}));  // 氏名 untouched
    options.readingKana = ReadingKana::Katakana;
    plan = PlanImport(table, options);
    ASSERT_EQ(plan.cards.size(), 2u);
    EXPECT_EQ(plan.cards[0].texts[1].second, "ヤマダ タロウ");
    EXPECT_EQ(plan.cards[1].texts, (Texts{{"氏名", "やまだ"}, {"読み", "バイオリン"}}));
}

TEST(ImportPlan, TextBeyondCodePage932IsKeptRefusedSkippedOrReplaced) {
    ImportOptions options;
    options.hasHeader = false;
    options.mapping = {Item("氏名"), Item("所属")};
    // か with a combining dakuten is が, which code page 932 holds.
    const ListTable table = Table({{"𠮷田", "😀会😀"}, {"山田", "\u304B\u3099本社"}, {"髙橋〜", "−"}});
    ImportPlan plan = PlanImport(table, options);
    ASSERT_EQ(plan.cards.size(), 3u);
    EXPECT_EQ(plan.cards[0].texts, (Texts{{"氏名", "𠮷田"}, {"所属", "😀会😀"}}));
    EXPECT_EQ(plan.cards[1].texts[1].second, "が本社");
    EXPECT_EQ(Messages(plan.notes), (std::vector<std::string>{"1 行 1 列: 「𠮷」(U+20BB7) はシフトJISにない文字です。そのまま保存します",
                                                              "1 行 2 列: 「😀」(U+1F600) はシフトJISにない文字です。そのまま保存します"}));

    const UnihanVariants variants = UnihanVariants::FromText("U+20BB7\tkSpoofingVariant\tU+5409\n");
    options.unencodable = UnencodablePolicy::Substitute;
    options.variants = &variants;
    plan = PlanImport(table, options);
    EXPECT_EQ(plan.cards[0].texts, (Texts{{"氏名", "吉田"}, {"所属", "😀会😀"}}));  // 😀 has no substitute: kept
    EXPECT_EQ(Messages(plan.notes)[0], "1 行 1 列: 「𠮷」(U+20BB7) はシフトJISにない文字です。「吉」にしました");

    options.unencodable = UnencodablePolicy::Refuse;
    plan = PlanImport(table, options);
    EXPECT_TRUE(plan.refused);
    EXPECT_TRUE(plan.cards.empty());
    EXPECT_EQ(plan.unencodable.size(), 2u);

    options.unencodable = UnencodablePolicy::SkipRow;
    plan = PlanImport(table, options);
    EXPECT_FALSE(plan.refused);
    ASSERT_EQ(plan.cards.size(), 2u);
    EXPECT_EQ(Messages(plan.skipped), std::vector<std::string>{"1 行: 名札に保存できない文字があります"});
    // Characters other systems write for code page 932's own (〜 for ～, − for －) are kept.
    EXPECT_EQ(plan.cards[1].texts, (Texts{{"氏名", "髙橋〜"}, {"所属", "−"}}));

    options.unencodable = UnencodablePolicy::Replace;
    plan = PlanImport(table, options);
    ASSERT_EQ(plan.cards.size(), 3u);
    EXPECT_EQ(plan.cards[0].texts, (Texts{{"氏名", "〓田"}, {"所属", "〓会〓"}}));
    EXPECT_EQ(plan.unencodable.size(), 2u);
}

// 葛 with a variation selector: the character is code page 932's and is kept; only its shape
// needs the exact key, and the note says so rather than calling a character missing.
TEST(ImportPlan, AVariationSelectorIsNotedAsAShapeOnly) {
    ImportOptions options;
    options.hasHeader = false;
    options.mapping = {Item("氏名")};
    const ImportPlan plan = PlanImport(Table({{"葛\U000E0100西"}}), options);
    ASSERT_EQ(plan.cards.size(), 1u);
    EXPECT_EQ(Messages(plan.notes),
              std::vector<std::string>{"1 行 1 列: 字形の指定 (U+E0100) はシフトJISにありません。字はシフトJISで保存し、字形は Unicode "
                                       "キーに残ります。そのまま保存します"});
}

TEST(ImportPlan, LineBreaksEmptyRowsAndDuplicatesAreReported) {
    ImportOptions options;
    options.mapping = {Item("氏名"), Item("所属"), {}};
    const ImportPlan plan = PlanImport(Table({{"氏名", "所属", "備考"},
                                              {"山田", "営業部\r\n第一課"},
                                              {"", "", "メモだけ"},
                                              {"佐藤", "本社"},
                                              {"山田", "営業部\n第一課"},
                                              {"佐藤", "支社"}}),
                                       options);
    EXPECT_EQ(plan.rowsRead, 5u);
    ASSERT_EQ(plan.cards.size(), 4u);
    EXPECT_EQ(plan.cards[0].texts[1].second, "営業部 第一課");
    EXPECT_EQ(Messages(plan.skipped), std::vector<std::string>{"3 行: 取り込む列が空です"});
    EXPECT_EQ(Messages(plan.notes), (std::vector<std::string>{"2 行 2 列: セル内の改行を空白にしました",
                                                              "5 行 2 列: セル内の改行を空白にしました",
                                                              "5 行: 2 行と同じ人です (氏名と所属が同じ)"}));
}

TEST(ImportPlan, CellsRightOfTheHeaderThatNoColumnTakesAreReported) {
    ImportOptions options;
    options.mapping = {Item("氏名"), Item("所属"), {}, {}, {}, {}, Item("備考")};
    const ImportPlan plan = PlanImport(Table({{"氏名", "所属", " "},
                                              {"山田太郎", "ABC", " Inc."},
                                              {"佐藤", "本社", "", " "},
                                              {"鈴木", "", "a", "𠮷田さんの会社のとても長い名前の部署のさらに下", "b\nc", "d", "備考"}}),
                                       options);
    ASSERT_EQ(plan.cards.size(), 3u);
    EXPECT_EQ(Messages(plan.notes),
              (std::vector<std::string>{"2 行 3 列: 見出しより右のセルを取り込みませんでした:「Inc.」",
                                        "4 行 3 列: 見出しより右のセルを取り込みませんでした:"
                                        "「a」「𠮷田さんの会社のとても長い名前の部署のさ…」「b c」 ほか 1 個"}));
    options.mapping = {Item("氏名"), {}};
    EXPECT_EQ(Messages(PlanImport(Table({{"氏名"}, {"山田", " 太郎"}}), options).notes),
              std::vector<std::string>{"2 行 2 列: 見出しより右のセルを取り込みませんでした:「太郎」"});
    options.hasHeader = false;
    EXPECT_TRUE(PlanImport(Table({{"佐藤"}, {"山田", " 太郎"}}), options).notes.empty());
}
