#include <gtest/gtest.h>

#include <filesystem>

#include "store/label_sizes.h"
#include "store/locations.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"

namespace {

class StorageLayoutTest : public TempHomeTest {
protected:
    // Choosers that record what they were asked and answer from a script.
    ViewChoosers Scripted(std::optional<std::string> cabinet, std::optional<std::string> file,
                          std::optional<std::int32_t> slot) {
        ViewChoosers choosers;
        choosers.chooseCabinet = [this, cabinet](const std::string& preset) {
            asked.push_back("cabinet:" + preset);
            return cabinet;
        };
        choosers.chooseRecordFile = [this, file](const std::string& cabinetName) {
            asked.push_back("file:" + cabinetName);
            return file;
        };
        choosers.chooseLabelSlot = [this, slot](std::int32_t current) {
            asked.push_back("slot:" + std::to_string(current));
            return slot;
        };
        return choosers;
    }
    void MakeCabinetFolders() {
        for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
    }

    std::vector<std::string> asked;
};

}  // namespace

TEST_F(StorageLayoutTest, CabinetsMapToTheirFoldersAndUnknownNamesToOther) {
    EXPECT_EQ(CabinetNames().size(), 8u);
    EXPECT_EQ(CabinetFolderName(S("常用")), "Always/");
    EXPECT_EQ(CabinetFolderName(S("プライベート")), "Private/");
    EXPECT_EQ(CabinetFolderName(S("その他")), "Other/");
    EXPECT_EQ(CabinetFolderName(S("手で書いた")), "Other/");
    EXPECT_EQ(CabinetFolderName(""), "Other/");
    EXPECT_EQ(locations::ProgramFolder(), Home() + "/");
    EXPECT_EQ(RecordFilePath(S("来賓"), "zulname.ini"), Home() + "/Guests/zulname.ini");
}

TEST_F(StorageLayoutTest, CardSectionsAreNumberedWithFourDigitsAtLeast) {
    EXPECT_EQ(CardSectionName(0), "0000");
    EXPECT_EQ(CardSectionName(12), "0012");
    EXPECT_EQ(CardSectionName(9999), "9999");
    EXPECT_EQ(CardSectionName(10000), "10000");
}

TEST_F(StorageLayoutTest, FirstStartAsksForCabinetFileAndSlotInThatOrderThenNeverAgain) {
    MakeCabinetFolders();
    const SettingsProfile settings;
    RecordProfile record;
    EXPECT_EQ(StartView(settings, record, Scripted(S("来賓"), "guests.ini", 2)), "2");
    EXPECT_EQ(asked, (std::vector<std::string>{"cabinet:" + S("常用"), "file:" + S("来賓"), "slot:0"}));
    EXPECT_EQ(settings.ReadString("Current", "Genre", ""), S("来賓"));
    EXPECT_EQ(settings.ReadString("CurrentIni", S("来賓"), ""), Home() + "/Guests/guests.ini");
    EXPECT_EQ(ReadBytes(PathOf("Guests/guests.ini")), "[#Setting#]\r\nLabel=2\r\n");

    asked.clear();
    RecordProfile restarted;
    EXPECT_EQ(StartView(settings, restarted, Scripted(std::nullopt, std::nullopt, std::nullopt)), "2");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(restarted.Cabinet(), S("来賓"));
    EXPECT_EQ(restarted.Path(), Home() + "/Guests/guests.ini");
}

TEST_F(StorageLayoutTest, CancelledChoosersLeaveNothingStoredAndTheNextStartAsksAgain) {
    const SettingsProfile settings;
    RecordProfile record;
    EXPECT_EQ(StartView(settings, record, Scripted(std::nullopt, std::nullopt, std::nullopt)), "1");
    EXPECT_EQ(record.Path(), "");
    EXPECT_EQ(settings.ReadString("Current", "Genre", "none"), "none");
    EXPECT_EQ(asked, std::vector<std::string>{"cabinet:" + S("常用")});
    asked.clear();
    StartView(settings, record, Scripted(S("来賓"), std::nullopt, std::nullopt));
    EXPECT_EQ(asked, (std::vector<std::string>{"cabinet:" + S("常用"), "file:" + S("来賓")}));
    EXPECT_EQ(record.Path(), "");
}

TEST_F(StorageLayoutTest, AnUnknownCabinetKeepsItsOwnKeyButStoresInOther) {
    MakeCabinetFolders();
    const SettingsProfile settings;
    settings.WriteString("Current", "Genre", S("手書き"));
    RecordProfile record;
    StartView(settings, record, Scripted(std::nullopt, "a.ini", 1));
    EXPECT_EQ(settings.ReadString("CurrentIni", S("手書き"), ""), Home() + "/Other/a.ini");
    EXPECT_TRUE(std::filesystem::exists(PathOf("Other/a.ini")));
}

TEST_F(StorageLayoutTest, NextAndPreviousMoveTheCurrentCardAndGrowMax) {
    MakeCabinetFolders();
    const SettingsProfile settings;
    RecordProfile record;
    record.SetCabinet(S("常用"));
    ChooseRecordFile(settings, record, "zulname.ini");
    EXPECT_EQ(PreviousCard(record).current, 0);
    NextCard(record);
    const CardPosition two = NextCard(record);
    EXPECT_EQ(two.current, 2);
    EXPECT_EQ(two.max, 2);
    const CardPosition back = PreviousCard(record);
    EXPECT_EQ(back.current, 1);
    EXPECT_EQ(back.max, 2);
    record.SetPath(record.Path());
    EXPECT_EQ(ChooseRecordFile(settings, record, "zulname.ini")->current, 1);
    EXPECT_EQ(ReadBytes(PathOf("Always/zulname.ini")), "[#Setting#]\r\nMax=2\r\nCurID=1\r\n");
}

TEST_F(StorageLayoutTest, SwitchingCabinetWithoutChoosingAFileKeepsTheOldFile) {
    MakeCabinetFolders();
    const SettingsProfile settings;
    RecordProfile record;
    record.SetCabinet(S("常用"));
    ChooseRecordFile(settings, record, "a.ini");
    EXPECT_FALSE(ChooseCabinet(settings, record, S("来賓"), [](const std::string&) { return std::nullopt; }));
    EXPECT_EQ(record.Cabinet(), S("来賓"));
    EXPECT_EQ(record.Path(), Home() + "/Always/a.ini");
    EXPECT_EQ(settings.ReadString("CurrentIni", S("来賓"), "unset"), "unset");
    EXPECT_TRUE(ChooseCabinet(settings, record, S("来賓"), [](const std::string&) { return std::string("b.ini"); }));
    EXPECT_EQ(record.Path(), Home() + "/Guests/b.ini");
}

TEST_F(StorageLayoutTest, LabelSlotsAndTheirSizes) {
    const SettingsProfile settings;
    for (std::int32_t slot = 1; slot <= kLabelSlotCount; ++slot) {
        EXPECT_EQ(LabelSize(settings, slot).width, 358);
        EXPECT_EQ(LabelSize(settings, slot).height, 216);
    }
    settings.WriteString("Card", "2w", "500");
    settings.WriteString("Card", "3h", "wide");
    EXPECT_EQ(LabelSize(settings, 2).width, 500);
    EXPECT_EQ(LabelSize(settings, 3).height, 0);

    RecordProfile record;
    record.SetPath(Home() + "/r.ini");
    EXPECT_EQ(StoredSlot(record), 0);
    EXPECT_EQ(CurrentSlot(record), 1);
    EXPECT_EQ(SlotPrefix(record), "1");
    SetCurrentSlot(record, 3);
    EXPECT_EQ(CurrentSlot(record), 3);
    EXPECT_EQ(SlotPrefix(record), "3");
    record.WriteString("#Setting#", "Label", "7");
    EXPECT_EQ(CurrentSlot(record), 1);
    EXPECT_EQ(SlotPrefix(record), "7");
}

TEST_F(StorageLayoutTest, ARecordFileNameThatIsAPathIsRefused) {
    MakeCabinetFolders();
    const SettingsProfile settings;
    RecordProfile record;
    record.SetCabinet(S("常用"));
    ASSERT_TRUE(ChooseRecordFile(settings, record, "a.ini"));
    for (const std::string& name : std::vector<std::string>{"../ZULNAME.INI", "sub/a.ini", "/etc/passwd", ".", "..", "", std::string("a\0b", 3)}) {
        EXPECT_FALSE(ChooseRecordFile(settings, record, name)) << name;
        EXPECT_EQ(record.Path(), Home() + "/Always/a.ini");
    }
    EXPECT_EQ(settings.ReadString("CurrentIni", S("常用"), ""), Home() + "/Always/a.ini");
    // Names that merely look odd are plain names.
    EXPECT_TRUE(ChooseRecordFile(settings, record, "..a.ini"));
    EXPECT_TRUE(ChooseRecordFile(settings, record, S("表.ini")));  // 95 5C: a backslash byte inside
    EXPECT_EQ(record.Path(), Home() + "/Always/" + S("表.ini"));
}
