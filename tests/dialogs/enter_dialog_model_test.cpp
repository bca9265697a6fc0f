#include "dialogs/enter_dialog_model.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/dialogs/input_dialog_fixture.h"

namespace {

using Axis = EnterDialogModel::Axis;

class FakeEnterPlatform : public EnterDialogPlatform {
public:
    void Beep() override { ++beeps; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskOkCancel(const std::string&) override { return answerOk; }
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override {
        fontShown = initial;
        return font;
    }
    std::optional<std::string> ChooseCabinet(const std::string&) override { return cabinet; }
    std::optional<std::string> ChooseRecordFile(const std::string&) override { return file; }
    void RefreshAllViews() override {}
    void BringToFront() override { ++broughtToFront; }
    void ShowFields() override { ++fieldsShown; }

    int beeps = 0, broughtToFront = 0, fieldsShown = 0;
    std::vector<std::string> messages;
    bool answerOk = true;
    std::optional<FontChoice> font, fontShown;
    std::optional<std::string> cabinet, file;
};

class EnterDialogModelTest : public InputDialogFixture {
protected:
    // Opens the dialog on the view, as "入力" does.
    EnterDialogModel& Open(std::vector<std::string> userItems = {}) {
        StartView();
        model.emplace(platform, view.Session(), std::move(userItems));
        model->OnOpen();
        return *model;
    }

    FakeEnterPlatform platform;
    std::optional<EnterDialogModel> model;
};

}  // namespace

TEST_F(EnterDialogModelTest, OpeningShowsTheStoredItemWithItsTextAndValueList) {
    settings.WriteString("Lists", S("所属"), "ZULDAT02.NAM");
    settings.Flush();
    WriteBytes(PathOf("ZULDAT02.NAM"), S("営業部") + "\r\n" + S("総務部") + "\r\n");
    Store("Current", "ItemName", S("所属"));
    Store("0000", S("所属"), S("経理部"));
    Store("#Setting#", "Label", "7");  // anything but 2 or 3 is slot 1

    EnterDialogModel& dialog = Open();
    EXPECT_EQ(dialog.itemSelection, 2);
    EXPECT_EQ(dialog.itemText, S("経理部"));
    EXPECT_EQ(dialog.contentList, (std::vector<std::string>{S("営業部"), S("総務部")}));
    EXPECT_EQ(view.SelectedItem(), S("所属"));
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(Stored("#Setting#", "Label"), "1");
}

TEST_F(EnterDialogModelTest, PositionsOutsideTheTagAreReplacedByTen) {
    Store("0000", "1" + N + "PrintPos", "2");
    EnterDialogModel& dialog = Open();
    const struct {
        Axis axis;
        const char* typed;
        const char* shown;
    } cases[] = {{Axis::X, "400", "10"}, {Axis::X, "358", "358"}, {Axis::Y, "217", "10"}, {Axis::Y, "-1", "10"}};
    for (const auto& c : cases) {
        dialog.position[static_cast<std::size_t>(c.axis)] = c.typed;
        dialog.OnPositionEdited(c.axis);
        EXPECT_EQ(dialog.position[static_cast<std::size_t>(c.axis)], c.shown) << c.typed;
    }
    EXPECT_EQ(platform.beeps, 3);
    EXPECT_EQ(platform.messages[0], S("不正な値です"));
    EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), "0");
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "(none)");  // stored at the next save
}

TEST_F(EnterDialogModelTest, StepButtonsStayOnTheTagAndStopAtItsEdge) {
    EnterDialogModel& dialog = Open();
    dialog.position = {"358", "0"};
    dialog.OnStep(Axis::X, 1);
    EXPECT_EQ(dialog.position[0], "358");
    EXPECT_FALSE(dialog.stepUpEnabled[0]);
    dialog.OnStep(Axis::X, -1);
    EXPECT_EQ(dialog.position[0], "357");
    EXPECT_TRUE(dialog.stepUpEnabled[0]);
    dialog.OnStep(Axis::Y, -1);
    EXPECT_EQ(dialog.position[1], "0");
}

TEST_F(EnterDialogModelTest, AlignmentButtonsPlaceTheTextAndStoreTheirCode) {
    EnterDialogModel& dialog = Open();
    const struct {
        std::string text;
        AlignmentCode code;
        const char* x;
    } cases[] = {{"ABCDEFGHIJKL", AlignmentCode::Right, "238"},  // 120 wide
                 {"ABCDEFGHIJKL", AlignmentCode::Centre, "119"},
                 {"ABCDEFGHIJKL", AlignmentCode::Left, "0"},
                 {std::string(40, 'W'), AlignmentCode::Right, "0"},  // wider than the tag
                 {std::string(40, 'W'), AlignmentCode::Centre, "0"}};
    for (const auto& c : cases) {
        dialog.itemText = c.text;
        dialog.position[0] = "50";
        dialog.OnContentEdited();
        dialog.OnAlign(c.code);
        EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), c.x);
        EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), std::to_string(static_cast<int>(c.code)));
    }
    dialog.OnItemChosen(1);  // 肩書き has no text: nothing to align
    dialog.position[0] = "50";
    dialog.OnAlign(AlignmentCode::Centre);
    EXPECT_EQ(dialog.position[0], "50");
}

TEST_F(EnterDialogModelTest, NextAndPreviousStepThroughTheCardsSavingTheOpenItem) {
    EnterDialogModel& dialog = Open();
    dialog.itemText = S("佐藤");
    dialog.OnNext();
    EXPECT_EQ(dialog.cardSection, "0001");
    EXPECT_TRUE(dialog.previousEnabled);
    EXPECT_EQ(Stored("#Setting#", "Max"), "1");
    dialog.OnNext();
    dialog.OnPrevious();
    dialog.OnPrevious();
    EXPECT_EQ(dialog.cardSection, "0000");
    EXPECT_FALSE(dialog.previousEnabled);
    EXPECT_EQ(dialog.itemText, S("佐藤"));
    EXPECT_EQ(Stored("#Setting#", "Max"), "2");
}

TEST_F(EnterDialogModelTest, NextPastTheLastCardMakesOneWithTheDesignOfTheCardBefore) {
    Store("0000", "2" + N + "Xpos", "70");
    EnterDialogModel& dialog = Open();
    dialog.position = {"30", "40"};
    dialog.OnNext();
    EXPECT_EQ(Stored("0001", "1" + N + "Xpos"), "30");
    EXPECT_EQ(Stored("0001", "1" + N + "Font"), "-20 0 0 0 400 0 0 0 128 3 2 1 49 0");
    EXPECT_EQ(Stored("0001", "2" + N + "Xpos"), "70");
    EXPECT_EQ(Stored("0001", N), "(none)");
    EXPECT_EQ(dialog.itemText, "");
    EXPECT_EQ(dialog.position[0], "30");
    // Back and forth over existing cards makes none and copies nothing.
    dialog.position[0] = "55";
    dialog.OnPrevious();
    dialog.OnNext();
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "30");
    EXPECT_EQ(Stored("#Setting#", "Max"), "1");

    settings.WriteInt("Option", "InheritDesign", 0);
    settings.Flush();
    dialog.OnNext();
    EXPECT_EQ(Stored("0002", "1" + N + "Xpos"), "(none)");
    EXPECT_EQ(Stored("#Setting#", "Max"), "2");
}

TEST_F(EnterDialogModelTest, SlotButtonsReloadTheItemForTheNewSlotWithoutSavingFirst) {
    Store("0000", "1" + N + "Xpos", "30");
    Store("0000", "2" + N + "Xpos", "70");
    EnterDialogModel& dialog = Open();
    dialog.position[0] = "99";
    dialog.OnSlot(2);
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(Stored("#Setting#", "Label"), "2");
    EXPECT_EQ(dialog.position[0], "70");
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "30");
}

TEST_F(EnterDialogModelTest, DefaultsAreRegisteredAndLoadedForTheSlotInUseOnly) {
    // A new card that inherited the design would already hold the positions.
    settings.WriteInt("Option", "InheritDesign", 0);
    settings.Flush();
    EnterDialogModel& dialog = Open();
    dialog.OnSlot(2);
    dialog.position = {"120", "40"};
    dialog.OnRegisterDefaults();
    EXPECT_EQ(settings.ReadString("Default", "2" + N + "Xpos", ""), "120");
    EXPECT_EQ(settings.ReadString("Default", "1Set", "(none)"), "(none)");

    dialog.OnNext();
    platform.answerOk = false;
    dialog.OnLoadDefaults();
    EXPECT_EQ(Stored("0001", "2" + N + "Xpos"), "(none)");
    platform.answerOk = true;
    dialog.OnLoadDefaults();
    EXPECT_EQ(dialog.position[0], "120");
    dialog.OnSlot(3);  // nothing registered for slot 3
    dialog.OnLoadDefaults();
    EXPECT_EQ(Stored("0001", "3" + S("肩書き") + "Xpos"), "(none)");
}

TEST_F(EnterDialogModelTest, OnlyTheFirstTwentyItemsHaveValueLists) {
    std::vector<std::string> userItems;
    for (int i = 0; i < 17; ++i) userItems.push_back("U" + std::to_string(i));  // items 9 to 25
    settings.WriteString("Lists", "U11", "L.NAM");
    settings.WriteString("Lists", "U12", "L.NAM");
    settings.Flush();
    WriteBytes(PathOf("L.NAM"), "A\r\n");
    EnterDialogModel& dialog = Open(userItems);
    dialog.OnItemChosen(19);
    EXPECT_EQ(dialog.contentList, std::vector<std::string>{"A"});
    dialog.OnItemChosen(20);
    EXPECT_TRUE(dialog.contentList.empty());
}

TEST_F(EnterDialogModelTest, TheFontDialogSpeaksPointsAndKeepsTheTextAngle) {
    Store("0000", "1" + N + "Font", "-16 0 900 0 400 0 0 0 128 3 2 1 49 255");
    FontChoice chosen;
    chosen.face = "IPAGothic";
    chosen.points = 12;
    chosen.weight = 700;
    chosen.color = Rgb(0, 0, 255);
    platform.font = chosen;
    Open().OnFont();
    ASSERT_TRUE(platform.fontShown);
    EXPECT_DOUBLE_EQ(platform.fontShown->points, 11.52);
    EXPECT_EQ(platform.fontShown->color, 0u);  // the colour starts at black
    EXPECT_EQ(Stored("0000", "1" + N + "Font"), "-17 0 900 0 700 0 0 0 128 3 2 1 49 16711680");
    EXPECT_EQ(Stored("0000", "1" + N + "FontFace"), "IPAGothic");
}

TEST_F(EnterDialogModelTest, TheViewPlacesTheSelectedItemThroughTheDialog) {
    Store("0000", "1" + N + "PrintPos", "2");
    EnterDialogModel& dialog = Open();
    view.DoubleClick(300, 200);  // the tag starts at (10, 10)
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "290");
    EXPECT_EQ(Stored("0000", "1" + N + "Ypos"), "190");
    EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), "0");
    EXPECT_EQ(platform.fieldsShown, 1);
    EXPECT_EQ(platform.broughtToFront, 1);

    ASSERT_TRUE(view.Execute(CommandId::MoveLeft));  // keeps the focus in the view once
    EXPECT_EQ(dialog.position[0], "280");
    EXPECT_EQ(platform.broughtToFront, 1);
    dialog.OnUpdateView();
    EXPECT_EQ(platform.broughtToFront, 2);
}

TEST_F(EnterDialogModelTest, ItFollowsAnItemSelectedOnTheTagAndPlacesAnItemAsSoonAsItsPositionIsEntered) {
    view.Session().SelectItem(S("肩書き"));  // clicked on the sheet
    EnterDialogModel& dialog = Open();
    EXPECT_EQ(dialog.itemName, S("肩書き"));
    view.Session().SelectItem(S("所属"));
    EXPECT_EQ(dialog.itemName, S("所属"));
    EXPECT_EQ(dialog.itemSelection, 2);
    EXPECT_EQ(platform.fieldsShown, 1);

    dialog.OnItemChosen(0);  // a single click in the list
    EXPECT_EQ(view.SelectedItem(), N);
    dialog.position[1] = "77";
    dialog.OnPositionEntered(Axis::Y);
    EXPECT_EQ(Stored("0000", "1" + N + "Ypos"), "77");
    // Looking at an item stores nothing the card did not have.
    EXPECT_EQ(Stored("0000", "1" + S("所属") + "Xpos"), "(none)");
}

TEST_F(EnterDialogModelTest, ACancelledChooserLeavesCabinetAndRecordFileAsTheyWere) {
    EnterDialogModel& dialog = Open();
    dialog.OnSlot(2);
    platform.cabinet = S("来賓");
    dialog.OnChangeCabinet();  // no record file chosen in 来賓
    EXPECT_EQ(settings.ReadString("Current", "Genre", ""), S("常用"));
    EXPECT_EQ(view.Record().Cabinet(), S("常用"));

    platform.file = "g.ini";
    dialog.OnChangeCabinet();
    EXPECT_EQ(settings.ReadString("CurrentIni", S("来賓"), ""), RecordFilePath(S("来賓"), "g.ini"));
    EXPECT_EQ(dialog.recordTitle, "g.ini");
    EXPECT_EQ(Stored("#Setting#", "Label"), "2");  // a new file goes on with the slot in use
}
