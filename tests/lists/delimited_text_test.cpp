#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/delimited_text.h"

using Cells = std::vector<std::string>;

namespace {

ListTable Parse(std::string_view text, char separator = ',') {
    ListTable table;
    ListError error;
    EXPECT_TRUE(ParseDelimited(text, separator, table, error)) << error.message;
    return table;
}

}  // namespace

TEST(DelimitedText, TheSeparatorThatSplitsRowsConsistentlyIsChosen) {
    EXPECT_EQ(DetectSeparator("氏名,所属\r\n山田,本社\r\n"), ',');
    EXPECT_EQ(DetectSeparator("氏名\t所属\r\n山田\t本社, 東京\r\n"), '\t');
    EXPECT_EQ(DetectSeparator("氏名;所属;肩書き\n山田;本社, 東京;部長\n佐藤;支社;課長\n"), ';');
    // Commas inside quotes do not count.
    EXPECT_EQ(DetectSeparator("氏名;所属\n\"山田, 太郎\";\"本社, 東京\"\n"), ';');
    // One column: no separator splits anything.
    EXPECT_EQ(DetectSeparator("山田\n佐藤\n"), ',');
    EXPECT_EQ(DetectSeparator(""), ',');
}

TEST(DelimitedText, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const ListTable table = Parse(
        "氏名,所属,メモ\r\n"
        "\"山田, 太郎\",\"営業部\r\n第一課\",\"彼は \"\"社長\"\" です\"\r\n"
        "佐藤,\"\",\"a\nb\"\r\n"
        "\"末尾\"\r\n");
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[1].cells, (Cells{"山田, 太郎", "営業部\r\n第一課", "彼は \"社長\" です"}));
    EXPECT_EQ(table.rows[2].cells, (Cells{"佐藤", "", "a\nb"}));
    EXPECT_EQ(table.rows[3].cells, (Cells{"末尾"}));
    // Lines count the breaks inside quotes.
    EXPECT_EQ(table.rows[1].line, 2u);
    EXPECT_EQ(table.rows[2].line, 4u);
    EXPECT_EQ(table.rows[3].line, 6u);
}

TEST(DelimitedText, LooseQuotesAreKeptAsWritten) {
    const ListTable table = Parse("a\"b,\"c\"d,\"\"\"\",\"e\"\"\"\n");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].cells, (Cells{"a\"b", "cd", "\"", "e\""}));
}

TEST(DelimitedText, RaggedRowsStayRaggedAndBlankRowsAreSkipped) {
    const ListTable table = Parse("a,b,c\n\n , ,\nd\r\re,f,g,h\n,,\n  \nlast");
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[0].cells.size(), 3u);
    EXPECT_EQ(table.rows[1].cells, Cells{"d"});
    EXPECT_EQ(table.rows[1].line, 4u);
    EXPECT_EQ(table.rows[2].cells.size(), 4u);
    EXPECT_EQ(table.rows[2].line, 6u);  // a lone CR ends a line too
    EXPECT_EQ(table.rows[3].cells, Cells{"last"});
    EXPECT_EQ(table.rows[3].line, 9u);
    EXPECT_EQ(table.Width(), 4u);
}

TEST(DelimitedText, AQuoteNeverClosedIsReportedWhereItOpens) {
    ListTable table;
    ListError error;
    EXPECT_FALSE(ParseDelimited("氏名,所属\n山田,\"本社\n東京\n", ',', table, error));
    EXPECT_EQ(error.line, 2u);
    EXPECT_EQ(error.column, 4u);
    EXPECT_EQ(error.Describe("list.csv"), "list.csv: 2 行 4 列: 引用符 (\") が閉じられていません");
}

TEST(DelimitedText, ProgressCanStopALongRead) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "山田 太郎,株式会社 山田商事,代表\r\n";
    ListTable table;
    ListError error;
    int calls = 0;
    EXPECT_FALSE(ParseDelimited(text, ',', table, error, [&](double share) {
        EXPECT_GT(share, 0.0);
        EXPECT_LE(share, 1.0);
        return ++calls < 2;
    }));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(error.message, "中止しました");
}

TEST(DelimitedText, RowsPastTheLastColumnOrTablesPastTheBudgetAreRefused) {
    EXPECT_EQ(Parse("a" + std::string(16383, ',')).Width(), 16384u);
    ListTable table;
    ListError error;
    EXPECT_FALSE(ParseDelimited("a\nb" + std::string(16384, ','), ',', table, error));
    EXPECT_EQ(error.Describe(""), "2 行 16385 列: 列が多すぎます (16384 列まで)");
    // 16,000 empty cells a row cost far more than their commas: 600 rows pass 256 MB.
    std::string rows;
    for (int i = 0; i < 600; ++i) rows += "a" + std::string(15999, ',') + "\n";
    EXPECT_FALSE(ParseDelimited(rows, ',', table, error));
    EXPECT_EQ(error.message, "表が大きすぎます (読み込むと 256 MB を超えます)");
    EXPECT_GT(error.line, 400u);
}
