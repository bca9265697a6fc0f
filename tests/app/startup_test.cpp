#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "store/locations.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"

namespace {

class FakePlatform : public StartupPlatform {
public:
    bool ProgramOnOpticalMedia() const override { return onOpticalMedia; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    bool onOpticalMedia = false;
    std::vector<std::string> messages;
};

class StartupTest : public TempHomeTest {
protected:
    bool Start() {
        userItems = UserItemList();
        return Initialise(platform, userItems);
    }

    FakePlatform platform;
    UserItemList userItems;
};

}  // namespace

TEST_F(StartupTest, FirstStartInstallsCabinetsValueListsAndTheMergeFolder) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(platform.messages.empty());
    for (const std::string& folder : CabinetFolders()) EXPECT_TRUE(std::filesystem::is_directory(PathOf(folder))) << folder;
    const SettingsProfile settings;
    EXPECT_EQ(settings.ReadInt("Install", "First", -1), 0);
    EXPECT_EQ(settings.ReadInt("Lists", "Install", -1), 1);
    EXPECT_EQ(settings.ReadString("Lists", S("氏名"), ""), "ZULDAT00.NAM");
    EXPECT_EQ(settings.ReadString("Lists", S("読み"), ""), "ZULDAT03.NAM");
    EXPECT_EQ(settings.ReadString("Lists", S("その他4"), ""), "ZULDAT07.NAM");
    EXPECT_EQ(settings.ReadString("Sashikomi", "Dir", ""), locations::ProgramFolder() + S("差し込み"));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("差し込み")));
    EXPECT_TRUE(userItems.UserItems().empty());
}

TEST_F(StartupTest, SecondStartCreatesNothingAndKeepsHandEdits) {
    ASSERT_TRUE(Start());
    std::filesystem::remove(PathOf("Volun"));
    const SettingsProfile settings;
    settings.WriteString("Lists", S("肩書き"), "TITLES.NAM");
    settings.WriteString("Sashikomi", "Dir", "elsewhere");
    settings.Flush();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(std::filesystem::exists(PathOf("Volun")));
    EXPECT_EQ(settings.ReadString("Lists", S("肩書き"), ""), "TITLES.NAM");
    EXPECT_EQ(settings.ReadString("Sashikomi", "Dir", ""), "elsewhere");
}

TEST_F(StartupTest, AFileInTheWayOfTheMergeFolderMovesItToANumberedName) {
    WriteBytes(PathOf("差し込み"), "a file");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("差し込み0")));
    EXPECT_EQ(SettingsProfile().ReadString("Sashikomi", "Dir", ""), locations::ProgramFolder() + S("差し込み0"));

    WriteBytes(PathOf("x差し込み"), "a file");
    WriteBytes(PathOf("x差し込み0"), "a file");
    EXPECT_EQ(MergeFolderName(locations::ProgramFolder() + "x"), locations::ProgramFolder() + "x" + S("差し込み1"));
}

TEST_F(StartupTest, UserItemsAreLoadedFromTheSettings) {
    WriteBytes(PathOf("ZULNAME.INI"), "[UserDef]\r\nItems=" + S("係") + "|\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(userItems.UserItems(), std::vector<std::string>{S("係")});
    EXPECT_EQ(ItemList(userItems.UserItems()).back(), S("係"));
}

TEST_F(StartupTest, AUserItemListLongerThanAnOrdinaryReadIsLoadedWhole) {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back(S("項目") + std::to_string(i));
    WriteBytes(PathOf("ZULNAME.INI"), "[UserDef]\r\nItems=" + JoinBarList(names) + "\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(userItems.UserItems(), names);
}

TEST_F(StartupTest, OpticalMediaOnlyShowTheMessage) {
    platform.onOpticalMedia = true;
    EXPECT_FALSE(Start());
    EXPECT_EQ(platform.messages, std::vector<std::string>{"CD-ROMドライブ上ではデータの保存が出来ませんので実行できません"});
    EXPECT_TRUE(std::filesystem::is_empty(Home()));
}

TEST_F(StartupTest, ASettingsFileThatIsAFolderIsReportedNotWrittenInto) {
    std::filesystem::create_directory(PathOf("ZULNAME.INI"));
    EXPECT_FALSE(Start());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("ZULNAME.INI"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("ZULNAME.INI")));
}
