#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/record_file_chooser_model.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"

namespace {

class FakePlatform : public RecordFileChooserPlatform {
public:
    void Beep() override { ++beeps; }
    void FocusNameField() override { ++focused; }
    int beeps = 0;
    int focused = 0;
};

class RecordFileChooserModelTest : public TempHomeTest {
protected:
    RecordFileChooserModel Model(const std::string& cabinet, const std::string& folder = {},
                                 const std::string& preset = {}) {
        return RecordFileChooserModel(platform, record, cabinet, folder, preset);
    }
    void Touch(const std::string& relative) { WriteBytes(PathOf(relative), "[#Setting#]\r\n"); }

    FakePlatform platform;
    RecordProfile record;
};

}  // namespace

TEST_F(RecordFileChooserModelTest, ListsTheFilesOfTheCabinetFolderButNotItsFolders) {
    std::filesystem::create_directories(PathOf("Students/sub"));
    Touch("Students/b.ini");
    Touch("Students/A.ini");
    Touch("Always/elsewhere.ini");
    RecordFileChooserModel model = Model(S("生徒"));
    model.OnOpen();
    EXPECT_EQ(model.files, (std::vector<std::string>{"A.ini", "b.ini"}));
    EXPECT_EQ(model.cabinetText, S("生徒"));
    EXPECT_EQ(model.name, "zulname.ini");
}

TEST_F(RecordFileChooserModelTest, HiddenFilesAreNotListed) {
    std::filesystem::create_directories(PathOf("Staff"));
    Touch("Staff/a.ini");
    Touch("Staff/.a.ini.lock");
    Touch("Staff/.a.ini.Xy12Ab");  // the temporary copy of a save that was killed
    Touch("Staff/.profile");
    RecordFileChooserModel model = Model(S("スタッフ"));
    model.OnOpen();
    EXPECT_EQ(model.files, std::vector<std::string>{"a.ini"});
}

TEST_F(RecordFileChooserModelTest, ListsNamesAsStoredTextAndLeavesOutNamesCodePage932CannotHold) {
    std::filesystem::create_directories(PathOf("Guests"));
    Touch("Guests/名簿.ini");
    Touch("Guests/ä.ini");
    Touch("Guests/\xff.ini");  // not even UTF-8
    RecordFileChooserModel model = Model(S("来賓"));
    model.OnOpen();
    EXPECT_EQ(model.files, std::vector<std::string>{S("名簿.ini")});
}

TEST_F(RecordFileChooserModelTest, AMissingFolderGivesAnEmptyListAndThePresetCanStillBeConfirmed) {
    RecordFileChooserModel model = Model(S("教員"));
    model.OnOpen();
    EXPECT_TRUE(model.files.empty());
    EXPECT_TRUE(model.OnOk());
    EXPECT_EQ(model.Result(), "zulname.ini");
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(RecordFileChooserModelTest, WithoutACabinetShowsTheCurrentOneOrTheDefault) {
    std::filesystem::create_directories(PathOf("Guests"));
    Touch("Guests/guests.ini");
    {
        RecordFileChooserModel model = Model("");
        model.OnOpen();
        EXPECT_EQ(model.cabinetText, S("常用"));
        EXPECT_TRUE(model.files.empty());
    }
    SettingsProfile().WriteString("Current", "Genre", S("来賓"));
    RecordFileChooserModel model = Model("");
    model.OnOpen();
    EXPECT_EQ(model.cabinetText, S("来賓"));
    EXPECT_EQ(model.files, std::vector<std::string>{"guests.ini"});
}

TEST_F(RecordFileChooserModelTest, AGivenFolderAndPresetNameAreUsedAsTheyAre) {
    std::filesystem::create_directories(PathOf("別の場所"));
    Touch("別の場所/x.ini");
    RecordFileChooserModel model = Model(S("常用"), Home() + S("/別の場所"), "event.ini");
    model.OnOpen();
    EXPECT_EQ(model.files, std::vector<std::string>{"x.ini"});
    EXPECT_EQ(model.name, "event.ini");
}

TEST_F(RecordFileChooserModelTest, DoubleClickCopiesTheEntryIntoTheNameWithoutClosing) {
    std::filesystem::create_directories(PathOf("Always"));
    Touch("Always/one.ini");
    Touch("Always/two.ini");
    RecordFileChooserModel model = Model(S("常用"));
    model.OnOpen();
    model.OnDoubleClick(1);
    EXPECT_EQ(model.name, model.files[1]);
    EXPECT_FALSE(model.Result());
    model.OnDoubleClick(2);  // past the end: nothing happens
    EXPECT_EQ(model.name, model.files[1]);
    EXPECT_TRUE(model.OnOk());
    EXPECT_EQ(model.Result(), model.files[1]);
}

TEST_F(RecordFileChooserModelTest, OkRefusesNamesThatAreEmptyOrLeaveTheFolder) {
    RecordFileChooserModel model = Model(S("常用"));
    model.OnOpen();
    int refusals = 0;
    for (const std::string& name : {std::string(), std::string("."), std::string(".."), std::string("../x.ini"),
                                   std::string("sub/x.ini"), std::string("/etc/passwd"), std::string("a\0b", 3)}) {
        model.name = name;
        EXPECT_FALSE(model.OnOk()) << name;
        ++refusals;
        EXPECT_EQ(platform.beeps, refusals);
        EXPECT_EQ(platform.focused, refusals);
        EXPECT_FALSE(model.Result());
    }
    model.name = "..x.ini";  // dots inside a name are fine
    EXPECT_TRUE(model.OnOk());
    EXPECT_EQ(model.Result(), "..x.ini");
}
