// Lists written by other programs (see make_fixtures.py), read as the import reads them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "lists/list_file.h"
#include "tests/support/temp_home.h"

using Cells = std::vector<std::string>;

namespace {

std::string Fixture(const std::string& name) { return std::string(ZULNAME_LIST_FIXTURES) + "/" + name; }

ListFile Read(const std::string& name, ListReadOptions options = {}) {
    ListFile list;
    ListError error;
    EXPECT_TRUE(ReadListFile(Fixture(name), options, list, error)) << name << ": " << error.Describe(name);
    return list;
}

std::string Refusal(const std::string& path, ListReadOptions options = {}) {
    ListFile list;
    ListError error;
    EXPECT_FALSE(ReadListFile(path, options, list, error)) << path;
    return error.message;
}

}  // namespace

TEST(ListFile, TextListsInEveryEncodingReadTheSame) {
    const std::vector<std::pair<std::string, TextEncoding>> files = {
        {"utf8.csv", TextEncoding::Utf8},           {"utf8-bom.csv", TextEncoding::Utf8Bom},
        {"cp932.csv", TextEncoding::Cp932},         {"semicolon.csv", TextEncoding::Utf8},
        {"unicode-text.txt", TextEncoding::Utf16Le}, {"utf16be.csv", TextEncoding::Utf16Be},
    };
    for (const auto& [name, encoding] : files) {
        SCOPED_TRACE(name);
        const ListFile list = Read(name);
        EXPECT_EQ(list.encoding, encoding);
        EXPECT_FALSE(list.encodingAmbiguous);
        EXPECT_EQ(list.format, name == "unicode-text.txt" ? ListFormat::Tsv : ListFormat::Csv);
        ASSERT_EQ(list.table.rows.size(), 4u);
        EXPECT_EQ(list.table.rows[0].cells, (Cells{"氏名", "フリガナ", "会社名", "役職", "会員番号"}));
        EXPECT_EQ(list.table.rows[1].cells, (Cells{"山田　太郎", "ヤマダ　タロウ", "山田商事, 本社", "代表取締役", "00123"}));
        EXPECT_EQ(list.table.rows[2].cells[2], "営業部\n第一課");
        EXPECT_EQ(list.table.rows[3].cells[0], "鈴木 \"ジロー\" 次郎");
        EXPECT_EQ(list.table.rows[3].line, 5u);  // after the line break inside row 3
    }
}

TEST(ListFile, AChosenEncodingOverridesTheDetectedOne) {
    ListReadOptions options;
    options.encoding = TextEncoding::Utf8;
    EXPECT_NE(Refusal(Fixture("cp932.csv"), options).find("UTF-8 として読めない"), std::string::npos);
    options.encoding = TextEncoding::Cp932;
    EXPECT_EQ(Read("cp932.csv", options).table.rows[1].cells[0], "山田　太郎");
}

TEST(ListFile, ExcelWorkbooksShowCellsAsTheSpreadsheetDoes) {
    const ListFile list = Read("people.xlsx");
    EXPECT_EQ(list.format, ListFormat::Xlsx);
    EXPECT_EQ(list.sheetNames, (Cells{"参加者", "スタッフ"}));
    EXPECT_EQ(list.sheet, "参加者");
    ASSERT_EQ(list.table.rows.size(), 6u);
    EXPECT_EQ(list.table.rows[1].cells,
              (Cells{"山田　太郎", "ヤマダ　タロウ", "山田商事, 本社", "代表取締役", "00123", "2", "1.50", "2026/4/1", "007"}));
    EXPECT_EQ(list.table.rows[2].cells[2], "営業部\n第一課");
    EXPECT_EQ(list.table.rows[4].cells[0], "𠮷田 一郎");
    EXPECT_EQ(list.table.rows[4].cells[6], "2,500.00");
    EXPECT_EQ(list.table.rows[4].cells[7], "2026/12/24");
    // The blank row 6 is skipped; the last row keeps its row number.
    EXPECT_EQ(list.table.rows[5].line, 7u);
    EXPECT_EQ(list.table.rows[5].cells, Cells{"末尾 行"});
}

TEST(ListFile, SharedStringsLeaveOutPhoneticRunsAndInlineStringsAreUnescaped) {
    const ListFile list = Read("phonetic.xlsx");
    ASSERT_EQ(list.table.rows.size(), 6u);
    EXPECT_EQ(list.table.rows[1].cells[3], "代表取締役");
    EXPECT_EQ(list.table.rows[1].cells[4], "00123");
    EXPECT_EQ(list.table.rows[5].cells[0], "末尾_x\r行");
}

TEST(ListFile, AChosenSheetIsRead) {
    ListReadOptions options;
    options.sheet = "スタッフ";
    const ListFile list = Read("people.xlsx", options);
    EXPECT_EQ(list.sheet, "スタッフ");
    ASSERT_EQ(list.table.rows.size(), 2u);
    EXPECT_EQ(list.table.rows[1].cells, (Cells{"受付 係", "実行委員会"}));
    options.sheet = "ない";
    EXPECT_EQ(Refusal(Fixture("people.xlsx"), options), "シート「ない」がありません");
    EXPECT_EQ(Refusal(Fixture("people.ods"), options), "シート「ない」がありません");
}

TEST(ListFile, OpenDocumentSpreadsheetsExpandRepeatsAndKeepShownText) {
    const ListFile list = Read("people.ods");
    EXPECT_EQ(list.format, ListFormat::Ods);
    EXPECT_EQ(list.sheetNames, (Cells{"名簿", "控え"}));
    ASSERT_EQ(list.table.rows.size(), 4u);
    EXPECT_EQ(list.table.rows[0].cells, (Cells{"姓", "名", "セイ", "メイ", "団体名", "会員番号"}));
    EXPECT_EQ(list.table.rows[1].cells, (Cells{"高橋", "健", "タカハシ", "ケン", "北  高校", "0012"}));
    EXPECT_EQ(list.table.rows[2].cells[4], "南中学校\n吹奏楽部");
    // After three repeated empty rows; two repeated empty cells before the text.
    EXPECT_EQ(list.table.rows[3].line, 7u);
    EXPECT_EQ(list.table.rows[3].cells, (Cells{"", "", "ワタナベ", "1.5"}));
}

TEST(ListFile, SmallWorkbooksThatExpandPastTheBudgetAreRefused) {
    ListFile list;
    ListError error;
    EXPECT_FALSE(ReadListFile(Fixture("space-count.ods"), {}, list, error));
    EXPECT_EQ(error.Describe(""), "1 行 1 列: 表が大きすぎます (読み込むと 256 MB を超えます)");
    EXPECT_EQ(Refusal(Fixture("repeated-cells.ods")), error.message);
    EXPECT_EQ(Refusal(Fixture("shared-string.xlsx")), error.message);
}

TEST(ListFile, AStringsPartNamedByManyRelationshipsIsReadOnce) {
    // Read more than once, its one string would also stand at index 1.
    EXPECT_EQ(Refusal(Fixture("strings-twice.xlsx")), "壊れたブックです (共有文字列 1 がありません)");
}

TEST(ListFile, FilesThatAreNotListsAreRefusedInOneLine) {
    EXPECT_NE(Refusal(Fixture("damaged.xlsx")).find("壊れた zip ファイルです"), std::string::npos);
    EXPECT_NE(Refusal(Fixture("protected.xlsx")).find("パスワードで保護されたブック"), std::string::npos);
    EXPECT_EQ(Refusal(Fixture("binary.csv")), "テキストの名簿ではありません");
    EXPECT_EQ(Refusal(Fixture("plain.zip")), "表計算のブックではない zip ファイルです");
    EXPECT_EQ(Refusal(Fixture("missing.csv")), "ファイルを開けません");
    EXPECT_EQ(Refusal(ZULNAME_LIST_FIXTURES), "通常のファイルではありません");
    // A FIFO without a writer is refused at once instead of blocking the reader.
    const std::string fifo = testing::TempDir() + "list-fifo.csv";
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Refusal(fifo), "通常のファイルではありません");
    unlink(fifo.c_str());
    for (const std::string& message :
         {Refusal(Fixture("damaged.xlsx")), Refusal(Fixture("protected.xlsx")), Refusal(Fixture("binary.csv"))})
        EXPECT_EQ(message.find('\n'), std::string::npos);
}

TEST(ListFile, ADamagedEntryInsideASoundZipIsRefused) {
    ListFile list;
    ListError error;
    std::string bytes = ReadBytes(Fixture("people.xlsx"));
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(ReadListBytes(bytes, {}, list, error));
    // Flip a byte inside the compressed sheet: the zip checksum or the inflater catches it.
    const std::string sheet = "xl/worksheets/sheet1.xml";
    const std::size_t at = bytes.find(sheet) + sheet.size() + 20;
    ASSERT_LT(at, bytes.size());
    bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
    EXPECT_FALSE(ReadListBytes(bytes, {}, list, error));
    EXPECT_NE(error.message.find("壊れ"), std::string::npos) << error.message;
}
