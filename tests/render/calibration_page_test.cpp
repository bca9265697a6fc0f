#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "render/calibration_page.h"
#include "render/trace_surface.h"

namespace {

std::vector<std::string> Lines(const std::string& printer = "Office") {
    std::ostringstream out;
    TraceSurface surface(out, 100, 100, true);
    DrawCalibrationPage(surface, 210, 297, printer, "2026-12-08");
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> RegistrationLines(RegistrationSide side) {
    std::ostringstream out;
    TraceSurface surface(out, 100, 100, true);
    DrawRegistrationPage(surface, 210, 297, side, {}, "Office", "2026-12-08");
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; });
}

bool HasText(const std::vector<std::string>& lines, const std::string& quoted) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind("text ", 0) == 0 && line.find(quoted) != std::string::npos;
    });
}

}  // namespace

TEST(CalibrationPageTest, CrossesSitTwentyMillimetresInFromEachCornerAndAtTheCentre) {
    const std::vector<CalibrationCross> crosses = CalibrationCrosses(210, 297);
    ASSERT_EQ(crosses.size(), 5u);
    EXPECT_DOUBLE_EQ(crosses[1].x, 190);
    EXPECT_DOUBLE_EQ(crosses[2].y, 148.5);
    EXPECT_DOUBLE_EQ(crosses[4].y, 277);
    const std::vector<std::string> lines = Lines();
    // 20 mm is 78.74 hundredths of an inch; each arm reaches 6 mm (23.6) further.
    EXPECT_TRUE(Has(lines, "line 55 -79 102 -79 ")) << "the top-left cross, across";
    EXPECT_TRUE(Has(lines, "line 79 -55 79 -102 ")) << "the top-left cross, down";
    EXPECT_TRUE(Has(lines, "line 748 -1067 748 -1114 ")) << "the bottom-right cross, down";
}

TEST(CalibrationPageTest, RulersAreNumberedEveryTenMillimetresAlongBothEdges) {
    const std::vector<std::string> lines = Lines();
    EXPECT_TRUE(Has(lines, "line 0 -39 827 -39 ")) << "the top ruler's base, 10 mm down";
    EXPECT_TRUE(Has(lines, "line 39 0 39 -1169 ")) << "the left ruler's base, 10 mm in";
    EXPECT_TRUE(Has(lines, "line 394 -39 394 -24 ")) << "the 100 mm tick, 4 mm long";
    EXPECT_TRUE(Has(lines, "line 4 -39 4 -31 ")) << "the 1 mm tick, 2 mm long";
    EXPECT_TRUE(HasText(lines, "\"200\""));
    EXPECT_TRUE(HasText(lines, "\"290\""));
    EXPECT_FALSE(HasText(lines, "\"300\"")) << "no number past the paper";
}

TEST(CalibrationPageTest, ThePrinterAndTheDateAreNamed) {
    const std::vector<std::string> lines = Lines("受付 LaserJet");
    EXPECT_TRUE(HasText(lines, "\"プリンタ: 受付 LaserJet\""));
    EXPECT_TRUE(HasText(lines, "\"日付: 2026-12-08\""));
    EXPECT_TRUE(HasText(lines, "間隔は 170 mm"));
    EXPECT_TRUE(HasText(Lines("Drucker Bürö"), "\"プリンタ: Drucker B?r?\""));
}

TEST(CalibrationPageTest, TheRegistrationBackPutsEachCrossBehindItsFrontAsThePaperIsTurned) {
    const std::vector<CalibrationCross> front = RegistrationCrosses(210, 297, RegistrationSide::Front);
    const std::vector<CalibrationCross> longEdge = RegistrationCrosses(210, 297, RegistrationSide::BackLongEdge);
    const std::vector<CalibrationCross> shortEdge = RegistrationCrosses(210, 297, RegistrationSide::BackShortEdge);
    ASSERT_EQ(front.size(), 6u);
    ASSERT_EQ(longEdge.size(), 6u);
    for (std::size_t i = 0; i < front.size(); ++i) {
        EXPECT_DOUBLE_EQ(longEdge[i].x, 210 - front[i].x);
        EXPECT_DOUBLE_EQ(longEdge[i].y, front[i].y);
        EXPECT_DOUBLE_EQ(shortEdge[i].x, front[i].x);
        EXPECT_DOUBLE_EQ(shortEdge[i].y, 297 - front[i].y);
    }
    // Cross 6 lies at 70 × 99 mm on the front, at 140 mm across on a long-edge back.
    const std::vector<std::string> back = RegistrationLines(RegistrationSide::BackLongEdge);
    EXPECT_TRUE(Has(back, "line 528 -390 575 -390 "));
    EXPECT_TRUE(HasText(back, "\"6\""));
    EXPECT_TRUE(HasText(back, "(裏・長辺とじ)"));
    EXPECT_TRUE(Has(RegistrationLines(RegistrationSide::Front), "line 252 -390 299 -390 "));
}
