// zulname-export --list LIST --design NAME: the whole job from a list, with no record file and no
// settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

class ZulnameExportDesignTest : public TempHomeTest {
protected:
    ZulnameExportDesignTest() {
        WriteBytes(PathOf("list.csv"), "氏名,所属\n山田 太郎,東京商事\n佐藤 花子,大阪工業\n鈴木 一郎,名古屋大学\n");
    }
    ToolOutcome Export(std::vector<std::string> extra) const {
        std::vector<std::string> args{"--list", PathOf("list.csv"), "--design", "シンプル", "--format", "trace"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunTool(ZULNAME_EXPORT_PATH, args, Home());
    }
};

// The tags' corners ("card" lines) and the names drawn.
std::vector<std::string> TagsAndNames(const std::string& trace) {
    std::vector<std::string> found;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("card ", 0) == 0) found.push_back(line);
        for (const char* name : {"山田 太郎", "佐藤 花子", "鈴木 一郎"})
            if (line.rfind("text ", 0) == 0 && line.find(std::string("\"") + name + "\"") != std::string::npos)
                found.push_back(name);
    }
    return found;
}

// The width and height of the first tag's frame ("rect" line), in hundredths of an inch.
std::string FirstFrameSize(const std::string& trace) {
    std::istringstream in(trace.substr(trace.find("\nrect ") + 6));
    int left = 0, top = 0, right = 0, bottom = 0;
    in >> left >> top >> right >> bottom;
    return std::to_string(right - left) + "x" + std::to_string(top - bottom);
}

}  // namespace

TEST_F(ZulnameExportDesignTest, PrintsAListOnTheDefaultSheetWritingNothingButTheOutput) {
    const ToolOutcome outcome = Export({});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    // A4 of 2 × 5 tags of 91 × 55 mm from 14 mm left and 11 mm down: 358 × 217 from (55, 43).
    EXPECT_EQ(TagsAndNames(outcome.out), (std::vector<std::string>{"card 0000 55 -43", "山田 太郎", "card 0001 413 -43",
                                                                   "佐藤 花子", "card 0002 55 -260", "鈴木 一郎"}));
    EXPECT_EQ(FirstFrameSize(outcome.out), "358x217");
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Home()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"list.csv"});
}

TEST_F(ZulnameExportDesignTest, ASheetNamedFitsTheDesignToItsLabels) {
    const ToolOutcome outcome = Export({"--sheet", "汎用", "A4 名札 8面 86×54mm (上37.5 左19 隙間 上下2)"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // 86 × 54 mm tags 2 mm apart, from 19 mm left and 37.5 mm down.
    EXPECT_EQ(TagsAndNames(outcome.out), (std::vector<std::string>{"card 0000 75 -148", "山田 太郎", "card 0001 414 -148",
                                                                   "佐藤 花子", "card 0002 75 -368", "鈴木 一郎"}));
    EXPECT_EQ(FirstFrameSize(outcome.out), "339x213");
}

TEST_F(ZulnameExportDesignTest, AnUnknownDesignOrSheetIsAUsageError) {
    const std::vector<std::string> list{"--list", PathOf("list.csv"), "--format", "trace"};
    const auto run = [&](std::vector<std::string> extra) {
        extra.insert(extra.begin(), list.begin(), list.end());
        return RunTool(ZULNAME_EXPORT_PATH, extra, Home());
    };
    ExpectFailure(run({"--design", "無いデザイン"}), 2, "no design \"無いデザイン\"");
    ExpectFailure(run({"--design", "シンプル", "--sheet", "汎用", "A0 1面"}), 2, "no label sheet \"A0 1面\" of \"汎用\"");
    ExpectFailure(run({"--design", "シンプル", "--design-card", "0"}), 2, "exclude each other");
    ExpectFailure(run({"--sheet", "汎用", "A0 1面"}), 2, "needs --design");
}

TEST_F(ZulnameExportDesignTest, AColumnOfNoItemIsLeftOutWithANoteUnlessAMapAsksForIt) {
    WriteBytes(PathOf("list.csv"), "氏名,所属,区分\n山田 太郎,東京商事,来賓\n佐藤 花子,大阪工業,一般\n鈴木 一郎,名古屋大学,\n");
    const ToolOutcome outcome = Export({});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(TagsAndNames(outcome.out).size(), 6u);
    EXPECT_NE(outcome.err.find("the column \"区分\" is no item of the settings; not printed"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out.find("来賓"), std::string::npos);
    ExpectFailure(Export({"--map", "区分=部門"}), 1, "--map names no item \"部門\"");
}
