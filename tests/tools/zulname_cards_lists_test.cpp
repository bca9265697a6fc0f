// zulname-cards import and export, on lists written by other programs (make_fixtures.py).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

std::string Fixture(const std::string& name) { return std::string(ZULNAME_LIST_FIXTURES) + "/" + name; }

class ZulnameCardsListsTest : public TempHomeTest {
protected:
    ZulnameCardsListsTest() {
        // One designed card: the name placed and printed in slot 1, the current card.
        WriteBytes(File(), "[#Setting#]\r\nLabel=1\r\nMax=0\r\nCurID=0\r\n[Current]\r\nPrintOrder=0000|\r\n[0000]\r\n" +
                               S("氏名") + "=" + S("見本") + "\r\n1" + S("氏名") + "Xpos=50\r\n1IsPrint" + S("氏名") +
                               "=1\r\n");
    }

    ToolOutcome Run(std::vector<std::string> args, const std::string& record = "") const {
        args.insert(args.begin(), {"--record", record.empty() ? File() : record});
        return RunTool(ZULNAME_CARDS_PATH, args, Home());
    }
    std::string File() const { return PathOf("名簿.ini"); }
    // The rows of `list` after its header.
    std::string Rows(const std::string& record = "") const {
        const std::string listed = Run({"list"}, record).out;
        return listed.substr(listed.find('\n') + 1);
    }
};

}  // namespace

TEST_F(ZulnameCardsListsTest, ImportAppendsCardsWithTheCurrentCardsDesign) {
    const ToolOutcome imported = Run({"import", Fixture("cp932.csv")});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "imported 3 cards from " + Fixture("cp932.csv") + " (CSV, CP932; 3 rows, 0 skipped)\n");
    EXPECT_NE(imported.err.find("3 行 3 列: セル内の改行を空白にしました"), std::string::npos) << imported.err;
    EXPECT_EQ(Rows(), "0000\t見本\t\t\t\t\t\t\t\n"
                      "0001\t山田　太郎\t代表取締役\t山田商事, 本社\tヤマダ　タロウ\t\t\t\t\n"
                      "0002\t佐藤 花子\t課長\t営業部 第一課\tサトウ ハナコ\t\t\t\t\n"
                      "0003\t鈴木 \"ジロー\" 次郎\t\t\tスズキ ジロウ\t\t\t\t\n");
    // Every new card carries the design.
    const std::string bytes = ReadBytes(File());
    for (const char* section : {"[0001]", "[0002]", "[0003]"}) {
        const std::size_t at = bytes.find(section);
        ASSERT_NE(at, std::string::npos) << section;
        EXPECT_NE(bytes.find("1" + S("氏名") + "Xpos=50\r\n", at), std::string::npos) << section;
    }
}

TEST_F(ZulnameCardsListsTest, MappingsAddItemsAndJoinNameParts) {
    const ToolOutcome imported = Run({"import", Fixture("people.ods"), "--map", "会員番号=会員番号", "--kana", "hiragana",
                                      "--design-from", "none", "--replace"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.err.find("new item 会員番号"), std::string::npos);
    EXPECT_NE(ReadBytes(PathOf("ZULNAME.INI")).find(S("会員番号") + "|"), std::string::npos);
    const std::string listed = Run({"list"}).out;
    EXPECT_EQ(listed.substr(0, listed.find('\n')), "番号\t氏名\t肩書き\t所属\t読み\tその他1\tその他2\tその他3\tその他4\t会員番号");
    EXPECT_EQ(Rows(), "0000\t高橋　健\t\t北  高校\tたかはし　けん\t\t\t\t\t0012\n"
                      "0001\t伊藤　美咲\t\t南中学校 吹奏楽部\tいとう　みさき\t\t\t\t\t0034\n"
                      "0002\t\t\t\tわたなべ　1.5\t\t\t\t\t\n");
    // Replaced: the old card and its place in the print order are gone; no design was given.
    const std::string bytes = ReadBytes(File());
    EXPECT_EQ(bytes.find(S("見本")), std::string::npos);
    EXPECT_EQ(bytes.find("Xpos"), std::string::npos);
    EXPECT_EQ(bytes.find("PrintOrder=0000|"), std::string::npos);
}

TEST_F(ZulnameCardsListsTest, TextBeyondCodePage932IsKeptExactlyBesideItsGetaFormUnlessTheUserChoosesOtherwise) {
    const std::string before = ReadBytes(File());
    const ToolOutcome refused = Run({"import", Fixture("people.xlsx"), "--unencodable", "refuse"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("5 行 1 列: 「𠮷」(U+20BB7) はシフトJISにない文字です"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("nothing imported (--unencodable keep, skip or replace)"), std::string::npos);
    EXPECT_EQ(ReadBytes(File()), before);

    const ToolOutcome kept = Run({"import", Fixture("people.xlsx"), "--replace"});
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_NE(Rows().find("0003\t𠮷田 一郎\t\t😀倶楽部\t"), std::string::npos) << Rows();
    // The file stays code page 932: 〓 for a program that knows only it, the exact text beside.
    const std::string bytes = ReadBytes(File());
    EXPECT_NE(bytes.find(S("氏名=〓田 一郎\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(S("氏名Unicode=&#x20bb7;田 一郎\r\n")), std::string::npos);
    const std::string csv = PathOf("kept.csv");
    ASSERT_EQ(Run({"export", "--format", "csv", "-o", csv}).status, 0);
    EXPECT_NE(ReadBytes(csv).find("𠮷田 一郎"), std::string::npos);

    const ToolOutcome skipped = Run({"import", Fixture("people.xlsx"), "--unencodable", "skip"});
    EXPECT_EQ(skipped.status, 0) << skipped.err;
    EXPECT_NE(skipped.out.find("imported 4 cards"), std::string::npos) << skipped.out;
    EXPECT_NE(skipped.err.find("5 行: 名札に保存できない文字があります"), std::string::npos);
    const ToolOutcome replaced = Run({"import", Fixture("people.xlsx"), "--unencodable", "replace", "--replace"});
    EXPECT_EQ(replaced.status, 0);
    EXPECT_NE(Rows().find("\t〓田 一郎\t\t〓倶楽部\tヨシダ イチロウ\t"), std::string::npos) << Rows();
}

TEST_F(ZulnameCardsListsTest, ExportThenImportGivesTheSameCards) {
    ASSERT_EQ(Run({"import", Fixture("utf8.csv"), "--map", "会員番号=その他1", "--replace"}).status, 0);
    const std::string original = Rows();
    const std::vector<std::vector<std::string>> formats = {
        {"--format", "csv"}, {"--format", "csv", "--encoding", "cp932"}, {"--format", "tsv"}, {"--format", "xlsx"}};
    for (const auto& format : formats) {
        const std::string out = PathOf("out-" + format.back());
        std::vector<std::string> args = {"export"};
        args.insert(args.end(), format.begin(), format.end());
        args.insert(args.end(), {"-o", out});
        const ToolOutcome exported = Run(args);
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(exported.out, "exported 3 cards to " + out + "\n");
        const std::string copy = PathOf("copy.ini");
        WriteBytes(copy, "");
        const ToolOutcome imported = Run({"import", out, "--replace", "--design-from", "none"}, copy);
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(Rows(copy), original) << format.back();
    }
}

TEST_F(ZulnameCardsListsTest, AnExportOverTheFileSizeLimitFailsAndKeepsTheOldOutput) {
    ASSERT_EQ(Run({"add", std::string(600, 'x')}).status, 0);
    for (const std::string format : {"csv", "xlsx"}) {
        SCOPED_TRACE(format);
        const std::string out = PathOf("out." + format);
        WriteBytes(out, "old");
        const std::vector<std::string> args = {"--record", File(), "export", "--format", format, "-o", out};
        ExpectFailure(RunToolWithFileSizeLimit(ZULNAME_CARDS_PATH, args, Home(), 512), 1,
                      "cannot write " + out + ": file too large");
        EXPECT_EQ(ReadBytes(out), "old");
        EXPECT_EQ(TemporariesOf(out), std::vector<std::string>());
    }
    // libxlsxwriter writes each part whole to a temporary file before packing it: 3,000 names
    // make a worksheet of some 200 kB that packs to some 36 kB, within the limit, but its part
    // is cut short at the limit.
    std::string many = "[#Setting#]\r\nMax=2999\r\n";
    for (int card = 0; card < 3000; ++card)
        many += "[" + std::string(card < 10 ? "000" : card < 100 ? "00" : card < 1000 ? "0" : "") + std::to_string(card) +
                "]\r\n" + S("氏名") + "=" + S("山田") + std::to_string(card) + "\r\n";
    WriteBytes(File(), many);
    const std::string workbook = PathOf("many.xlsx");
    const std::vector<std::string> args = {"--record", File(), "export", "--format", "xlsx", "-o", workbook};
    ASSERT_EQ(Run({"export", "--format", "xlsx", "-o", workbook}).status, 0);
    ASSERT_LT(std::filesystem::file_size(workbook), 65536u);
    WriteBytes(workbook, "old");
    ExpectFailure(RunToolWithFileSizeLimit(ZULNAME_CARDS_PATH, args, Home(), 65536), 1,
                  "cannot write " + workbook + ": file too large");
    EXPECT_EQ(ReadBytes(workbook), "old");
    EXPECT_EQ(TemporariesOf(workbook), std::vector<std::string>());

    // What a killed export left behind goes with the next export of the same file.
    WriteBytes(PathOf(".out.csv.Ab12Cd"), "stale");
    ASSERT_EQ(Run({"export", "--format", "csv", "-o", PathOf("out.csv")}).status, 0);
    EXPECT_EQ(TemporariesOf(PathOf("out.csv")), std::vector<std::string>());
}

TEST_F(ZulnameCardsListsTest, AWorkbookNamesTheCardWhoseTextIsTooLongForACell) {
    ASSERT_EQ(Run({"add", "短い名前"}).status, 0);
    ASSERT_EQ(Run({"add", std::string(40000, 'x')}).status, 0);
    WriteBytes(PathOf("out.xlsx"), "old");
    ExpectFailure(Run({"export", "--format", "xlsx", "-o", PathOf("out.xlsx")}), 1,
                  "カード 0002 の「氏名」は 32767 文字を超えるため、ワークブックのセルに入りません");
    EXPECT_EQ(ReadBytes(PathOf("out.xlsx")), "old");
}

TEST_F(ZulnameCardsListsTest, BadListsAndArgumentsGetOneLine) {
    const std::string before = ReadBytes(File());
    ExpectFailure(Run({"import"}), 2, "import needs a list file");
    ExpectFailure(Run({"import", Fixture("utf8.csv"), "--encoding", "latin1"}), 2, "--encoding takes");
    ExpectFailure(Run({"import", Fixture("utf8.csv"), "--design-from", "7"}), 2, "");
    ExpectFailure(Run({"import", Fixture("utf8.csv"), "--map", "電話=その他1"}), 1, "no column \"電話\"");
    ExpectFailure(Run({"import", Fixture("damaged.xlsx")}), 1, "壊れた zip ファイルです");
    ExpectFailure(Run({"import", Fixture("binary.csv")}), 1, "テキストの名簿ではありません");
    ExpectFailure(Run({"import", PathOf("none.csv")}), 1, "ファイルを開けません");
    ExpectFailure(Run({"export", "--format", "pdf", "-o", PathOf("x")}), 2, "--format takes csv, tsv or xlsx");
    ExpectFailure(Run({"export", "--format", "csv"}), 2, "export needs --format and -o");
    EXPECT_EQ(ReadBytes(File()), before);
}

TEST_F(ZulnameCardsListsTest, AnImportThatCannotBeWrittenSaysWhichFileAndWhy) {
    chmod(File().c_str(), 0444);
    ExpectFailure(Run({"import", Fixture("cp932.csv")}), 1, "「" + File() + "」に書き込めません。書き込みが許可されていません");
    chmod(File().c_str(), 0644);
    // Under a file-size limit the limit is told, not the largest file the program reads.
    ExpectFailure(RunToolWithFileSizeLimit(ZULNAME_CARDS_PATH, {"--record", File(), "import", Fixture("cp932.csv")}, Home(), 400),
                  1, "」に書き込めません。ファイルの大きさの上限（ulimit -f の 400 バイト）を超えます。");

    WriteBytes(File(), "[#Setting#]\r\nMax=999998\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n");
    ExpectFailure(Run({"import", Fixture("cp932.csv")}), 1, "取り込むとカードが1000000枚を超えるため取り込めません。");

    std::filesystem::resize_file(File(), (256u << 20) + 1);
    ExpectFailure(Run({"import", Fixture("cp932.csv")}), 1, "」に書き込めません。ファイルが大きすぎます（256MBまで）。");
}

namespace {

// Lines of a trace that draw text, without the font details: "x y \"text\"".
std::vector<std::string> TextLines(const std::string& trace) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while ((at = trace.find("\ntext ", at)) != std::string::npos) {
        const std::size_t end = trace.find('\n', at + 1);
        const std::string line = trace.substr(at + 6, end - at - 6);
        const std::size_t secondSpace = line.find(' ', line.find(' ') + 1);
        lines.push_back(line.substr(0, secondSpace) + " " + line.substr(line.find('"')));
        at = end;
    }
    return lines;
}

}  // namespace

TEST_F(ZulnameCardsListsTest, ExportDrawsAListThroughADesignWithoutWritingAnyProfile) {
    // Card 0001, the current one, places 氏名 at 120 and 所属 at 10.
    WriteBytes(File(), "[#Setting#]\r\nLabel=1\r\nMax=1\r\nCurID=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n1" +
                           S("氏名") + "Xpos=50\r\n1IsPrint" + S("氏名") + "=1\r\n[0001]\r\n" + S("氏名") + "=" + S("佐藤") +
                           "\r\n1" + S("氏名") + "Xpos=120\r\n1IsPrint" + S("氏名") + "=1\r\n1" + S("所属") +
                           "Ypos=100\r\n1IsPrint" + S("所属") + "=1\r\n");
    WriteBytes(PathOf("list.csv"), "氏名,所属\r\n高橋,北\r\n伊藤,南\r\n");
    const std::string record = ReadBytes(File());
    const auto exportList = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"--record", File(), "--list", PathOf("list.csv"), "--format", "trace"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunTool(ZULNAME_EXPORT_PATH, args, Home());
    };
    const ToolOutcome current = exportList({});
    ASSERT_EQ(current.status, 0) << current.err;
    EXPECT_EQ(TextLines(current.out), (std::vector<std::string>{"130 -10 \"高橋\"", "10 -110 \"北\"", "488 -10 \"伊藤\"",
                                                               "368 -110 \"南\""}));
    const ToolOutcome first = exportList({"--design-card", "0"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(TextLines(first.out), (std::vector<std::string>{"60 -10 \"高橋\"", "418 -10 \"伊藤\""}));
    EXPECT_EQ(ReadBytes(File()), record);
    EXPECT_FALSE(std::filesystem::exists(PathOf("ZULNAME.INI")));

    ExpectFailure(exportList({"--design-card", "2"}), 1, "--design-card 2: the record file has 2 cards");
    ExpectFailure(RunTool(ZULNAME_EXPORT_PATH, {"--record", File(), "--design-card", "0", "--format", "trace"}, Home()), 2,
                  "need --list");
    WriteBytes(PathOf("list.csv"), "所属\r\n北\r\n");
    ExpectFailure(exportList({}), 1, "no row has a 氏名 to print");
    EXPECT_EQ(ReadBytes(File()), record);
}
