#include <gtest/gtest.h>

#include "dialogs/pdf_export_model.h"

namespace {

using Pages = std::vector<std::int32_t>;

Pages Range(PdfExportModel& model, const char* from, const char* to, std::string& problem) {
    model.OnAllPages(false);
    model.from = from;
    model.to = to;
    return model.Pages(problem).value_or(Pages{-1});
}

}  // namespace

TEST(PdfExportModelTest, OpensOnAllPagesWithTheWholeRangeReady) {
    PdfExportModel model(3);
    model.OnOpen();
    EXPECT_TRUE(model.allPages);
    EXPECT_FALSE(model.rangeEnabled);
    EXPECT_EQ(model.allCaption, "すべてのページ (3ページ)");
    EXPECT_EQ(model.from, "1");
    EXPECT_EQ(model.to, "3");
    std::string problem;
    EXPECT_EQ(model.Pages(problem), (Pages{1, 2, 3}));
    model.OnAllPages(false);
    EXPECT_TRUE(model.rangeEnabled);
}

TEST(PdfExportModelTest, ARangeWithinThePagesIsTakenAndAnyOtherRefused) {
    PdfExportModel model(5);
    model.OnOpen();
    std::string problem;
    EXPECT_EQ(Range(model, "2", "4", problem), (Pages{2, 3, 4}));
    EXPECT_EQ(Range(model, " 5 ", "5", problem), (Pages{5}));
    for (const auto& [from, to] : std::vector<std::pair<const char*, const char*>>{
             {"0", "2"}, {"4", "2"}, {"1", "6"}, {"", "2"}, {"a", "2"}, {"-1", "2"}, {"1", "9999999"}}) {
        problem.clear();
        EXPECT_EQ(Range(model, from, to, problem), Pages{-1}) << from << "–" << to;
        EXPECT_EQ(problem, "ページは 1～5 の範囲で、始めを終わり以下にしてください。");
    }
}
