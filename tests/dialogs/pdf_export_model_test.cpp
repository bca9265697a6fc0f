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

TEST(PdfExportModelTest, TheRostersSelectedCardsAreOfferedOnlyWhenThereAreAny) {
    PdfExportModel none(3);
    none.OnOpen();
    EXPECT_FALSE(none.selectedShown);
    none.OnSelectedCards();
    EXPECT_FALSE(none.selectedOnly);

    PdfExportModel model(3, 2);
    model.OnOpen();
    EXPECT_TRUE(model.selectedShown);
    EXPECT_EQ(model.selectedCaption, "選択したカード (2枚)");
    model.OnAllPages(false);
    model.OnSelectedCards();
    EXPECT_TRUE(model.selectedOnly);
    EXPECT_FALSE(model.allPages);
    EXPECT_FALSE(model.rangeEnabled);
    std::string problem;
    model.to = "9";  // a range left behind does not matter
    const std::optional<PdfChoice> selected = model.Choice(problem);
    ASSERT_TRUE(selected);
    EXPECT_TRUE(selected->selectedCards);
    model.OnAllPages(true);
    EXPECT_FALSE(model.selectedOnly);
    EXPECT_EQ(model.Choice(problem)->pages, (Pages{1, 2, 3}));
}
