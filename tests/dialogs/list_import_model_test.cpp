#include "dialogs/list_import_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/locations.h"
#include "store/storage_layout.h"
#include "tests/dialogs/list_import_platform_fake.h"
#include "tests/support/temp_home.h"

namespace {

using Strings = std::vector<std::string>;

class ListImportModelTest : public TempHomeTest {
protected:
    ListImportModelTest() {
        std::filesystem::create_directory(PathOf("merge"));
        WriteBytes(locations::SettingsFilePath(), "[Sashikomi]\r\nDir=" + PathOf("merge") + "\r\n");
        // One card, current, with 氏名 placed at 80 in slot 1.
        WriteBytes(Record(), "[#Setting#]\r\nLabel=1\r\nMax=0\r\nCurID=0\r\n[0000]\r\n" + S("氏名") + "=" + S("見本") +
                                 "\r\n1" + S("氏名") + "Xpos=80\r\n");
        record.SetPath(Record());
        record.SetCabinet(S("来賓"));
        model.OnOpen();
    }
    std::string Record() const { return PathOf("r.ini"); }
    void Choose(const std::string& name, const std::string& bytes) {
        WriteBytes(PathOf("merge/" + name), bytes);
        platform.chosenFile = PathOf("merge/" + name);
        model.OnBrowse();
    }
    std::string Text(int card, const char* item) const {
        return ProfileFile(Record()).ReadString(CardSectionName(card), S(item), "");
    }

    RecordProfile record;
    SettingsProfile settings;
    FakeListImportPlatform platform;
    ListImportModel model{settings, record, platform};
};

}  // namespace

TEST_F(ListImportModelTest, AChosenListShowsWhatWasDetectedTheGuessedMappingAndThePreview) {
    EXPECT_FALSE(model.okEnabled);
    Choose("list.csv", S("お名前,会社名,備考\r\n山田,本社,x\r\n佐藤,支社\r\n"));
    EXPECT_EQ(platform.startFolders, Strings{PathOf("merge")});
    EXPECT_EQ(model.formatText, "CSV・CP932・3 行");
    EXPECT_TRUE(model.encodingEnabled);
    EXPECT_FALSE(model.sheetEnabled);
    EXPECT_TRUE(model.hasHeader);
    EXPECT_EQ(model.columnNames, (Strings{"A: お名前", "B: 会社名", "C: 備考"}));
    const Strings& choices = model.columnChoices[2];
    EXPECT_EQ(choices.front(), "（取り込まない）");
    EXPECT_EQ(choices.back(), "新しい項目「備考」");
    EXPECT_EQ(model.columnChoices[0][static_cast<std::size_t>(model.columnTargets[0])], "氏名");
    EXPECT_EQ(model.columnChoices[1][static_cast<std::size_t>(model.columnTargets[1])], "所属");
    EXPECT_EQ(model.columnTargets[2], 0);
    EXPECT_EQ(model.preview, (std::vector<Strings>{{"山田", "本社", "x"}, {"佐藤", "支社", ""}}));
    EXPECT_TRUE(model.okEnabled);
    EXPECT_EQ(platform.progress.back(), 1.0);  // any progress shown is closed

    // Without the header row, the first row is a person too.
    model.hasHeader = false;
    model.OnHeaderToggled();
    EXPECT_EQ(model.columnNames, (Strings{"A", "B", "C"}));
    EXPECT_EQ(model.preview.size(), 3u);
}

TEST_F(ListImportModelTest, TheListChooserOpensWhereTheLastListWasChosenEvenInTheNextDialog) {
    std::filesystem::create_directory(PathOf("名簿"));
    WriteBytes(PathOf("名簿/list.csv"), S("氏名\r\n山田\r\n"));
    platform.chosenFile = PathOf("名簿/list.csv");
    model.OnBrowse();
    platform.chosenFile.reset();
    ListImportModel next{settings, record, platform};
    next.OnOpen();
    next.OnBrowse();
    EXPECT_EQ(platform.startFolders, (Strings{PathOf("merge"), PathOf("名簿")}));
    EXPECT_EQ(settings.ReadString("Option", "ListFolder", ""), PathOf(S("名簿")));  // stored in code page 932
    // A folder gone since: the merge folder again.
    std::filesystem::remove_all(PathOf("名簿"));
    next.OnBrowse();
    EXPECT_EQ(platform.startFolders.back(), PathOf("merge"));
}

TEST_F(ListImportModelTest, OkAppendsCardsWithTheCurrentDesignAndReports) {
    Choose("list.csv", "氏名,所属,備考\r\n山田,本社,x\r\n佐藤,\"営業部\n一課\",y\r\n,,z\r\n");
    model.columnTargets[2] = static_cast<int>(model.columnChoices[2].size()) - 1;  // a new item 備考
    model.OnMappingChanged();
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(Text(1, "氏名"), S("山田"));
    EXPECT_EQ(Text(2, "所属"), S("営業部 一課"));
    EXPECT_EQ(Text(2, "備考"), S("y"));
    EXPECT_EQ(Text(3, "備考"), S("z"));
    EXPECT_EQ(ProfileFile(Record()).ReadString("0002", "1" + S("氏名") + "Xpos", ""), "80");
    EXPECT_EQ(settings.ReadString("UserDef", "Items", ""), S("備考") + "|");
    EXPECT_EQ(model.Report(), "読み込んだ行: 3\n作成したカード: 3\n追加した項目: 備考\nお知らせ:\n"
                              "  3 行 2 列: セル内の改行を空白にしました\n");
    EXPECT_EQ(platform.reports, Strings{model.Report()});
}

TEST_F(ListImportModelTest, TheEncodingAndTheSheetCanBeChosenAgain) {
    Choose("list.csv", S("氏名\r\n山田\r\n"));
    model.encoding = 1;  // UTF-8: these bytes are not
    model.OnEncodingChanged();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "list.csv: 1 行 1 列: UTF-8 として読めない文字があります");
    EXPECT_FALSE(model.okEnabled);
    model.encoding = 3;
    model.OnEncodingChanged();
    EXPECT_EQ(model.formatText, "CSV・CP932・2 行");
    EXPECT_TRUE(model.okEnabled);

    Choose("broken.xlsx", "PK\x03\x04 not really");
    EXPECT_NE(platform.messages.back().find("broken.xlsx: 壊れた zip ファイルです"), std::string::npos);
    EXPECT_FALSE(model.okEnabled);
}

TEST_F(ListImportModelTest, TextBeyondCodePage932AsksAndCancelWritesNothing) {
    Choose("list.csv", "氏名\r\n𠮷田\r\n山田\r\n");
    const std::string before = ReadBytes(Record());
    EXPECT_FALSE(model.OnOk());
    EXPECT_EQ(platform.listings, Strings{"2 行 1 列: 「𠮷」(U+20BB7) はシフトJISにない文字です\n"});
    EXPECT_EQ(ReadBytes(Record()), before);

    platform.unencodableChoice = UnencodablePolicy::Keep;
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(Text(1, "氏名"), S("〓田"));
    EXPECT_EQ(Text(1, "氏名Unicode"), "&#x20bb7;" + S("田"));
    EXPECT_EQ(Text(2, "氏名"), S("山田"));
}

TEST_F(ListImportModelTest, ReplacingAndANewRecordFileWithAChosenDesign) {
    Choose("list.csv", "氏名\r\n山田\r\n佐藤\r\n");
    model.destination = ListImportModel::kReplace;
    model.design = ListImportModel::kNoDesign;
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(Text(0, "氏名"), S("山田"));
    EXPECT_EQ(Text(1, "氏名"), S("佐藤"));
    EXPECT_EQ(ReadBytes(Record()).find("Xpos"), std::string::npos);

    std::string folder;
    ASSERT_TRUE(locations::StoredPathToFs(RecordFilePath(S("来賓"), ""), folder));
    std::filesystem::create_directories(folder);
    model.destination = ListImportModel::kNewFile;
    model.newFileName = "新名簿.ini";
    model.design = ListImportModel::kChosenCard;
    model.designCard = "5";
    model.OnDestinationChanged();
    EXPECT_TRUE(model.newFileNameEnabled);
    EXPECT_TRUE(model.designCardEnabled);
    EXPECT_FALSE(model.OnOk());
    EXPECT_EQ(platform.messages.back(), "デザインを使うカードの番号が正しくありません");
    model.designCard = "1";
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(model.WrittenRecord(), folder + "新名簿.ini");
    EXPECT_EQ(ProfileFile(model.WrittenRecord()).ReadString("0001", S("氏名"), ""), S("佐藤"));
    EXPECT_EQ(ProfileFile(model.WrittenRecord()).ReadString("#Setting#", "Label", ""), "1");
    // The view turns to the new file.
    EXPECT_EQ(record.Path(), RecordFilePath(S("来賓"), S("新名簿.ini")));
    EXPECT_FALSE(model.OnOk());
    EXPECT_EQ(platform.messages.back(), "同じ名前のファイルがあります");
    for (const char* name : {"..", "a/b.ini", ""}) {
        model.newFileName = name;
        EXPECT_FALSE(model.OnOk()) << name;
        EXPECT_EQ(platform.messages.back(), "新しい記録ファイルの名前が正しくありません") << name;
    }
}

TEST_F(ListImportModelTest, TheTagPreviewIsTheFirstPersonWithTheChosenDesign) {
    EXPECT_EQ(model.TagPreview(), "");
    const std::string before = ReadBytes(Record());
    Choose("list.csv", "氏名,備考\r\n𠮷田,x\r\n山田,y\r\n");
    ASSERT_NE(model.TagPreview(), "");
    const ProfileFile preview(model.TagPreview());
    EXPECT_EQ(preview.ReadString("0000", S("氏名"), ""), S("〓田"));
    EXPECT_EQ(preview.ReadString("0000", "1" + S("氏名") + "Xpos", ""), "80");
    EXPECT_EQ(preview.ReadString("0001", S("氏名"), "none"), "none");
    EXPECT_EQ(preview.ReadString("#Setting#", "Label", ""), "1");

    model.design = ListImportModel::kNoDesign;
    model.OnDestinationChanged();
    EXPECT_EQ(ProfileFile(model.TagPreview()).ReadString("0000", "1" + S("氏名") + "Xpos", "none"), "none");
    // A new item stays out of the preview and out of the settings.
    model.columnTargets[1] = static_cast<int>(model.columnChoices[1].size()) - 1;
    model.OnMappingChanged();
    EXPECT_EQ(ProfileFile(model.TagPreview()).ReadString("0000", S("備考"), "none"), "none");
    EXPECT_EQ(settings.ReadString("UserDef", "Items", ""), "");
    EXPECT_EQ(ReadBytes(Record()), before);

    const std::string file = model.TagPreview();
    model.columnTargets = {0, 0};
    model.OnMappingChanged();
    EXPECT_EQ(model.TagPreview(), "");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ListImportModelTest, ADesignOfTheGalleryGoesOntoTheNewCardsWithItsFrame) {
    ASSERT_GE(model.libraryDesigns.size(), 12u);
    EXPECT_EQ(model.libraryDesigns[static_cast<std::size_t>(model.libraryDesign)], "シンプル");
    Choose("list.csv", "氏名\r\n山田\r\n");
    model.design = ListImportModel::kLibraryDesign;
    model.libraryDesign = 2;  // 来賓 (赤)
    model.OnDestinationChanged();
    EXPECT_TRUE(model.libraryDesignEnabled);
    EXPECT_EQ(ProfileFile(model.TagPreview()).ReadString("1Frame", "Frame", ""), "1");
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(Text(1, "氏名"), S("山田"));
    EXPECT_EQ(ProfileFile(Record()).ReadString("0001", "1" + S("所属") + "BkCol", ""), "2103472");
    EXPECT_EQ(ProfileFile(Record()).ReadString("0000", "1" + S("所属") + "BkCol", "none"), "none");
    EXPECT_EQ(ProfileFile(Record()).ReadString("1Frame", "Frame", ""), "1");
}
