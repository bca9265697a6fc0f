#include "dialogs/list_to_tags_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "designs/design.h"
#include "designs/design_library.h"
#include "render/sheet.h"
#include "render/trace_surface.h"
#include "sheets/slot_sheet.h"
#include "store/codec.h"
#include "store/label_sizes.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"
#include "view/edit_view_model.h"

namespace {

// The user at a first start: takes what each question offers, one action each.
class FirstStartUser : public ViewPlatform {
public:
    std::optional<std::string> ChooseCabinet(const std::string&) override { return Count(S("来賓")); }
    std::optional<std::string> ChooseRecordFile(const std::string&) override { return Count(std::string("name.ini")); }
    std::optional<std::int32_t> ChooseLabelSlot(std::int32_t) override { return Count(1); }
    std::optional<ColorRef> ChooseColor(ColorRef) override { return std::nullopt; }
    void OpenInputDialog() override {}
    void ScrollToTopLeft() override {}
    void RefreshAllViews() override {}
    void OpenHomePage() override {}
    Surface& MeasuringSurface() override { return surface; }
    void PumpMessages() override {}

    template <typename T>
    T Count(T answer) {
        ++actions;
        return answer;
    }

    int actions = 0;
    std::ostringstream trace;
    TraceSurface surface{trace, 100, 100, false};
};

class WizardUser : public ListToTagsPlatform {
public:
    std::optional<std::string> ChooseListFile(const std::string&) override { return list; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ShowReport(const std::string& text) override { reports.push_back(text); }
    std::optional<UnencodablePolicy> AskUnencodable(const std::string&) override { return std::nullopt; }
    bool Progress(double) override { return true; }
    std::optional<std::string> AskSheetName() override { return std::nullopt; }

    std::optional<std::string> list;
    std::vector<std::string> messages, reports;
};

class ListToTagsModelTest : public TempHomeTest {
protected:
    ListToTagsModelTest() {
        for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
        catalogue.Load(sheets::DefaultSources());
    }
    // 氏名, ふりがな, 所属, 役職 of `people` participants, as an office suite saves it.
    std::string WriteList(int people) {
        std::string csv = S("氏名,ふりがな,所属,役職\r\n");
        for (int n = 1; n <= people; ++n)
            csv += S("参加者" + std::to_string(n) + ",さんかしゃ,東京大学大学院 工学系研究科,准教授\r\n");
        WriteBytes(PathOf("参加者.csv"), csv);
        return PathOf("参加者.csv");
    }
    int DesignRow(ListToTagsModel& wizard, const std::string& name) {
        for (std::size_t row = 0; row < wizard.designs.size(); ++row)
            if (wizard.designs[row].name == name) return static_cast<int>(row);
        return -1;
    }

    FirstStartUser firstStart;
    WizardUser user;
    sheets::SheetCatalogue catalogue;
};

}  // namespace

TEST_F(ListToTagsModelTest, FromAFirstStartToAPdfOfTwoHundredTagsInTenActions) {
    EditViewModel view{firstStart, {}};
    view.Start();
    int actions = firstStart.actions;
    EXPECT_EQ(actions, 3);

    ++actions;  // 名簿から作成, on the toolbar or the empty sheet
    ListToTagsModel wizard(catalogue, view.Settings(), view.Record(), user);
    wizard.OnOpen();
    EXPECT_EQ(wizard.pageTitle, "1/5 名簿ファイル");
    EXPECT_FALSE(wizard.nextEnabled);
    user.list = WriteList(200);
    wizard.OnBrowse();  // the chooser opens with the dialog: the list is chosen
    ++actions;
    EXPECT_EQ(wizard.page, ListToTagsModel::kColumnsPage);
    EXPECT_EQ(wizard.list.columnNames.size(), 4u);
    wizard.OnNext();  // the guessed columns are right
    ++actions;
    ASSERT_EQ(wizard.page, ListToTagsModel::kDesignPage);
    EXPECT_GE(wizard.designs.size(), 12u);
    EXPECT_EQ(wizard.designs[static_cast<std::size_t>(wizard.design)].name, "シンプル");
    EXPECT_FALSE(wizard.DesignPreviewFsPath(0).empty());
    wizard.OnDesignChosen(DesignRow(wizard, "来賓 (赤)"));  // double-clicked
    ++actions;
    ASSERT_EQ(wizard.page, ListToTagsModel::kSheetPage);
    ASSERT_NE(wizard.sheet.Chosen(), nullptr);  // the slot's own sheet, A4 ten 91 × 55 cards
    EXPECT_EQ(wizard.sheet.Chosen()->PerSheet(), 10);
    wizard.OnNext();
    ++actions;
    EXPECT_EQ(wizard.recordName, "参加者");
    EXPECT_NE(wizard.summary.find("デザイン: 来賓 (赤)"), std::string::npos) << wizard.summary;
    ASSERT_TRUE(wizard.finishEnabled);
    EXPECT_TRUE(wizard.OnFinish(ListToTagsModel::Then::ExportPdf));  // "PDFに書き出し…"
    ++actions;
    ++actions;  // the PDF's file chooser, on the documents folder
    EXPECT_LE(actions, 10);
    EXPECT_TRUE(user.reports.empty());  // nothing skipped: the status bar tells
    EXPECT_EQ(wizard.Finished().find("参加者.ini に 200 人の名札を作りました"), 0u) << wizard.Finished();

    const std::string made = PathOf("Guests/参加者.ini");
    EXPECT_EQ(ProfileFile::AtStoredPath(view.Record().Path()).FsPath(), made);
    view.OpenRecordFileAt(view.Record().Path());
    const ProfileFile record(made);
    EXPECT_EQ(record.ReadString("0000", S("氏名"), ""), S("参加者1"));
    EXPECT_EQ(record.ReadString("0199", S("氏名"), ""), S("参加者200"));
    EXPECT_FALSE(view.PrintsBlankTags());
    EXPECT_EQ(PrintPageCount(view.State()), 20);
    // Every tag has the design chosen, not the gallery's first.
    const auto designKeys = [&view](const char* name) {
        for (const designs::Entry& entry : designs::DesignLibrary::Installed().List())
            if (codec::Utf8(entry.design.name) == name)
                return designs::CardKeysFor(entry.design, 1, LabelSize(view.Settings(), 1));
        return cards::Design();
    };
    const cards::Design chosen = designKeys("来賓 (赤)"), first = designKeys("シンプル");
    ASSERT_FALSE(chosen.empty());
    std::size_t differing = 0;
    for (const cards::DesignKey& key : chosen) {
        for (const char* card : {"0000", "0199"}) EXPECT_EQ(record.ReadString(card, key.name, "-"), key.value) << key.name;
        const auto same = std::find_if(first.begin(), first.end(), [&](const cards::DesignKey& k) { return k.name == key.name; });
        differing += same == first.end() || same->value != key.value;
    }
    EXPECT_GT(differing, 0u);
    // The sheet is in the slot and recorded in the file, so it prints the same elsewhere.
    EXPECT_EQ(view.Settings().ReadString("PrintOptions", "1Paper", ""), "210x297");
    EXPECT_FALSE(record.ReadString("#Setting#", "Sheet1", "").empty());
}

TEST_F(ListToTagsModelTest, ANameInUseIsNotTakenAndBackKeepsTheChoices) {
    EditViewModel view{firstStart, {}};
    view.Start();
    WriteBytes(PathOf("Guests/参加者.ini"), "[#Setting#]\r\nLabel=1\r\n");
    ListToTagsModel wizard(catalogue, view.Settings(), view.Record(), user);
    wizard.OnOpen();
    user.list = WriteList(3);
    wizard.OnBrowse();
    EXPECT_EQ(wizard.recordName, "参加者 (2)");
    wizard.OnNext();
    wizard.OnSelectDesign(2);
    wizard.OnBack();
    EXPECT_EQ(wizard.page, ListToTagsModel::kColumnsPage);
    wizard.OnNext();
    EXPECT_EQ(wizard.design, 2);
    wizard.OnNext();
    wizard.OnNext();
    wizard.recordName = "参加者";
    EXPECT_FALSE(wizard.OnFinish(ListToTagsModel::Then::Show));
    EXPECT_EQ(user.messages.back(), "同じ名前のファイルがあります");
    EXPECT_EQ(ReadBytes(PathOf("Guests/参加者.ini")), "[#Setting#]\r\nLabel=1\r\n");
}
