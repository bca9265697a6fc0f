#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

const std::string kBuiltInPart = "A4 名刺 10面 91×55mm (上11 左14)";

class ZulnameSheetsTest : public TempHomeTest {
protected:
    // The user's own template folder lies in the test's home, so that a real one is not read.
    ZulnameSheetsTest() { setenv("XDG_CONFIG_HOME", Home().c_str(), 1); }
    ~ZulnameSheetsTest() override { unsetenv("XDG_CONFIG_HOME"); }

    ToolOutcome Run(const std::vector<std::string>& args) const { return RunTool(ZULNAME_SHEETS_PATH, args, Home()); }

    // An empty record file, current for the cabinet 来賓, on the given slot.
    void MakeRecord(int slot = 1) const {
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nLabel=" + std::to_string(slot) + "\r\n");
        WriteBytes(PathOf("ZULNAME.INI"), "[Current]\r\nGenre=" + S("来賓") + "\r\n[CurrentIni]\r\n" + S("来賓") + "=" +
                                              S(PathOf("r.ini")) + "\r\n");
    }
    std::string Ini(const std::string& name, const std::string& section, const std::string& key) const {
        const std::string bytes = ReadBytes(PathOf(name));
        const std::size_t at = bytes.find("[" + section + "]");
        if (at == std::string::npos) return "-";
        const std::size_t line = bytes.find("\r\n" + key + "=", at);
        if (line == std::string::npos || bytes.find("\r\n[", at + 1) < line) return "-";
        const std::size_t start = line + 3 + key.size();
        return bytes.substr(start, bytes.find("\r\n", start) - start);
    }
    void UserTemplates(const std::string& name, const std::string& content) const {
        std::filesystem::create_directories(PathOf("libglabels/templates"));
        WriteBytes(PathOf("libglabels/templates/" + name), content);
    }
};

}  // namespace

TEST_F(ZulnameSheetsTest, ListPrintsOneLinePerProductWithItsSource) {
    const ToolOutcome outcome = Run({"list", "--search", "名刺 91x55"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("汎用\t" + kBuiltInPart + "\t91×55mm\t2×5\t内蔵\n"), std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.err, "");
}

TEST_F(ZulnameSheetsTest, UnusableProductsAreListedWithTheReasonAndNeverApplied) {
    UserTemplates("mine.xml", "<Glabels-templates><Template brand=\"Mine\" part=\"WIDE\" size=\"A4\">"
                              "<Label-rectangle width=\"150mm\" height=\"50mm\"><Layout nx=\"2\" ny=\"1\" x0=\"0\" y0=\"0\""
                              " dx=\"150mm\" dy=\"0\"/></Label-rectangle></Template></Glabels-templates>");
    UserTemplates("broken.xml", "<Glabels-templates><Template");
    MakeRecord();
    const ToolOutcome list = Run({"list", "--search", "mine"});
    EXPECT_EQ(list.out, "Mine\tWIDE\t150×50mm\t2×1\tユーザー\t使えません: 用紙に収まらない\n");
    // The damaged file is named once on the error output; the listing goes on.
    EXPECT_NE(list.err.find("skipped " + PathOf("libglabels/templates/broken.xml") + ": not well-formed XML"), std::string::npos)
        << list.err;
    EXPECT_EQ(list.err.find('\n'), list.err.size() - 1);

    const ToolOutcome apply = Run({"apply", "Mine", "WIDE"});
    EXPECT_EQ(apply.status, 1);
    EXPECT_NE(apply.err.find("cannot be applied: 用紙に収まらない"), std::string::npos) << apply.err;
    EXPECT_EQ(Ini("ZULNAME.INI", "Card", "1w"), "-");
}

TEST_F(ZulnameSheetsTest, ShowGivesTheProductAndWhatASlotWouldHold) {
    const ToolOutcome outcome = Run({"show", "汎用", kBuiltInPart});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("paper: A4 210×297mm\n"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("layout: 2×5 from 14mm left, 11mm top"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("size 358×217, 2 across, 5 down, gaps 0 and 0, from the top 43, from the left 55"),
              std::string::npos) << outcome.out;
}

TEST_F(ZulnameSheetsTest, ApplyWritesWhatTheChoosersOkWrites) {
    MakeRecord(2);
    const ToolOutcome outcome = Run({"apply", "汎用", kBuiltInPart});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("slot 2: 汎用 " + kBuiltInPart + "\n"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("上から: 10 -> 43\n"), std::string::npos) << outcome.out;
    EXPECT_EQ(Ini("ZULNAME.INI", "Card", "2w"), "358");
    EXPECT_EQ(Ini("ZULNAME.INI", "Card", "2h"), "217");
    EXPECT_EQ(Ini("ZULNAME.INI", "PrintOptions", "2Column"), "2");
    EXPECT_EQ(Ini("ZULNAME.INI", "PrintOptions", "2Line"), "5");
    EXPECT_EQ(Ini("ZULNAME.INI", "PrintOptions", "2Paper"), "210x297");
    EXPECT_EQ(Ini("r.ini", "Option", "Top"), "43");
    EXPECT_EQ(Ini("r.ini", "Option", "Left"), "55");

    EXPECT_EQ(Run({"apply", "汎用", kBuiltInPart, "--slot", "3"}).status, 0);
    EXPECT_EQ(Ini("ZULNAME.INI", "Card", "3h"), "217");
}

TEST_F(ZulnameSheetsTest, ARecordFilePrintsTheSameWithAnySettingsFolder) {
    MakeRecord();
    std::string cards = "[#Setting#]\r\nLabel=1\r\nMax=2\r\n";
    for (const char* name : {"A", "B", "C"})
        cards += "[000" + std::to_string(name[0] - 'A') + "]\r\n" + S("氏名") + "=" + name + "\r\n1IsPrint" + S("氏名") + "=1\r\n";
    WriteBytes(PathOf("r.ini"), cards);
    ASSERT_EQ(Run({"apply", "汎用", kBuiltInPart}).status, 0);
    EXPECT_EQ(Ini("r.ini", "#Setting#", "Sheet1"), "358,217,2,5,0,0,210x297,1");
    const std::vector<std::string> exportArgs{"--format", "trace", "--record", PathOf("r.ini")};
    const ToolOutcome here = RunTool(ZULNAME_EXPORT_PATH, exportArgs, Home());
    ASSERT_EQ(here.status, 0) << here.err;
    EXPECT_EQ(here.err, "");

    // Another installation, whose slot 1 is another sheet with cut lines.
    const std::string otherHome = PathOf("other");
    std::filesystem::create_directories(otherHome);
    const std::string otherSettings = "[Card]\r\n1w=300\r\n[PrintOptions]\r\n1Column=3\r\n1Line=2\r\n1NoCutLine=0\r\n";
    WriteBytes(otherHome + "/ZULNAME.INI", otherSettings);
    setenv("ZULNAME_HOME", otherHome.c_str(), 1);
    const ToolOutcome there = RunTool(ZULNAME_EXPORT_PATH, exportArgs, Home());
    setenv("ZULNAME_HOME", Home().c_str(), 1);
    ASSERT_EQ(there.status, 0) << there.err;
    EXPECT_EQ(there.out, here.out);
    EXPECT_EQ(there.err, "zulname-export: label slot 1: printing the sheet recorded in the record file, not the settings file's\n");
    EXPECT_EQ(ReadBytes(otherHome + "/ZULNAME.INI"), otherSettings);  // the export drew with a copy in memory

    // A list drawn through the record file's design is on its sheet too.
    WriteBytes(PathOf("list.csv"), "氏名\nD\nE\n");
    std::vector<std::string> listArgs = exportArgs;
    listArgs.insert(listArgs.end(), {"--list", PathOf("list.csv")});
    setenv("ZULNAME_HOME", otherHome.c_str(), 1);
    const ToolOutcome list = RunTool(ZULNAME_EXPORT_PATH, listArgs, Home());
    setenv("ZULNAME_HOME", Home().c_str(), 1);
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.err, there.err);
    // The second tag of the row stands where the recorded sheet puts it.
    const auto secondTag = [](const std::string& trace) {
        const std::size_t at = trace.find("\ncard 0001 ");
        return at == std::string::npos ? std::string() : trace.substr(at, trace.find('\n', at + 1) - at);
    };
    EXPECT_NE(secondTag(list.out), "");
    EXPECT_EQ(secondTag(list.out), secondTag(there.out));
}

TEST_F(ZulnameSheetsTest, ApplyOverTheFileSizeLimitFailsAndKeepsTheRecordFile) {
    MakeRecord();
    const std::string record = ReadBytes(PathOf("r.ini")) + "[Padding]\r\nText=" + std::string(1000, 'x') + "\r\n";
    WriteBytes(PathOf("r.ini"), record);
    ExpectFailure(RunToolWithFileSizeLimit(ZULNAME_SHEETS_PATH, {"apply", "汎用", kBuiltInPart}, Home(), 1024), 1,
                  "cannot write " + PathOf("r.ini") + ": file too large");
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), record);
    EXPECT_EQ(TemporariesOf(PathOf("r.ini")), std::vector<std::string>());
}

TEST_F(ZulnameSheetsTest, SaveAddsTheSlotsSettingsToTheUsersSheets) {
    MakeRecord();
    ASSERT_EQ(Run({"apply", "汎用", kBuiltInPart}).status, 0);
    const ToolOutcome saved = Run({"save", "受付"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    const ToolOutcome list = Run({"list", "--search", "受付"});
    EXPECT_EQ(list.out, "保存\t受付\t90.9×55.1mm\t2×5\t保存\n");
}

TEST_F(ZulnameSheetsTest, BadCommandLinesAndUnknownProductsFailWithOneLine) {
    ExpectFailure(Run({}), 2, "no command given");
    ExpectFailure(Run({"lists"}), 2, "unknown command");
    ExpectFailure(Run({"list", "--search"}), 2, "--search needs a value");
    ExpectFailure(Run({"show", "汎用"}), 2, "show needs MAKER and PART");
    ExpectFailure(Run({"show", "汎用", "X", "--search", "y"}), 2, "--search belongs to list");
    ExpectFailure(Run({"list", "--slot", "2", "--bogus"}), 2, "unknown option --bogus");
    ExpectFailure(Run({"show", "汎用", "無い"}), 1, "no product \"無い\" of \"汎用\"");
    ExpectFailure(Run({"apply", "汎用", kBuiltInPart}), 1, "no current record file");
    MakeRecord();
    ExpectFailure(Run({"apply", "汎用", kBuiltInPart, "--slot", "4"}), 2, "--slot takes 1, 2 or 3");
    ExpectFailure(Run({"apply", "汎用", kBuiltInPart, "--record", PathOf("none.ini")}), 1, "no record file");
}
