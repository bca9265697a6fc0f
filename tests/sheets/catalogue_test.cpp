#include <gtest/gtest.h>
#include <sys/stat.h>

#include "sheets/catalogue.h"
#include "sheets/saved_sheets.h"
#include "sheets/template_file.h"
#include "tests/sheets/catalogue_fixture.h"

namespace {

const std::string kCards = "width=\"91mm\" height=\"55mm\" round=\"0mm\"";
const std::string kTwoByFive = "nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"11mm\" dx=\"91mm\" dy=\"55mm\"";

std::string Unusable(const sheets::SheetCatalogue& catalogue, const std::string& part) {
    const sheets::SheetProduct* product = catalogue.Find("Maker", part);
    return product != nullptr ? product->unusable : "(missing)";
}

}  // namespace

TEST_F(CatalogueTest, ARectangleTemplateIsReadInMillimetres) {
    UserFile("a.xml", Rectangle("C10", "width=\"2.625in\" height=\"72pt\" round=\"3mm\"",
                                "nx=\"3\" ny=\"10\" x0=\"0.5cm\" y0=\"12.7mm\" dx=\"2.75in\" dy=\"1in\"", "size=\"US-Letter\""));
    const sheets::SheetProduct* product = Load().Find("Maker", "C10");
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->description, "Test labels");
    EXPECT_EQ(product->source, sheets::SheetSource::UserFiles);
    EXPECT_EQ(product->paperId, "US-Letter");
    EXPECT_DOUBLE_EQ(product->paperWidth, 215.9);
    EXPECT_DOUBLE_EQ(product->width, 66.675);
    EXPECT_DOUBLE_EQ(product->height, 25.4);
    EXPECT_DOUBLE_EQ(product->round, 3);
    EXPECT_EQ(product->columns, 3);
    EXPECT_EQ(product->rows, 10);
    EXPECT_DOUBLE_EQ(product->left, 5);
    EXPECT_DOUBLE_EQ(product->top, 12.7);
    EXPECT_DOUBLE_EQ(product->pitchX, 69.85);
    EXPECT_DOUBLE_EQ(product->pitchY, 25.4);
    EXPECT_EQ(product->PerSheet(), 30);
    EXPECT_TRUE(product->Usable()) << product->unusable;
}

TEST_F(CatalogueTest, ADamagedOrForeignFileIsSkippedWithOneWarningAndTheRestLoads) {
    UserFile("good.xml", Rectangle("OK1", kCards, kTwoByFive));
    WriteBytes(PathOf("user/broken.xml"), "<?xml version=\"1.0\"?>\n<Glabels-templates><Template brand=\"Maker\"");
    WriteBytes(PathOf("user/foreign.xml"), "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    WriteBytes(PathOf("user/empty.xml"), "");
    WriteBytes(PathOf("user/notes.txt"), "not a template file and not read");
    WriteBytes(PathOf("user/large.xml"), std::string(sheets::kMaxTemplateFileBytes + 1, ' '));
    const sheets::SheetCatalogue& loaded = Load();
    EXPECT_NE(loaded.Find("Maker", "OK1"), nullptr);
    ASSERT_EQ(loaded.Warnings().size(), 4u);
    EXPECT_NE(loaded.Warnings()[0].find("broken.xml: not well-formed XML (line"), std::string::npos) << loaded.Warnings()[0];
    EXPECT_NE(loaded.Warnings()[1].find("empty.xml: not well-formed"), std::string::npos) << loaded.Warnings()[1];
    EXPECT_NE(loaded.Warnings()[2].find("foreign.xml: not a label template file (its root element is <svg>)"),
              std::string::npos) << loaded.Warnings()[2];
    EXPECT_NE(loaded.Warnings()[3].find("large.xml: larger than 16 MB"), std::string::npos) << loaded.Warnings()[3];
}

TEST_F(CatalogueTest, AFifoNamedLikeTheSavedSheetsIsNeverWaitedOn) {
    ASSERT_EQ(mkfifo(PathOf("sheets.xml").c_str(), 0600), 0);
    const sheets::SheetCatalogue& loaded = Load();
    ASSERT_EQ(loaded.Warnings().size(), 1u);
    EXPECT_NE(loaded.Warnings()[0].find("sheets.xml: not a regular file"), std::string::npos) << loaded.Warnings()[0];
    std::string problem;
    EXPECT_FALSE(sheets::SaveSheet(PathOf("sheets.xml"), sheets::SheetProduct(), problem));
    EXPECT_NE(problem.find("not a regular file; it was left unchanged"), std::string::npos) << problem;
}

TEST_F(CatalogueTest, ProductsThatCannotBeAppliedAreListedWithTheReason) {
    UserFile("bad.xml",
             Rectangle("Zero", kCards, "nx=\"0\" ny=\"5\" x0=\"0\" y0=\"0\" dx=\"91mm\" dy=\"55mm\"") +
             Rectangle("Letters", kCards, "nx=\"two\" ny=\"5\" x0=\"0\" y0=\"0\" dx=\"91mm\" dy=\"55mm\"") +
             Rectangle("Units", "width=\"91px\" height=\"55mm\"", kTwoByFive) +
             Rectangle("NoNumber", "width=\"91mm\" height=\"55mm\" round=\"in\"", kTwoByFive) +
             Rectangle("TooWide", kCards, "nx=\"3\" ny=\"5\" x0=\"14mm\" y0=\"11mm\" dx=\"91mm\" dy=\"55mm\"") +
             Rectangle("TooLow", kCards, "nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"30mm\" dx=\"91mm\" dy=\"55mm\"") +
             Rectangle("Negative", kCards, "nx=\"2\" ny=\"5\" x0=\"-5mm\" y0=\"11mm\" dx=\"91mm\" dy=\"55mm\"") +
             Rectangle("NoStep", kCards, "nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"11mm\" dx=\"0mm\" dy=\"55mm\"") +
             Rectangle("Huge", "width=\"1e308mm\" height=\"55mm\"", kTwoByFive) +
             Rectangle("Minus", "width=\"-91mm\" height=\"55mm\"", kTwoByFive) +
             Rectangle("Tiny", "width=\"0.01mm\" height=\"0.01mm\"",
                       "nx=\"1000\" ny=\"1000\" x0=\"0\" y0=\"0\" dx=\"0.01mm\" dy=\"0.01mm\"") +
             Rectangle("Dots", "width=\"0.5mm\" height=\"0.5mm\"", kTwoByFive) +
             Rectangle("Paper", kCards, kTwoByFive, "size=\"Napkin\"") +
             Rectangle("Other", kCards, kTwoByFive, "size=\"Other\" width=\"210mm\" height=\"297mm\"") +
             "<Template brand=\"Maker\" part=\"Two\" size=\"A4\"><Label-rectangle width=\"91mm\" height=\"55mm\">"
             "<Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\" dx=\"0\" dy=\"0\"/><Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"100mm\" dx=\"0\" dy=\"0\"/>"
             "</Label-rectangle></Template>\n"
             "<Template brand=\"Maker\" part=\"None\" size=\"A4\"><Label-rectangle width=\"91mm\" height=\"55mm\"/></Template>\n"
             "<Template brand=\"Maker\" part=\"Round\" size=\"A4\"><Label-round radius=\"20mm\">"
             "<Layout nx=\"2\" ny=\"2\" x0=\"0\" y0=\"0\" dx=\"50mm\" dy=\"50mm\"/></Label-round></Template>\n"
             "<Template brand=\"Maker\" part=\"Disc\" size=\"A4\"><Label-cd radius=\"58mm\">"
             "<Layout nx=\"1\" ny=\"2\" x0=\"0\" y0=\"0\" dx=\"0\" dy=\"120mm\"/></Label-cd></Template>\n");
    Load();
    EXPECT_EQ(Unusable(catalogue, "Zero"), "列または行が0");
    EXPECT_EQ(Unusable(catalogue, "Letters"), "列または行が0");
    EXPECT_EQ(Unusable(catalogue, "Units"), "長さの単位が不明");
    EXPECT_EQ(Unusable(catalogue, "NoNumber"), "長さの単位が不明");
    EXPECT_EQ(Unusable(catalogue, "TooWide"), "用紙に収まらない");
    EXPECT_EQ(Unusable(catalogue, "TooLow"), "用紙に収まらない");
    EXPECT_EQ(Unusable(catalogue, "Negative"), "用紙に収まらない");
    EXPECT_EQ(Unusable(catalogue, "NoStep"), "ラベルの間隔が0");
    EXPECT_EQ(Unusable(catalogue, "Huge"), "長さが大きすぎる (10 mまで)");
    EXPECT_EQ(sheets::LabelSizeText(*catalogue.Find("Maker", "Huge")), "1e+308×55mm");
    EXPECT_EQ(Unusable(catalogue, "Minus"), "ラベルの大きさが負");
    EXPECT_EQ(Unusable(catalogue, "Tiny"), "面数が多すぎる (1000面まで)");
    EXPECT_EQ(Unusable(catalogue, "Dots"), "ラベルが小さすぎる (1 mm未満)");
    EXPECT_EQ(Unusable(catalogue, "Paper"), "用紙サイズが不明");
    EXPECT_EQ(Unusable(catalogue, "Other"), "");
    EXPECT_EQ(Unusable(catalogue, "Two"), "レイアウトが複数");
    EXPECT_EQ(Unusable(catalogue, "None"), "レイアウトがない");
    EXPECT_EQ(Unusable(catalogue, "Round"), "円形ラベル");
    EXPECT_EQ(Unusable(catalogue, "Disc"), "CDラベル");
    EXPECT_TRUE(catalogue.Warnings().empty());
}

TEST_F(CatalogueTest, AnEquivalentSharesTheOriginalsLabelsUnderItsOwnName) {
    UserFile("e.xml", Rectangle("ORIG", kCards, kTwoByFive) +
                          "<Template brand=\"Maker\" part=\"SAME\" equiv=\"ORIG\"/>\n"
                          "<Template brand=\"Maker\" part=\"LOST\" equiv=\"NOWHERE\"/>\n"
                          "<Template brand=\"Other\" part=\"ELSE\" equiv=\"ORIG\"/>\n");
    Load();
    const sheets::SheetProduct* same = catalogue.Find("Maker", "SAME");
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->part, "SAME");
    EXPECT_EQ(same->description, "Test labels");
    EXPECT_DOUBLE_EQ(same->width, 91);
    EXPECT_EQ(same->rows, 5);
    EXPECT_TRUE(same->Usable());
    EXPECT_EQ(Unusable(catalogue, "LOST"), "同等品の元がない");
    // An equivalent names a product of its own maker.
    EXPECT_EQ(catalogue.Find("Other", "ELSE")->unusable, "同等品の元がない");
}

TEST_F(CatalogueTest, SavedSheetsComeFirstThenBuiltInThenTheUsersFiles) {
    UserFile("u.xml", Rectangle("X", kCards, kTwoByFive));
    WriteBytes(PathOf("sheets.xml"), "<Glabels-templates>" + Rectangle("X", "width=\"90mm\" height=\"55mm\"", kTwoByFive) +
                                         "</Glabels-templates>");
    Load(true);
    const std::vector<sheets::SheetProduct>& products = catalogue.Products();
    ASSERT_GE(products.size(), 3u);
    EXPECT_EQ(products.front().source, sheets::SheetSource::Saved);
    EXPECT_EQ(products[1].source, sheets::SheetSource::BuiltIn);
    EXPECT_EQ(products.back().source, sheets::SheetSource::UserFiles);
    EXPECT_DOUBLE_EQ(catalogue.Find("Maker", "X")->width, 90);  // the saved one wins
}

TEST_F(CatalogueTest, TheBuiltInBusinessCardSheetFitsA4WithoutMargins) {
    Load(true);
    const sheets::SheetProduct* cards = catalogue.Find("汎用", "A4 名刺 10面 91×55mm (上11 左14)");
    ASSERT_NE(cards, nullptr);
    EXPECT_EQ(cards->source, sheets::SheetSource::BuiltIn);
    EXPECT_TRUE(cards->Usable()) << cards->unusable;
    EXPECT_DOUBLE_EQ(cards->left + 2 * cards->width + cards->left, cards->paperWidth);
    EXPECT_DOUBLE_EQ(cards->top + 5 * cards->height + cards->top, cards->paperHeight);
    for (const sheets::SheetProduct& product : catalogue.Products())
        EXPECT_TRUE(product.Usable()) << product.part << ": " << product.unusable;
    EXPECT_TRUE(catalogue.Warnings().empty());
}

TEST_F(CatalogueTest, SearchMatchesEveryWordByNameSizeOrCount) {
    UserFile("s.xml", Rectangle("BC-10", kCards, kTwoByFive) +
                          Rectangle("ADDR-24", "width=\"70mm\" height=\"37mm\"",
                                    "nx=\"3\" ny=\"8\" x0=\"0\" y0=\"0\" dx=\"70mm\" dy=\"37mm\""));
    Load();
    const auto parts = [this](const std::string& text) { return PartsFound(text); };
    using Parts = std::vector<std::string>;
    EXPECT_EQ(parts(""), (Parts{"BC-10", "ADDR-24"}));
    EXPECT_EQ(parts("maker bc"), (Parts{"BC-10"}));
    EXPECT_EQ(parts("MAKER\u3000addr"), (Parts{"ADDR-24"}));  // ideographic space between words
    EXPECT_EQ(parts("91x55"), (Parts{"BC-10"}));
    EXPECT_EQ(parts("91.3×54.8mm"), (Parts{"BC-10"}));
    EXPECT_EQ(parts("24面"), (Parts{"ADDR-24"}));
    EXPECT_EQ(parts("10"), (Parts{"BC-10"}));  // the count and the name alike
    EXPECT_EQ(parts("70x37 10"), Parts{});
    EXPECT_EQ(parts("92x55"), Parts{});
}

TEST_F(CatalogueTest, MakersAreFoundInKatakanaAsInLatinLetters) {
    const auto byMaker = [](const std::string& maker, const std::string& part) {
        std::string product = Rectangle(part, kCards, kTwoByFive);
        return product.replace(product.find("Maker"), 5, maker);
    };
    UserFile("s.xml", byMaker("Hisago", "ELM003") + byMaker("Avery", "5160") + byMaker("エーワン", "51002"));
    Load();
    const auto parts = [this](const std::string& text) { return PartsFound(text); };
    using Parts = std::vector<std::string>;
    EXPECT_EQ(parts("ヒサゴ"), (Parts{"ELM003"}));
    EXPECT_EQ(parts("ひさご 10面"), (Parts{"ELM003"}));  // hiragana as typed before converting
    EXPECT_EQ(parts("エイブリィ"), (Parts{"5160"}));
    EXPECT_EQ(parts("エイブリー"), (Parts{"5160"}));
    EXPECT_EQ(parts("A-One"), (Parts{"51002"}));  // a maker written in katakana, found in Latin letters
    EXPECT_EQ(parts("コクヨ"), Parts{});
}

TEST(MillimetreTextTest, TenthsWithoutATrailingZero) {
    EXPECT_EQ(sheets::MillimetreText(91), "91");
    EXPECT_EQ(sheets::MillimetreText(148.5), "148.5");
    EXPECT_EQ(sheets::MillimetreText(66.675), "66.7");
    EXPECT_EQ(sheets::MillimetreText(-0.25), "-0.3");
}
