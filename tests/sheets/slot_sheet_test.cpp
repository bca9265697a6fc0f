#include <gtest/gtest.h>

#include <cmath>

#include "render/sheet.h"
#include "sheets/catalogue.h"
#include "sheets/saved_sheets.h"
#include "sheets/slot_sheet.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"
#include "tests/render/render_fixture.h"

namespace {

sheets::SheetProduct Cards(double pitchX = 91, double pitchY = 55) {
    sheets::SheetProduct product;
    product.maker = "Maker";
    product.part = "BC";
    product.paperId = "A4";
    product.paperWidth = 210;
    product.paperHeight = 297;
    product.width = 91;
    product.height = 55;
    product.columns = 2;
    product.rows = 5;
    product.left = 14;
    product.top = 11;
    product.pitchX = pitchX;
    product.pitchY = pitchY;
    return product;
}

class SlotSheetTest : public RenderTest {
protected:
    void ExpectEveryTagWhereTheProductSays(const sheets::SheetProduct& product);
    std::string Stored(const char* section, const std::string& key) { return settings.ReadString(section, key, "-"); }
};

}  // namespace

TEST(ToSlotSheetTest, EachLengthIsRoundedOnceToHundredthsOfAnInch) {
    // 91 mm is 358.27, 55 mm is 216.54, 14 mm is 55.12, 11 mm is 43.31 hundredths of an inch.
    const sheets::SlotSheet sheet = sheets::ToSlotSheet(Cards());
    EXPECT_EQ(sheet.width, 358);
    EXPECT_EQ(sheet.height, 217);
    EXPECT_EQ(sheet.left, 55);
    EXPECT_EQ(sheet.top, 43);
    EXPECT_EQ(sheet.gapH, 0);
    EXPECT_EQ(sheet.gapV, 0);
    EXPECT_EQ(sheet.columns, 2);
    EXPECT_EQ(sheet.rows, 5);
    EXPECT_EQ(sheet.paper, "210x297");
    EXPECT_TRUE(sheet.adjustments.empty());
    // The gap is the rounded step less the rounded label: 101 mm is 397.64, so 398 − 358.
    EXPECT_EQ(sheets::ToSlotSheet(Cards(101, 56)).gapH, 40);
    EXPECT_EQ(sheets::ToSlotSheet(Cards(101, 56)).gapV, 3);  // 220.47 → 220, less 217
}

TEST(ToSlotSheetTest, OverlappingLabelsGetTheNearestGapTheOptionsHoldAndSaySo) {
    const sheets::SlotSheet sheet = sheets::ToSlotSheet(Cards(80, 55));
    EXPECT_EQ(sheet.gapH, 0);
    ASSERT_EQ(sheet.adjustments.size(), 1u);
    EXPECT_NE(sheet.adjustments[0].find("左右の隙間 -43 は 0 に"), std::string::npos) << sheet.adjustments[0];
    // A single column has no gap to hold, whatever its step.
    sheets::SheetProduct single = Cards(0, 55);
    single.columns = 1;
    EXPECT_TRUE(sheets::ToSlotSheet(single).adjustments.empty());
}

TEST_F(SlotSheetTest, ApplyingStoresTheSlotsKeysAndTellsWhatChanged) {
    Record("[#Setting#]\r\nLabel=2\r\n[Option]\r\nTop=10\r\nLeft=10\r\n");
    const std::vector<sheets::SettingChange> changes =
        sheets::ApplySlotSheet(settings, record, 2, sheets::ToSlotSheet(Cards(101, 56)));
    EXPECT_EQ(Stored("Card", "2w"), "358");
    EXPECT_EQ(Stored("Card", "2h"), "217");
    EXPECT_EQ(Stored("Card", "1w"), "-");  // other slots are left alone
    EXPECT_EQ(Stored("PrintOptions", "2Column"), "2");
    EXPECT_EQ(Stored("PrintOptions", "2Line"), "5");
    EXPECT_EQ(Stored("PrintOptions", "2GapH"), "40");
    EXPECT_EQ(Stored("PrintOptions", "2GapV"), "3");
    EXPECT_EQ(Stored("PrintOptions", "2Paper"), "210x297");
    EXPECT_EQ(record.ReadString("Option", "Top", "-"), "43");
    EXPECT_EQ(record.ReadString("Option", "Left", "-"), "55");
    // The defaults of the untouched slot were 358 × 216, 2 × 5, no gaps, A4.
    std::vector<std::string> captions;
    for (const sheets::SettingChange& change : changes) captions.push_back(change.caption + " " + change.before + "→" + change.after);
    EXPECT_EQ(captions, (std::vector<std::string>{"高さ 216→217", "左右の隙間 0→40", "上下の隙間 0→3", "切り取り線 あり→なし",
                                                  "上から 10→43", "左から 10→55"}));
    // Labels that come cut print without cut lines; the record file keeps the slot's sheet.
    EXPECT_EQ(Stored("PrintOptions", "2NoCutLine"), "1");
    EXPECT_EQ(record.ReadString("#Setting#", "Sheet2", "-"), "358,217,2,5,40,3,210x297,1");
    EXPECT_EQ(record.ReadString("#Setting#", "Sheet1", "-"), "-");
    // Both files are on disk at once.
    EXPECT_NE(ReadBytes(PathOf("ZULNAME.INI")).find("2GapH=40"), std::string::npos);
    EXPECT_NE(ReadBytes(PathOf("r.ini")).find("Top=43"), std::string::npos);
}

TEST_F(SlotSheetTest, OneUndoInTheRecordFileTakesBackTheWholeSheet) {
    Record("[#Setting#]\r\nLabel=1\r\n[Option]\r\nTop=10\r\nLeft=10\r\n");
    profile::ProfileService::Instance().EndUndoStep();
    sheets::ApplySlotSheet(settings, record, 1, sheets::ToSlotSheet(Cards(101, 56)));
    profile::ProfileService::Instance().EndUndoStep();
    EXPECT_EQ(profile::ProfileService::Instance().Undo(record.ReadFsPath()), profile::UndoResult::Done);
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), "[#Setting#]\r\nLabel=1\r\n[Option]\r\nTop=10\r\nLeft=10\r\n");
    EXPECT_EQ(Stored("Card", "1h"), "-");
    EXPECT_EQ(Stored("PrintOptions", "1GapH"), "-");
    EXPECT_EQ(Stored("PrintOptions", "1Paper"), "-");
    EXPECT_EQ(profile::ProfileService::Instance().Undo(record.ReadFsPath()), profile::UndoResult::Nothing);
    profile::ProfileService::Instance().ForgetUndo(record.ReadFsPath());
}

// Every tag of an applied product lands where the product puts it, to the rounding documented
// with ToSlotSheet: the n-th of a row or column within (n + 1) / 2 hundredths of an inch.
void SlotSheetTest::ExpectEveryTagWhereTheProductSays(const sheets::SheetProduct& product) {
    std::string cards = "[#Setting#]\r\nLabel=1\r\nMax=" + std::to_string(product.PerSheet() - 1) + "\r\n";
    for (int card = 0; card < product.PerSheet(); ++card) {
        char section[16];
        std::snprintf(section, sizeof section, "%.4d", card);
        cards += "[" + std::string(section) + "]\r\n" + S("氏名") + "=N\r\n";
    }
    Record(cards);
    sheets::ApplySlotSheet(settings, record, 1, sheets::ToSlotSheet(product));
    view.label = LabelSize(settings, 1);
    view.slotPrefix = "1";
    const std::vector<std::string> lines = Trace([&](Surface& s) { DrawSheet(view, s); }, {"card"});
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(product.PerSheet())) << product.part;
    for (int i = 0; i < product.PerSheet(); ++i) {
        const int column = i % product.columns, row = i / product.columns;
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "card %*s %d %d", &x, &y), 2) << lines[i];
        const double trueX = (product.left + column * product.pitchX) / 0.254;
        const double trueY = (product.top + row * product.pitchY) / 0.254;
        EXPECT_LE(std::fabs(x - trueX), (column + 1) / 2.0) << product.part << " tag " << i;
        EXPECT_LE(std::fabs(-y - trueY), (row + 1) / 2.0) << product.part << " tag " << i;
    }
}

TEST_F(SlotSheetTest, EveryTagOfAnAppliedSheetIsWhereTheProductSaysInTheTrace) {
    ExpectEveryTagWhereTheProductSays(Cards());
    ExpectEveryTagWhereTheProductSays(Cards(101, 56));
}

TEST_F(SlotSheetTest, ProductsOfTheInstalledCatalogueTooAreLaidOutWhereTheySay) {
    sheets::SheetCatalogue catalogue;
    catalogue.Load(sheets::DefaultSources());
    if (!catalogue.CatalogueInstalled()) GTEST_SKIP() << "the label template database (glabels-data) is not installed";
    for (const auto& [maker, part] : std::vector<std::pair<const char*, const char*>>{
             {"Hisago", "ELM006"}, {"Hisago", "ELM010"}, {"Avery", "5160"}, {"汎用", "A4 名刺 10面 91×55mm (上11 左14)"}}) {
        const sheets::SheetProduct* product = catalogue.Find(maker, part);
        ASSERT_NE(product, nullptr) << maker << " " << part;
        ASSERT_TRUE(product->Usable()) << product->unusable;
        ExpectEveryTagWhereTheProductSays(*product);
    }
}

TEST_F(SlotSheetTest, TheSlotsPaperIsA4UnlessAValidSizeIsStored) {
    const auto paper = [this](const std::string& stored) {
        Settings("[PrintOptions]\r\n1Paper=" + stored + "\r\n");
        const sheets::PaperMillimetres size = sheets::SlotPaper(settings, "1");
        return sheets::MillimetreText(size.width) + "x" + sheets::MillimetreText(size.height);
    };
    EXPECT_EQ(paper("215.9x279.4"), "215.9x279.4");
    EXPECT_EQ(paper(""), "210x297");
    EXPECT_EQ(paper("A4"), "210x297");
    EXPECT_EQ(paper("0x297"), "210x297");
    EXPECT_EQ(paper("100x"), "210x297");
    EXPECT_EQ(paper("100x200mm"), "210x297");
    EXPECT_EQ(paper("1e9x297"), "210x297");
}

TEST_F(SlotSheetTest, SavedSettingsComeBackAsTheSameSheet) {
    Settings("[Card]\r\n3w=400\r\n3h=250\r\n[PrintOptions]\r\n3Column=2\r\n3Line=4\r\n3GapH=12\r\n3GapV=8\r\n3Paper=257x364\r\n");
    Record("[Option]\r\nTop=30\r\nLeft=20\r\n");
    const std::string file = PathOf("sheets.xml");
    std::string problem;
    ASSERT_TRUE(sheets::SaveSheet(file, sheets::CurrentSheet(settings, record, 3, "受付用"), problem)) << problem;
    ASSERT_TRUE(sheets::SaveSheet(file, sheets::CurrentSheet(settings, record, 3, "予備"), problem)) << problem;
    settings.WriteString("Card", "3w", "300");
    settings.Flush();
    ASSERT_TRUE(sheets::SaveSheet(file, sheets::CurrentSheet(settings, record, 3, "受付用"), problem)) << problem;

    sheets::SheetCatalogue catalogue;
    catalogue.Load({file, "", {}, {}});
    ASSERT_EQ(catalogue.Products().size(), 2u);  // the second save of a name replaces the first
    const sheets::SheetProduct* saved = catalogue.Find("保存", "受付用");
    ASSERT_NE(saved, nullptr);
    EXPECT_TRUE(saved->Usable()) << saved->unusable;
    EXPECT_EQ(saved->source, sheets::SheetSource::Saved);
    const sheets::SlotSheet back = sheets::ToSlotSheet(*saved);
    EXPECT_EQ(back.width, 300);
    EXPECT_EQ(back.height, 250);
    EXPECT_EQ(back.columns, 2);
    EXPECT_EQ(back.rows, 4);
    EXPECT_EQ(back.gapH, 12);
    EXPECT_EQ(back.gapV, 8);
    EXPECT_EQ(back.top, 30);
    EXPECT_EQ(back.left, 20);
    EXPECT_EQ(back.paper, "257x364");
    EXPECT_FALSE(back.noCutLine);  // perhaps plain paper: the slot's cut lines stay as they are
}

TEST_F(SlotSheetTest, ADamagedSavedSheetsFileIsLeftAsItIs) {
    WriteBytes(PathOf("sheets.xml"), "<Glabels-templates><Template");
    std::string problem;
    EXPECT_FALSE(sheets::SaveSheet(PathOf("sheets.xml"), sheets::CurrentSheet(settings, record, 1, "x"), problem));
    EXPECT_NE(problem.find("left unchanged"), std::string::npos);
    EXPECT_EQ(ReadBytes(PathOf("sheets.xml")), "<Glabels-templates><Template");
}

// The built-in place cards are found by 席札 and, applied, make a slot of folded cards: one face
// as the label, the fold stored, cut lines printed; a sheet that is not folded unfolds the slot.
TEST_F(SlotSheetTest, TheBuiltInPlaceCardsAreFoundBySeatCardAndApplyFolded) {
    sheets::SheetCatalogue catalogue;
    catalogue.Load(sheets::DefaultSources());
    std::vector<std::string> parts;
    for (const std::size_t i : catalogue.Search("席札")) parts.push_back(catalogue.Products()[i].part);
    ASSERT_EQ(parts, (std::vector<std::string>{"A4 席札 4面 91×55mm 上下二つ折り (上38.5 左14)", "はがき 席札 100×74mm 上下二つ折り"}));
    Record("[#Setting#]\r\nLabel=1\r\nMax=3\r\n[0003]\r\n" + S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n");
    const auto apply = [&](const std::string& maker, const std::string& part) {
        std::vector<std::string> captions;
        for (const sheets::SettingChange& change : sheets::ApplySlotSheet(settings, record, 1, sheets::ToSlotSheet(*catalogue.Find(maker, part))))
            captions.push_back(change.caption + " " + change.before + "→" + change.after);
        return captions;
    };
    const std::vector<std::string> changes = apply("汎用", parts[0]);
    EXPECT_NE(std::find(changes.begin(), changes.end(), "折り なし→上下"), changes.end());
    EXPECT_EQ(Stored("Card", "1w") + "x" + Stored("Card", "1h"), "358x217");
    EXPECT_EQ(Stored("PrintOptions", "1Fold"), "1");
    EXPECT_EQ(Stored("PrintOptions", "1GapV"), "0");
    EXPECT_EQ(Stored("PrintOptions", "1NoCutLine"), "0");
    // The fourth card's upright face: the lower half of the second row's second card.
    Record("[#Setting#]\r\nLabel=1\r\nMax=3\r\n[0003]\r\n" + S("氏名") + "=N\r\n1IsPrint" + S("氏名") + "=1\r\n" +
           "[0000]\r\n" + S("氏名") + "=N\r\n[0001]\r\n" + S("氏名") + "=N\r\n[0002]\r\n" + S("氏名") + "=N\r\n" +
           "[Option]\r\nTop=152\r\nLeft=55\r\n");
    view.label = LabelSize(settings, 1);
    const std::vector<std::string> cards = Trace([&](Surface& s) { DrawSheet(view, s); }, {"card"});
    ASSERT_EQ(cards.size(), 8u);
    EXPECT_EQ(cards.back(), "card 0003 413 -803");  // 105 mm, 203.5 mm: within 0.5 mm

    apply("汎用", parts[1]);
    EXPECT_EQ(Stored("Card", "1w") + "x" + Stored("Card", "1h"), "394x291");
    EXPECT_EQ(Stored("PrintOptions", "1Paper"), "100x148");
    // The fold goes with the sheet recorded in the record file and with a sheet saved from the slot.
    EXPECT_EQ(record.ReadString("#Setting#", "Sheet1", ""), "394,291,1,1,0,0,100x148,0,1");
    const sheets::SheetProduct saved = sheets::CurrentSheet(settings, record, 1, "mine");
    EXPECT_EQ(saved.fold, Fold::TopBottom);
    EXPECT_EQ(sheets::Hundredths(saved.height), 582);
    const std::vector<std::string> unfolded = apply("汎用", "A4 名刺 10面 91×55mm (上11 左14)");
    EXPECT_NE(std::find(unfolded.begin(), unfolded.end(), "折り 上下→なし"), unfolded.end());
    EXPECT_EQ(Stored("PrintOptions", "1Fold"), "0");
}
