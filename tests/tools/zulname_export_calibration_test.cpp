// zulname-export's exact output, its printer calibration on request, its paper and title, and
// the calibration test page.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

class ExportCalibrationTest : public TempHomeTest {
protected:
    ToolOutcome Run(const std::vector<std::string>& args) const { return RunTool(ZULNAME_EXPORT_PATH, args, Home()); }

    // A record file 来賓名簿.ini with one named card, current in the settings, which hold `extra`.
    void MakeRecord(const std::string& extra = "") const {
        const std::string record = PathOf("来賓名簿.ini");
        WriteBytes(record, "[#Setting#]\r\nLabel=1\r\nMax=0\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n");
        WriteBytes(PathOf("ZULNAME.INI"), "[Current]\r\nGenre=" + S("来賓") + "\r\n[CurrentIni]\r\n" + S("来賓") + "=" +
                                              S(record) + "\r\n" + extra);
    }
    static std::vector<std::string> Lines(const std::string& text, const std::string& prefix) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            if (line.rfind(prefix, 0) == 0) lines.push_back(line);
        return lines;
    }
};

}  // namespace

TEST_F(ExportCalibrationTest, ExportsAreExactUnlessAPrintersCalibrationIsAskedFor) {
    MakeRecord("[Calibration]\r\nOffice=1.0,1.5,-0.25\r\nFar=20.0,0,0\r\nBroken=1.0\r\n");
    const ToolOutcome exact = Run({"--format", "trace"});
    EXPECT_EQ(exact.status, 0) << exact.err;
    EXPECT_TRUE(Lines(exact.out, "calibrate").empty());

    const ToolOutcome calibrated = Run({"--format", "trace", "--calibrate", "Office"});
    EXPECT_EQ(calibrated.status, 0) << calibrated.err;
    EXPECT_EQ(Lines(calibrated.out, "calibrate"), std::vector<std::string>{"calibrate x=1.0mm y=1.5mm scale=-0.25%"});
    // The tags keep their logical places; the surface moves the page under them.
    EXPECT_EQ(Lines(calibrated.out, "card"), Lines(exact.out, "card"));

    ExpectFailure(Run({"--format", "trace", "--calibrate", "Elsewhere"}), 1, "no calibration is stored for the printer \"Elsewhere\"");
    ExpectFailure(Run({"--format", "trace", "--calibrate", "Far"}), 1, "calibration stored for the printer \"Far\" is out of range");
    ExpectFailure(Run({"--format", "trace", "--calibrate", "Broken"}), 1, "calibration stored for the printer \"Broken\" is damaged");
    ExpectFailure(Run({"--format", "trace", "--calibrate"}), 2, "--calibrate needs a value");
    ExpectFailure(Run({"--format", "trace", "--card-mode", "--calibrate", "Office"}), 2, "--calibrate needs sheet pages");
}

TEST_F(ExportCalibrationTest, ThePdfHasTheSlotsPaperAndTheRecordFilesNameAsTitle) {
    MakeRecord("[PrintOptions]\r\n1Paper=215.9x279.4\r\n");
    ASSERT_EQ(Run({"--format", "pdf", "--dpi", "72", "-o", PathOf("out.pdf")}).status, 0);
    const std::string pdf = ReadBytes(PathOf("out.pdf"));
    EXPECT_NE(pdf.find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos) << "US letter, in points";
    // The title is written as UTF-16: 来 is U+6765, 賓 U+8CD3.
    EXPECT_NE(pdf.find("/Title"), std::string::npos);
    EXPECT_NE(pdf.find("\x67\x65\x8c\xd3"), std::string::npos) << "来賓 in the title";

    MakeRecord();
    ASSERT_EQ(Run({"--format", "pdf", "--dpi", "72", "-o", PathOf("a4.pdf")}).status, 0);
    EXPECT_NE(ReadBytes(PathOf("a4.pdf")).find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos) << "A4 while none is stored";
}

TEST_F(ExportCalibrationTest, TheTestPageNeedsNoRecordFileAndNamesThePrinter) {
    WriteBytes(PathOf("ZULNAME.INI"), "[Calibration]\r\nOffice=-0.5,0.0,0.00\r\n");
    const ToolOutcome page = Run({"--format", "trace", "--test-page", "--calibrate", "Office"});
    EXPECT_EQ(page.status, 0) << page.err;
    EXPECT_EQ(Lines(page.out, "calibrate"), std::vector<std::string>{"calibrate x=-0.5mm y=0.0mm scale=0.00%"});
    EXPECT_EQ(Lines(page.out, "line 55 -79 102 -79 ").size(), 1u) << "the top-left cross";
    bool named = false;
    for (const std::string& text : Lines(page.out, "text ")) named = named || text.find("プリンタ: Office") != std::string::npos;
    EXPECT_TRUE(named);

    const ToolOutcome uncalibrated = Run({"--format", "trace", "--test-page"});
    EXPECT_EQ(uncalibrated.status, 0) << uncalibrated.err;
    EXPECT_TRUE(Lines(uncalibrated.out, "calibrate").empty());
    ExpectFailure(Run({"--format", "trace", "--test-page", "--page", "1"}), 2, "--test-page draws no record file");
    ExpectFailure(Run({"--format", "trace", "--test-page", "--record", PathOf("r.ini")}), 2, "--test-page draws no record file");
}

TEST_F(ExportCalibrationTest, TwoSidedTheTestPagesAreTheFrontAndTheBackUnderTheBackOffset) {
    WriteBytes(PathOf("ZULNAME.INI"), "[Calibration]\r\nOffice=0.0,0.0,0.00\r\n[CalibrationBack]\r\nOffice=1.5,-0.5\r\n");
    const ToolOutcome pages = Run({"--format", "trace", "--test-page", "--duplex", "long", "--calibrate", "Office"});
    EXPECT_EQ(pages.status, 0) << pages.err;
    EXPECT_EQ(Lines(pages.out, "page "), (std::vector<std::string>{"page 1", "page 2"}));
    EXPECT_EQ(Lines(pages.out, "calibrate"), (std::vector<std::string>{"calibrate x=0.0mm y=0.0mm scale=0.00%",
                                                                       "calibrate x=1.5mm y=-0.5mm scale=0.00%"}));
    // Cross 6 sits off the centre line: on the back, turned over the long edge, it is mirrored.
    const std::size_t back = pages.out.find("page 2");
    EXPECT_LT(pages.out.find("text 281 -396 "), back);
    EXPECT_GT(pages.out.find("text 557 -396 "), back);
}
