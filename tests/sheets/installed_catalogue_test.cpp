// The catalogue as installed on this machine: the template database that `make deps` installs.

#include <gtest/gtest.h>

#include <algorithm>

#include "sheets/catalogue.h"

namespace {

class InstalledCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        catalogue_ = new sheets::SheetCatalogue;
        catalogue_->Load(sheets::DefaultSources());
    }
    static void TearDownTestSuite() {
        delete catalogue_;
        catalogue_ = nullptr;
    }
    void SetUp() override {
        if (!catalogue_->CatalogueInstalled()) GTEST_SKIP() << "the label template database (glabels-data) is not installed";
    }
    static const sheets::SheetProduct& Product(const char* maker, const char* part) {
        const sheets::SheetProduct* product = catalogue_->Find(maker, part);
        if (product == nullptr) throw std::runtime_error(std::string("no product ") + maker + " " + part);
        return *product;
    }
    static sheets::SheetCatalogue* catalogue_;
};
sheets::SheetCatalogue* InstalledCatalogueTest::catalogue_ = nullptr;

}  // namespace

TEST_F(InstalledCatalogueTest, EveryFileLoadsAndMostProductsAreUsable) {
    EXPECT_TRUE(catalogue_->Warnings().empty()) << catalogue_->Warnings().front();
    const std::vector<sheets::SheetProduct>& products = catalogue_->Products();
    EXPECT_GT(products.size(), 1700u);
    const auto usable = std::count_if(products.begin(), products.end(), [](const auto& p) { return p.Usable(); });
    EXPECT_GT(usable, 1300);
    const auto japanese = std::count_if(products.begin(), products.end(), [](const auto& p) { return p.maker == "Hisago"; });
    EXPECT_GT(japanese, 200);
}

// Figures as the files give them, converted to millimetres.
TEST_F(InstalledCatalogueTest, KnownProductsHaveTheGeometryOfTheirFiles) {
    const sheets::SheetProduct& hisago = Product("Hisago", "ELM006");  // 86.4mm × 50.8mm, 2 × 5 on A4
    EXPECT_DOUBLE_EQ(hisago.width, 86.4);
    EXPECT_DOUBLE_EQ(hisago.height, 50.8);
    EXPECT_EQ(hisago.columns, 2);
    EXPECT_EQ(hisago.rows, 5);
    EXPECT_DOUBLE_EQ(hisago.left, 18.6);
    EXPECT_DOUBLE_EQ(hisago.top, 21.2);
    EXPECT_DOUBLE_EQ(hisago.paperWidth, 210);
    EXPECT_DOUBLE_EQ(hisago.paperHeight, 297);
    EXPECT_TRUE(hisago.Usable());

    const sheets::SheetProduct& avery = Product("Avery", "5160");  // 2.625in × 1in, 3 × 10 on US letter
    EXPECT_DOUBLE_EQ(avery.width, 66.675);
    EXPECT_DOUBLE_EQ(avery.height, 25.4);
    EXPECT_DOUBLE_EQ(avery.round, 1.5875);
    EXPECT_DOUBLE_EQ(avery.left, 3.96875);
    EXPECT_DOUBLE_EQ(avery.pitchX, 70.64375);
    EXPECT_EQ(avery.PerSheet(), 30);
    EXPECT_EQ(avery.paperId, "US-Letter");
    EXPECT_DOUBLE_EQ(avery.paperHeight, 279.4);

    // An equivalent: the same sheet under another number.
    const sheets::SheetProduct& equivalent = Product("Hisago", "ELG006");
    EXPECT_DOUBLE_EQ(equivalent.width, 86.4);
    EXPECT_DOUBLE_EQ(equivalent.top, 21.2);

    EXPECT_EQ(Product("Hisago", "ELM024").unusable, "用紙に収まらない");  // its rows reach past the paper
    EXPECT_EQ(Product("Zweckform", "3490").unusable, "長さの単位が不明");  // x0=""
}

TEST_F(InstalledCatalogueTest, BusinessCardSheetsAreFoundBySizeAndCount) {
    std::vector<std::string> found;
    for (const std::size_t i : catalogue_->Search("hisago 86.4x50.8 10面")) found.push_back(catalogue_->Products()[i].part);
    EXPECT_NE(std::find(found.begin(), found.end(), "ELM006"), found.end());
    for (const std::size_t i : catalogue_->Search("86.4x50.8 10")) EXPECT_EQ(catalogue_->Products()[i].PerSheet(), 10);
}
