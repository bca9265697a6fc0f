#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

// The layout the hand-made files ask for: two tags a row, one row a page, 358 × 216 tags 20
// apart, the first 15 from the left and 25 from the top.
constexpr int kColumns = 2, kLeft = 15, kTop = 25, kGapH = 20, kWidth = 358;

class ZulnameExportTest : public TempHomeTest {
protected:
    ToolOutcome Run(const std::vector<std::string>& args) const { return RunTool(ZULNAME_EXPORT_PATH, args, Home()); }

    // A record file with the named cards, made current for the cabinet 来賓 in the settings.
    void MakeRecord(const std::string& name, int cards, int currentCard = 0) const {
        std::string bytes = "[#Setting#]\r\nLabel=1\r\nMax=" + std::to_string(cards - 1) +
                            "\r\nCurID=" + std::to_string(currentCard) + "\r\n[Option]\r\nTop=" + std::to_string(kTop) +
                            "\r\nLeft=" + std::to_string(kLeft) + "\r\n";
        for (int card = 0; card < cards; ++card) {
            bytes += "[" + Section(card) + "]\r\n" + S("氏名") + "=" + S("山田") + std::to_string(card) + "\r\n1IsPrint" +
                     S("氏名") + "=1\r\n";
        }
        WriteBytes(PathOf(name), bytes);
        WriteBytes(PathOf("ZULNAME.INI"), "[Current]\r\nGenre=" + S("来賓") + "\r\n[CurrentIni]\r\n" + S("来賓") + "=" +
                                              S(PathOf(name)) + "\r\n[PrintOptions]\r\n1Column=" +
                                              std::to_string(kColumns) + "\r\n1Line=1\r\n1GapH=" +
                                              std::to_string(kGapH) + "\r\n");
    }

    static std::string Section(int card) {
        char name[8];
        std::snprintf(name, sizeof name, "%04d", card);
        return name;
    }

    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Home()), {}));
    }

    // The "card" line of a tag at a grid position.
    static std::string CardLine(int card, int column) {
        return "card " + Section(card) + " " + std::to_string(kLeft + column * (kWidth + kGapH)) + " " + std::to_string(-kTop);
    }
};

std::vector<std::string> LinesStartingWith(const std::string& text, const std::vector<std::string>& prefixes) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        for (const std::string& prefix : prefixes)
            if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& bytes) {
    const auto number = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = at; i < at + 4; ++i) value = value * 256 + static_cast<unsigned char>(bytes[i]);
        return value;
    };
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    return {number(16), number(20)};
}

}  // namespace

TEST_F(ZulnameExportTest, UsageErrorsExitWithTwo) {
    MakeRecord("r.ini", 1);
    ExpectFailure(Run({}), 2, "--format is missing");
    ExpectFailure(Run({"--format", "svg"}), 2, "unknown format");
    ExpectFailure(Run({"--format", "trace", "--page", "0"}), 2, "--page needs a positive number");
    ExpectFailure(Run({"--format", "trace", "--page", "-1"}), 2, "--page needs a positive number");
    ExpectFailure(Run({"--format", "trace", "--dpi"}), 2, "--dpi needs a value");
    ExpectFailure(Run({"--format", "png", "--dpi", "5", "-o", PathOf("a.png")}), 2, "--dpi must lie between");
    ExpectFailure(Run({"--format", "trace", "--frobnicate"}), 2, "unknown argument");
    ExpectFailure(Run({"--format", "trace", "extra"}), 2, "unknown argument");
    ExpectFailure(Run({"--format", "pdf"}), 2, "-o OUT");
    ExpectFailure(Run({"--format", "trace", "--card-mode", "--page", "1"}), 2, "exclude each other");
    ExpectFailure(Run({"--format", "trace", "--page", "2"}), 2, "past the last page");
    EXPECT_FALSE(std::filesystem::exists(PathOf("a.png")));
}

TEST_F(ZulnameExportTest, AMissingRecordFileOrUnwritableOutputExitsWithOne) {
    ExpectFailure(Run({"--format", "trace"}), 1, "no current record file");
    ExpectFailure(Run({"--format", "trace", "--record", PathOf("none.ini")}), 1, "none.ini");
    MakeRecord("r.ini", 1);
    std::filesystem::remove(PathOf("r.ini"));
    ExpectFailure(Run({"--format", "png", "-o", PathOf("a.png")}), 1, "r.ini");

    MakeRecord("r.ini", 1);
    const std::string nowhere = PathOf("no-such-folder/out");
    ExpectFailure(Run({"--format", "trace", "-o", nowhere}), 1, "cannot write " + nowhere);
    ExpectFailure(Run({"--format", "pdf", "-o", nowhere + ".pdf"}), 1, "cannot write " + nowhere + ".pdf");
    ExpectFailure(Run({"--format", "png", "--dpi", "20", "-o", nowhere + ".png"}), 1, "cannot write " + nowhere + ".png");
}

// An output that is a FIFO (or a device, as root) is refused, not replaced; through a link the
// regular file it names is written and the link stays.
TEST_F(ZulnameExportTest, OnlyARegularFileIsAnOutputAndALinkIsWrittenThrough) {
    MakeRecord("r.ini", 1);
    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(PathOf("fifo"), PathOf("to-fifo"));
    for (const std::string format : {"trace", "pdf", "png"})
        for (const std::string out : {"fifo", "to-fifo"}) {
            SCOPED_TRACE(format + " " + out);
            std::vector<std::string> args = {"--format", format, "-o", PathOf(out)};
            if (format == "png") args.insert(args.end(), {"--dpi", "20"});
            ExpectFailure(Run(args), 1,
                          "「" + PathOf(out) + "」に書き込めません。通常のファイルではありません。");
        }
    EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("to-fifo")));
    if (geteuid() == 0) {
        ExpectFailure(Run({"--format", "trace", "-o", "/dev/null"}), 1, "通常のファイルではありません");
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    }

    WriteBytes(PathOf("real.pdf"), "old");
    std::filesystem::create_symlink("real.pdf", PathOf("link.pdf"));
    const ToolOutcome linked = Run({"--format", "pdf", "-o", PathOf("link.pdf")});
    EXPECT_EQ(linked.status, 0) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.pdf")));
    EXPECT_EQ(ReadBytes(PathOf("real.pdf")).rfind("%PDF-", 0), 0u);
}

TEST_F(ZulnameExportTest, TracesEveryPageOfThePrintJobOfTheCurrentRecordFile) {
    MakeRecord("r.ini", 3);
    const ToolOutcome all = Run({"--format", "trace"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err, "");
    EXPECT_EQ(LinesStartingWith(all.out, {"surface", "page", "card"}),
              (std::vector<std::string>{"surface dpi=100,100 printing=1", "page 1", CardLine(0, 0), CardLine(1, 1),
                                        "page 2", CardLine(2, 0)}));
    // Each tag is drawn: its name at the card's corner.
    EXPECT_EQ(LinesStartingWith(all.out, {"text"}).size(), 3u);

    const ToolOutcome second = Run({"--format", "trace", "--page", "2", "-o", PathOf("t.txt")});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(LinesStartingWith(ReadBytes(PathOf("t.txt")), {"page", "card"}),
              (std::vector<std::string>{"page 2", CardLine(2, 0)}));
}

TEST_F(ZulnameExportTest, DrawsTheRecordFileNamedOnTheCommandLine) {
    MakeRecord("other.ini", 1);
    MakeRecord("r.ini", 3);
    const ToolOutcome outcome = Run({"--format", "trace", "--record", PathOf("other.ini")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(LinesStartingWith(outcome.out, {"page", "card"}), (std::vector<std::string>{"page 1", CardLine(0, 0)}));
}

TEST_F(ZulnameExportTest, CardModeDrawsTheCurrentCardOnItsGuideGridAsTheScreenDoes) {
    MakeRecord("r.ini", 3, 2);
    const ToolOutcome outcome = Run({"--format", "trace", "--card-mode"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(LinesStartingWith(outcome.out, {"surface", "page", "card"}),
              (std::vector<std::string>{"surface dpi=100,100 printing=0", "page 1", CardLine(2, 0)}));
    // The guide grid: dotted red lines among others.
    const std::vector<std::string> lines = LinesStartingWith(outcome.out, {"line "});
    const std::string dotted = " pen=dot:1:ff0000";
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.size() > dotted.size() && line.compare(line.size() - dotted.size(), dotted.size(), dotted) == 0;
    }));
}

TEST_F(ZulnameExportTest, WritesOnePngPerPageAtTheResolutionAsked) {
    MakeRecord("r.ini", 3);
    const ToolOutcome outcome = Run({"--format", "png", "--dpi", "40", "-o", PathOf("sheet.png")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out + outcome.err, "");
    EXPECT_FALSE(std::filesystem::exists(PathOf("sheet.png")));
    // A4 is 210 × 297 mm.
    const auto pixels = [](double millimetres) { return static_cast<int>(std::lround(millimetres / 25.4 * 40)); };
    const std::pair<int, int> a4At40{pixels(210), pixels(297)};
    EXPECT_EQ(PngSize(ReadBytes(PathOf("sheet-1.png"))), a4At40);
    EXPECT_EQ(PngSize(ReadBytes(PathOf("sheet-2.png"))), a4At40);
    EXPECT_FALSE(std::filesystem::exists(PathOf("sheet-3.png")));

    EXPECT_EQ(Run({"--format", "png", "--dpi", "40", "--page", "2", "-o", PathOf("one.png")}).status, 0);
    EXPECT_EQ(PngSize(ReadBytes(PathOf("one.png"))), a4At40);
    EXPECT_FALSE(std::filesystem::exists(PathOf("one-2.png")));
}

TEST_F(ZulnameExportTest, WritesAPdfWithAPagePerSheet) {
    MakeRecord("r.ini", 3);
    const ToolOutcome outcome = Run({"--format", "pdf", "-o", PathOf("sheet.pdf")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out + outcome.err, "");
    const std::string pdf = ReadBytes(PathOf("sheet.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find("IPAGothic"), std::string::npos);
}

namespace {

}  // namespace

TEST_F(ZulnameExportTest, AWriteOverTheFileSizeLimitFailsAndLeavesThePreviousOutput) {
    MakeRecord("r.ini", 4);
    for (const std::string format : {"pdf", "png", "trace"}) {
        SCOPED_TRACE(format);
        const std::string out = PathOf("old." + format);
        WriteBytes(out, "previous");
        const std::size_t files = FileCount();
        const ToolOutcome failed =
            RunToolWithFileSizeLimit(ZULNAME_EXPORT_PATH, {"--format", format, "--page", "1", "-o", out}, Home(), 512);
        ExpectFailure(failed, 1, "cannot write " + out + ": file too large");
        EXPECT_EQ(FileCount(), files);  // no temporary file left behind
        EXPECT_EQ(ReadBytes(out), "previous");
    }
}

namespace {

// Whether a file under folder holds the text.
bool AnyFileHolds(const std::string& folder, const std::string& text) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && ReadBytes(entry.path().string()).find(text) != std::string::npos) return true;
    return false;
}

// Whether the process has made the copy of the record file a list is drawn through: a file in
// the temporary folder with the people, or a file in memory.
bool MadeListCopy(pid_t pid, const std::string& temporaryFolder, const std::string& person) {
    if (AnyFileHolds(temporaryFolder, person)) return true;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ignored))
        if (std::filesystem::read_symlink(entry.path(), ignored).string().find("memfd:") != std::string::npos) return true;
    return false;
}

}  // namespace

TEST_F(ZulnameExportTest, AKilledListExportLeavesNoCopyOfThePeople) {
    MakeRecord("r.ini", 1);
    std::string list = "氏名\r\n";
    for (int person = 0; person < 3000; ++person) list += "参加者" + std::to_string(person) + "\r\n";
    WriteBytes(PathOf("list.csv"), list);
    const std::string temporary = PathOf("tmp");
    std::filesystem::create_directory(temporary);
    const std::string out = PathOf("out.trace"), listPath = PathOf("list.csv");
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TMPDIR", temporary.c_str(), 1);
        execl(ZULNAME_EXPORT_PATH, ZULNAME_EXPORT_PATH, "--list", listPath.c_str(), "--format", "trace", "-o", out.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    for (int wait = 0; wait < 10000 && !MadeListCopy(pid, temporary, S("参加者1")); ++wait) usleep(1000);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_FALSE(AnyFileHolds(temporary, S("参加者1"))) << "the people stay in " << temporary;
}

TEST_F(ZulnameExportTest, TheProofListsEveryCardAndNextTimeWhatChanged) {
    MakeRecord("r.ini", 3);
    std::string record = ReadBytes(PathOf("r.ini"));
    record.insert(record.find("[0002]\r\n") + 8, "1" + S("氏名Honorific=様") + "\r\n");
    WriteBytes(PathOf("r.ini"), record);
    const ToolOutcome first = Run({"--proof", "--format", "trace"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("山田2　様"), std::string::npos) << first.out;
    EXPECT_EQ(first.out.find("変更"), std::string::npos);

    std::string bytes = ReadBytes(PathOf("r.ini"));
    bytes.replace(bytes.find(S("山田1")), S("山田1").size(), S("山本1"));
    WriteBytes(PathOf("r.ini"), bytes);
    const ToolOutcome second = Run({"--proof", "--format", "trace"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("氏名 変更: 山田1 → 山本1"), std::string::npos) << second.out;
    EXPECT_EQ(Run({"--proof", "--card-mode", "--format", "trace"}).status, 2);
}

// A print order narrows the proof only when asked; the heading says whose tags it lists.
TEST_F(ZulnameExportTest, TheProofCoversEveryCardUnlessAskedForThePrintOrder) {
    MakeRecord("r.ini", 3);
    WriteBytes(PathOf("r.ini"), ReadBytes(PathOf("r.ini")) + "[Current]\r\nPrintOrder=0001|\r\n");
    const ToolOutcome everyone = Run({"--proof", "--format", "trace"});
    ASSERT_EQ(everyone.status, 0) << everyone.err;
    for (const char* name : {"山田0", "山田1", "山田2"}) EXPECT_NE(everyone.out.find(name), std::string::npos) << name;
    EXPECT_NE(everyone.out.find("全員 3 名"), std::string::npos) << everyone.out;
    const ToolOutcome ordered = Run({"--proof", "--print-order", "--format", "trace"});
    ASSERT_EQ(ordered.status, 0) << ordered.err;
    EXPECT_EQ(ordered.out.find("山田0"), std::string::npos);
    EXPECT_NE(ordered.out.find("山田1"), std::string::npos);
    EXPECT_NE(ordered.out.find("印刷順序 1 名"), std::string::npos) << ordered.out;
    EXPECT_EQ(ordered.out.find("削除"), std::string::npos) << "compared with the last proof of the print order";
    EXPECT_EQ(Run({"--print-order", "--format", "trace"}).status, 2);
}

// An 80-character company wraps within its column, readable; a tab or a line break in a text is
// kept in the proof as it is and reads back unchanged the next time.
TEST_F(ZulnameExportTest, TheProofWrapsLongTextsAndKeepsTabsWithoutPhantomChanges) {
    MakeRecord("r.ini", 1);
    std::string company;
    for (int i = 0; i < 80; ++i) company += "営";
    std::string bytes = ReadBytes(PathOf("r.ini"));
    bytes.insert(bytes.find("[0000]\r\n") + 8, S("所属") + "=" + S(company) + "\r\n" + S("肩書き") + "=A\tB\r\n" + S("読み") + "=C" +
                                                        S("〓") + "D\r\n" + S("読み") + "Unicode=C&#xa;D\r\n");
    WriteBytes(PathOf("r.ini"), bytes);
    const ToolOutcome first = Run({"--proof", "--format", "trace"});
    ASSERT_EQ(first.status, 0) << first.err;
    std::string wrapped;
    int lines = 0;
    for (const std::string& line : LinesStartingWith(first.out, {"text"})) {
        if (line.find("営") == std::string::npos) continue;
        ++lines;
        EXPECT_EQ(line.find("scalex"), std::string::npos) << line;
        wrapped += line.substr(line.find('"') + 1, line.rfind('"') - line.find('"') - 1);
    }
    EXPECT_GE(lines, 3);
    EXPECT_EQ(wrapped, company);
    const ToolOutcome second = Run({"--proof", "--format", "trace"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out.find("変更"), std::string::npos) << second.out;
}

// --duplex follows every page by its back, the backs behind their fronts (A4, long edge: columns
// mirrored), whatever the slot says; a slot without a back design prints its fronts and says so.
TEST_F(ZulnameExportTest, TwoSidedRunsInterleaveTheBacks) {
    MakeRecord("r.ini", 3);
    ExpectFailure(Run({"--format", "trace", "--duplex", "sideways"}), 2, "--duplex needs long, short or none");
    ExpectFailure(Run({"--format", "trace", "--duplex", "long", "--card-mode"}), 2, "--duplex needs sheet or test pages");
    const ToolOutcome fronts = Run({"--format", "trace", "--duplex", "long"});
    EXPECT_EQ(fronts.status, 0);
    EXPECT_NE(fronts.err.find("label slot 1 has no back design (section \"1Back\"): only the fronts are drawn"),
              std::string::npos) << fronts.err;
    EXPECT_EQ(LinesStartingWith(fronts.out, {"page"}), (std::vector<std::string>{"page 1", "page 2"}));

    WriteBytes(PathOf("r.ini"), ReadBytes(PathOf("r.ini")) + "[1Back]\r\n1IsPrint" + S("所属") + "=1\r\n" + S("所属") + "=X\r\n");
    const ToolOutcome both = Run({"--format", "trace", "--duplex", "long"});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.err, "");
    const int width = 827;  // A4 in hundredths of an inch
    const auto back = [&](int card, int column) {
        return "card " + Section(card) + " " + std::to_string(width - kWidth - (kLeft + column * (kWidth + kGapH))) + " " +
               std::to_string(-kTop);
    };
    EXPECT_EQ(LinesStartingWith(both.out, {"page", "card"}),
              (std::vector<std::string>{"page 1", CardLine(0, 0), CardLine(1, 1), "page 2", back(0, 0), back(1, 1),
                                        "page 3", CardLine(2, 0), "page 4", back(2, 0)}));
    const ToolOutcome pdf = Run({"--format", "pdf", "--duplex", "short", "-o", PathOf("both.pdf")});
    EXPECT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_NE(ReadBytes(PathOf("both.pdf")).find("/Count 4"), std::string::npos);
    const ToolOutcome none = Run({"--format", "trace", "--duplex", "none"});
    EXPECT_EQ(LinesStartingWith(none.out, {"page"}), (std::vector<std::string>{"page 1", "page 2"}));
}
