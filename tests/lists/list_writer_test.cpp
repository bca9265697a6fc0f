#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include <string>
#include <vector>

#include "lists/list_file.h"
#include "lists/list_writer.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

using Cells = std::vector<std::string>;

namespace {

class ListWriterTest : public TempHomeTest {
protected:
    const ListRows list_{{"氏名", "読み", "所属", "会員番号"},
                         {{"山田　太郎", "やまだ", "山田商事, 本社", "00123"},
                          {"鈴木 \"ジロー\"", "", " 前後に空白 ", "7"},
                          {"髙橋①", "たかはし", "", ""}}};
};

}  // namespace

TEST_F(ListWriterTest, TextListsQuoteOnlyWhatNeedsIt) {
    EXPECT_EQ(DelimitedText(list_, ','),
              "氏名,読み,所属,会員番号\r\n"
              "山田　太郎,やまだ,\"山田商事, 本社\",00123\r\n"
              "\"鈴木 \"\"ジロー\"\"\",,\" 前後に空白 \",7\r\n"
              "髙橋①,たかはし,,\r\n");
    EXPECT_EQ(DelimitedText({{"a"}, {{"x\ty"}}}, '\t'), "a\r\n\"x\ty\"\r\n");
}

TEST_F(ListWriterTest, EveryFormatReadsBackTheSameRows) {
    const std::vector<std::tuple<ListOutputFormat, ListOutputEncoding, TextEncoding, ListFormat>> cases = {
        {ListOutputFormat::Csv, ListOutputEncoding::Utf8Bom, TextEncoding::Utf8Bom, ListFormat::Csv},
        {ListOutputFormat::Csv, ListOutputEncoding::Cp932, TextEncoding::Cp932, ListFormat::Csv},
        {ListOutputFormat::Tsv, ListOutputEncoding::Utf8Bom, TextEncoding::Utf8Bom, ListFormat::Tsv},
        {ListOutputFormat::Xlsx, ListOutputEncoding::Utf8Bom, TextEncoding::Utf8, ListFormat::Xlsx},
    };
    for (const auto& [format, encoding, readEncoding, readFormat] : cases) {
        const std::string path = PathOf("out");
        std::string error;
        ASSERT_TRUE(WriteList(path, list_, format, encoding, error)) << error;
        ListFile read;
        ListError readError;
        ASSERT_TRUE(ReadListFile(path, {}, read, readError)) << readError.message;
        EXPECT_EQ(read.format, readFormat);
        if (readFormat != ListFormat::Xlsx) {
            EXPECT_EQ(read.encoding, readEncoding);
        }
        ASSERT_EQ(read.table.rows.size(), 4u);
        EXPECT_EQ(read.table.rows[0].cells, list_.header);
        for (std::size_t r = 0; r < list_.rows.size(); ++r) {
            Cells expected = list_.rows[r];
            Cells actual = read.table.rows[r + 1].cells;
            actual.resize(expected.size());  // trailing empty cells of a workbook are not kept
            EXPECT_EQ(actual, expected) << r;
        }
    }
}

TEST_F(ListWriterTest, Cp932RefusesWhatItCannotHoldNamingTheCharacterAndTheCardAndKeepsTheOldFile) {
    const std::string path = PathOf("out.csv");
    WriteBytes(path, "old");
    std::string error;
    EXPECT_FALSE(WriteList(path, {{"氏名", "所属"}, {{"山田", "会社"}, {"𠮷田", "😀"}}, {3, 12}}, ListOutputFormat::Csv,
                           ListOutputEncoding::Cp932, error));
    EXPECT_EQ(error, "カード 0012 の「氏名」の「𠮷」は CP932 で書けません。UTF-8 で書き出してください");
    EXPECT_FALSE(WriteList(path, {{"氏名", "😀"}, {{"山田", ""}}}, ListOutputFormat::Csv, ListOutputEncoding::Cp932, error));
    EXPECT_EQ(error, "見出し「😀」の「😀」は CP932 で書けません。UTF-8 で書き出してください");
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_FALSE(WriteList(PathOf("missing/out.xlsx"), list_, ListOutputFormat::Xlsx, ListOutputEncoding::Utf8Bom, error));
    EXPECT_NE(error.find("書き込めません"), std::string::npos);
}

TEST_F(ListWriterTest, OnlyARegularFileIsReplacedAndALinkIsWrittenThrough) {
    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(PathOf("fifo"), PathOf("to-fifo"));
    WriteBytes(PathOf("real"), "old");
    std::filesystem::create_symlink("real", PathOf("link"));
    for (const ListOutputFormat format : {ListOutputFormat::Csv, ListOutputFormat::Xlsx}) {
        std::string error;
        for (const std::string name : {"fifo", "to-fifo"}) {
            EXPECT_FALSE(WriteList(PathOf(name), list_, format, ListOutputEncoding::Utf8Bom, error));
            EXPECT_EQ(error, "「" + PathOf(name) + "」に書き込めません。通常のファイルではありません。");
        }
        EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo")));
        ASSERT_TRUE(WriteList(PathOf("link"), list_, format, ListOutputEncoding::Utf8Bom, error)) << error;
        EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link")));
        ListFile read;
        ListError readError;
        ASSERT_TRUE(ReadListFile(PathOf("real"), {}, read, readError)) << readError.message;
        EXPECT_EQ(read.table.rows[0].cells, list_.header);
        EXPECT_EQ(TemporariesOf(PathOf("real")), std::vector<std::string>());
    }
}
