#include <gtest/gtest.h>

#include <sstream>

#include "dialogs/sheet_chooser_model.h"
#include "render/trace_surface.h"
#include "tests/sheets/catalogue_fixture.h"

namespace {

const std::string kCards = Rectangle("BC-10", "width=\"91mm\" height=\"55mm\" round=\"2mm\"",
                                     "nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"11mm\" dx=\"91mm\" dy=\"55mm\"");
const std::string kTight = Rectangle("TIGHT", "width=\"91mm\" height=\"55mm\"",
                                     "nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"11mm\" dx=\"90mm\" dy=\"55mm\"");
const std::string kWide = Rectangle("WIDE", "width=\"150mm\" height=\"55mm\"",
                                    "nx=\"2\" ny=\"1\" x0=\"0\" y0=\"0\" dx=\"150mm\" dy=\"0\"");

class FakeChooserPlatform : public SheetChooserPlatform {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::optional<std::string> AskSheetName() override { return name; }

    std::vector<std::string> messages;
    std::optional<std::string> name;
};

class SheetChooserModelTest : public CatalogueTest {
protected:
    SheetChooserModelTest() {
        UserFile("t.xml", kCards + kTight + kWide);
        Load();
        record.SetPath(PathOf("r.ini"));
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nLabel=2\r\n");
    }
    SheetChooserModel Model(std::int32_t slot) { return SheetChooserModel(catalogue, settings, record, slot, platform); }
    std::string Stored(const char* section, const std::string& key) const { return settings.ReadString(section, key, "-"); }

    const SettingsProfile settings;
    RecordProfile record;
    FakeChooserPlatform platform;
};

}  // namespace

TEST_F(SheetChooserModelTest, OpensOnEveryProductWithTheFirstChosen) {
    SheetChooserModel model = Model(2);
    model.OnOpen();
    EXPECT_EQ(model.heading, "ﾕｰｻﾞｰ(1) に使う用紙を選びます");
    ASSERT_EQ(model.rows.size(), 3u);
    EXPECT_EQ(model.rows[0], "Maker  BC-10  91×55mm  2×5  [ユーザー]");
    EXPECT_EQ(model.rows[2], "Maker  WIDE  150×55mm  2×1  [ユーザー]  使えません: 用紙に収まらない");
    EXPECT_EQ(model.selected, 0);
    EXPECT_TRUE(model.okEnabled);
    EXPECT_NE(model.details.find("設定 (1/100ｲﾝﾁ): 幅 358 高さ 217 隙間 0/0 上から 43 左から 55"), std::string::npos)
        << model.details;
}

TEST_F(SheetChooserModelTest, AnUnusableProductShowsWhyAndCannotBeChosen) {
    SheetChooserModel model = Model(1);
    model.OnOpen();
    model.OnSelect(2);
    EXPECT_FALSE(model.okEnabled);
    EXPECT_NE(model.details.find("この用紙は使えません: 用紙に収まらない"), std::string::npos) << model.details;
    EXPECT_FALSE(model.OnOk());
    EXPECT_EQ(Stored("Card", "1w"), "-");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SheetChooserModelTest, SearchNarrowsTheListAndNothingFoundChoosesNothing) {
    SheetChooserModel model = Model(1);
    model.OnOpen();
    model.OnSelect(1);
    model.search = "150x55";
    model.OnSearchEdited();
    ASSERT_EQ(model.rows.size(), 1u);
    EXPECT_EQ(model.selected, 0);
    EXPECT_EQ(model.Chosen()->part, "WIDE");
    model.search = "nothing like it";
    model.OnSearchEdited();
    EXPECT_TRUE(model.rows.empty());
    EXPECT_EQ(model.selected, -1);
    EXPECT_EQ(model.Chosen(), nullptr);
    EXPECT_EQ(model.details, "見つかりません");
    EXPECT_FALSE(model.okEnabled);
    model.OnSelect(0);  // a stale click on a row that is gone
    EXPECT_EQ(model.Chosen(), nullptr);
}

TEST_F(SheetChooserModelTest, OkFillsTheSlotAtOnceAndSaysWhatChanged) {
    SheetChooserModel model = Model(2);
    model.OnOpen();
    model.search = "tight";
    model.OnSearchEdited();
    EXPECT_NE(model.details.find("注意: 左右の隙間 -4 は 0 にしました"), std::string::npos) << model.details;
    EXPECT_TRUE(model.OnOk());
    EXPECT_EQ(Stored("Card", "2w"), "358");
    EXPECT_EQ(Stored("Card", "2h"), "217");
    EXPECT_EQ(Stored("PrintOptions", "2GapH"), "0");
    EXPECT_EQ(record.ReadString("Option", "Top", "-"), "43");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "ﾕｰｻﾞｰ(1) を Maker TIGHT にしました。\n高さ: 216 → 217\n切り取り線: あり → なし\n上から: 10 → 43\n左から: 10 → 55\n"
              "注意: 左右の隙間 -4 は 0 にしました（ラベルが重なります）");

    EXPECT_TRUE(model.OnOk());  // the same again changes nothing
    EXPECT_EQ(platform.messages[1].substr(platform.messages[1].find('\n')), "\n変わった設定はありません。\n"
              "注意: 左右の隙間 -4 は 0 にしました（ラベルが重なります）");
}

TEST_F(SheetChooserModelTest, TheSlotsSettingsAreSavedAsASheetAndShownAtOnce) {
    WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n3w=300\r\n3h=200\r\n[PrintOptions]\r\n3Column=2\r\n3Line=3\r\n");
    SheetChooserModel model = Model(3);
    model.OnOpen();
    model.OnSaveCurrent();  // the name is asked for and not given
    EXPECT_FALSE(std::filesystem::exists(PathOf("sheets.xml")));
    platform.name = "受付用";
    model.OnSaveCurrent();
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    EXPECT_EQ(model.search, "受付用");
    ASSERT_NE(model.Chosen(), nullptr);
    EXPECT_EQ(model.Chosen()->source, sheets::SheetSource::Saved);
    EXPECT_EQ(model.Chosen()->part, "受付用");
    EXPECT_TRUE(model.okEnabled);
}

TEST_F(SheetChooserModelTest, ASavedSheetsFileThatCannotBeReadIsReportedAndKept) {
    WriteBytes(PathOf("sheets.xml"), "not xml");
    platform.name = "x";
    SheetChooserModel model = Model(1);
    model.OnOpen();
    model.OnSaveCurrent();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("用紙を保存できませんでした。", 0), 0u) << platform.messages[0];
    EXPECT_EQ(ReadBytes(PathOf("sheets.xml")), "not xml");
}

TEST_F(SheetChooserModelTest, ThePictureShowsThePaperAndEveryLabel) {
    std::ostringstream out;
    TraceSurface surface(out, 100, 100, false);
    DrawSheetPicture(*catalogue.Find("Maker", "BC-10"), surface);
    const std::string trace = out.str();
    EXPECT_NE(trace.find("rect 0 0 827 -1169"), std::string::npos) << trace;
    EXPECT_NE(trace.find("roundrect 55 -43 413 -260 16 16"), std::string::npos) << trace;     // first label
    EXPECT_NE(trace.find("roundrect 413 -909 771 -1126 16 16"), std::string::npos) << trace;  // last label
}
