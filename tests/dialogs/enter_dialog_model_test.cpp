#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "dialogs/enter_dialog_model.h"
#include "store/storage_layout.h"
#include "tests/dialogs/fake_view_platform.h"
#include "tests/support/temp_home.h"

namespace {

using Axis = EnterDialogModel::Axis;

class FakeEnterPlatform : public EnterDialogPlatform {
public:
    void Beep() override { ++beeps; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskOkCancel(const std::string& text) override {
        messages.push_back(text);
        return answerOk;
    }
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override {
        fontShown = initial;
        return font;
    }
    std::optional<std::string> ChooseCabinet(const std::string& preset) override {
        asked.push_back("cabinet:" + preset);
        return cabinet;
    }
    std::optional<std::string> ChooseRecordFile(const std::string& name) override {
        asked.push_back("file:" + name);
        return file;
    }
    void RefreshAllViews() override { ++refreshes; }
    void BringToFront() override { ++broughtToFront; }
    void ShowFields() override { ++fieldsShown; }

    int beeps = 0, refreshes = 0, broughtToFront = 0, fieldsShown = 0;
    std::vector<std::string> messages, asked;
    bool answerOk = true;
    std::optional<FontChoice> font;
    std::optional<FontChoice> fontShown;
    std::optional<std::string> cabinet, file;
};

// The record file r.ini of the 常用 cabinet, slot 1, whose card 0000 has the name 山田 in a font
// of height 20 (10 units per byte on the trace surface), on a 358 × 216 tag.
class EnterDialogModelTest : public TempHomeTest {
protected:
    EnterDialogModelTest() {
        for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
        WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n[0000]\r\n" + N + "=" + S("山田") + "\r\n1" + N +
                                               "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n");
        settings.WriteString("Current", "Genre", S("常用"));
        settings.WriteString("CurrentIni", S("常用"), RecordFilePath(S("常用"), "r.ini"));
        settings.Flush();
    }

    // Starts the view and opens the dialog on it, as "入力" does.
    EnterDialogModel& Open(std::vector<std::string> userItems = {}) {
        view.Start();
        view.Execute(CommandId::Input);
        model.emplace(platform, view, std::move(userItems));
        model->OnOpen();
        return *model;
    }
    void Store(const std::string& section, const std::string& key, const std::string& value) {
        RecordProfile record;
        record.SetPath(RecordFilePath(S("常用"), "r.ini"));
        record.WriteString(section, key, value);
        record.Flush();
    }
    std::string Stored(const std::string& section, const std::string& key) const {
        return view.Record().ReadString(section, key, "(none)");
    }

    const std::string N = S("氏名");
    const SettingsProfile settings;
    FakeViewPlatform viewPlatform;
    EditViewModel view{viewPlatform, {}};
    FakeEnterPlatform platform;
    std::optional<EnterDialogModel> model;
};

}  // namespace

TEST_F(EnterDialogModelTest, OpeningShowsTheStoredItemWithItsTextAndValueList) {
    settings.WriteString("Lists", S("所属"), "ZULDAT02.NAM");
    settings.Flush();
    WriteBytes(PathOf("ZULDAT02.NAM"), ";" + S("部署") + "\r\n\r\n" + S("営業部") + "\r\n" + S("総務部") + "\r\n");
    Store("Current", "ItemName", S("所属"));
    Store("0000", S("所属"), S("経理部"));

    EnterDialogModel& dialog = Open();
    EXPECT_EQ(dialog.itemSelection, 2);
    EXPECT_EQ(dialog.itemName, S("所属"));
    EXPECT_EQ(dialog.itemText, S("経理部"));
    EXPECT_EQ(dialog.contentList, (std::vector<std::string>{S("営業部"), S("総務部")}));
    EXPECT_EQ(view.SelectedItem, S("所属"));
    EXPECT_EQ(dialog.cabinet, S("常用"));
    EXPECT_EQ(dialog.recordTitle, "r.ini");
    EXPECT_EQ(dialog.cardSection, "0000");
    EXPECT_FALSE(dialog.previousEnabled);
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{true, false, false}));
}

TEST_F(EnterDialogModelTest, OpeningComesBackToTheStoredCardSlotAndItem) {
    Store("#Setting#", "CurID", "3");
    Store("#Setting#", "Label", "2");
    Store("Current", "ItemName", "ROOM");
    EnterDialogModel& dialog = Open({S("係"), "room"});
    EXPECT_EQ(dialog.cardSection, "0003");
    EXPECT_TRUE(dialog.previousEnabled);
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(dialog.itemSelection, 9);  // letter case is ignored
    EXPECT_EQ(dialog.items.size(), 10u);
}

TEST_F(EnterDialogModelTest, AStoredSlotOtherThanTwoOrThreeIsSlotOne) {
    Store("#Setting#", "Label", "7");
    EnterDialogModel& dialog = Open();
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(Stored("#Setting#", "Label"), "1");
}

TEST_F(EnterDialogModelTest, OpeningWithoutARecordFileForTheCabinetAsksForOne) {
    settings.WriteString("Current", "Genre", S("来賓"));
    settings.Flush();
    platform.file = "guests.ini";
    EnterDialogModel& dialog = Open();
    EXPECT_EQ(platform.asked, std::vector<std::string>{"file:" + S("来賓")});
    const std::string path = RecordFilePath(S("来賓"), "guests.ini");
    EXPECT_EQ(view.Record().Path(), path);
    EXPECT_EQ(settings.ReadString("CurrentIni", S("来賓"), ""), path);
    EXPECT_EQ(dialog.recordTitle, "guests.ini");
}

TEST_F(EnterDialogModelTest, TypingInTheContentBoxStoresTheTextAndRedrawsAtOnce) {
    EnterDialogModel& dialog = Open();
    dialog.itemText = S("佐藤");
    dialog.OnContentEdited();
    EXPECT_EQ(Stored("0000", N), S("佐藤"));
    EXPECT_EQ(platform.refreshes, 1);
    EXPECT_EQ(platform.broughtToFront, 1);
}

TEST_F(EnterDialogModelTest, PositionsOutsideTheTagAreReplacedByTen) {
    Store("0000", "1" + N + "PrintPos", "2");
    Store("0000", "1" + N + "PrintVPos", "2");
    EnterDialogModel& dialog = Open();

    dialog.position[0] = "400";
    dialog.OnPositionEdited(Axis::X);
    EXPECT_EQ(dialog.position[0], "10");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(platform.messages, std::vector<std::string>{S("不正な値です")});
    EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), "0");

    dialog.position[0] = "100";
    dialog.OnPositionEdited(Axis::X);
    EXPECT_EQ(dialog.position[0], "100");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "(none)");  // stored at the next save

    for (const char* typed : {"217", "-1"}) {
        dialog.position[1] = typed;
        dialog.OnPositionEdited(Axis::Y);
        EXPECT_EQ(dialog.position[1], "10") << typed;
    }
    dialog.position[1] = "216";
    dialog.OnPositionEdited(Axis::Y);
    EXPECT_EQ(dialog.position[1], "216");
    EXPECT_EQ(platform.beeps, 3);
    EXPECT_EQ(Stored("0000", "1" + N + "PrintVPos"), "2");
}

TEST_F(EnterDialogModelTest, PositionsAreCheckedAgainstTheSizeOfTheSlotInUse) {
    settings.WriteString("Card", "2w", "500");
    settings.Flush();
    EnterDialogModel& dialog = Open();
    dialog.OnSlot(2);
    dialog.position[0] = "500";
    dialog.OnPositionEdited(Axis::X);
    EXPECT_EQ(dialog.position[0], "500");
    dialog.position[0] = "501";
    dialog.OnPositionEdited(Axis::X);
    EXPECT_EQ(dialog.position[0], "10");
}

TEST_F(EnterDialogModelTest, StepButtonsStayOnTheTagAndStopAtItsEdge) {
    Store("0000", "1" + N + "PrintPos", "2");
    EnterDialogModel& dialog = Open();
    dialog.position = {"358", "0"};
    dialog.OnStep(Axis::X, 1);
    EXPECT_EQ(dialog.position[0], "358");
    EXPECT_FALSE(dialog.stepUpEnabled[0]);
    EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), "0");
    dialog.OnStep(Axis::X, -1);
    EXPECT_EQ(dialog.position[0], "357");
    EXPECT_TRUE(dialog.stepUpEnabled[0]);

    dialog.OnStep(Axis::Y, -1);
    EXPECT_EQ(dialog.position[1], "0");
    dialog.position[1] = "215";
    dialog.OnStep(Axis::Y, 1);
    EXPECT_EQ(dialog.position[1], "216");
    EXPECT_FALSE(dialog.stepUpEnabled[1]);
    // Steps show the new value only; the next save stores it.
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "(none)");
}

TEST_F(EnterDialogModelTest, AlignmentButtonsPlaceTheTextAndStoreTheirCode) {
    EnterDialogModel& dialog = Open();
    dialog.itemText = "ABCDEFGHIJKL";  // 120 wide
    dialog.OnContentEdited();
    const struct {
        AlignmentCode code;
        const char* x;
    } cases[] = {{AlignmentCode::Right, "238"}, {AlignmentCode::Centre, "119"}, {AlignmentCode::Left, "0"}};
    for (const auto& c : cases) {
        dialog.OnAlign(c.code);
        EXPECT_EQ(dialog.position[0], c.x);
        EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), c.x);
        EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), std::to_string(static_cast<int>(c.code)));
    }

    dialog.itemText = std::string(40, 'W');  // 400 wide, wider than the tag
    dialog.OnContentEdited();
    for (const AlignmentCode code : {AlignmentCode::Centre, AlignmentCode::Right}) {
        dialog.position[0] = "50";
        dialog.OnAlign(code);
        EXPECT_EQ(dialog.position[0], "0");
    }
}

TEST_F(EnterDialogModelTest, CentringOrRightJustifyingNeedsTextAndAStoredFont) {
    Store("0000", "1" + N + "Font", "");
    EnterDialogModel& dialog = Open();
    dialog.position[0] = "50";
    dialog.OnAlign(AlignmentCode::Right);  // 氏名 has text but its stored font is empty
    EXPECT_EQ(dialog.position[0], "50");

    dialog.OnItemDoubleClick(1);  // 肩書き: no text
    dialog.position[0] = "50";
    dialog.OnAlign(AlignmentCode::Centre);
    EXPECT_EQ(dialog.position[0], "50");
    EXPECT_EQ(Stored("0000", "1" + S("肩書き") + "PrintPos"), "(none)");
}

TEST_F(EnterDialogModelTest, NextAndPreviousStepThroughTheCardsSavingTheOpenItem) {
    EnterDialogModel& dialog = Open();
    dialog.itemText = S("佐藤");
    dialog.OnNext();
    EXPECT_EQ(Stored("0000", N), S("佐藤"));
    EXPECT_EQ(dialog.cardSection, "0001");
    EXPECT_TRUE(dialog.previousEnabled);
    EXPECT_EQ(dialog.itemText, "");
    EXPECT_EQ(Stored("#Setting#", "Max"), "1");
    dialog.OnNext();
    EXPECT_EQ(Stored("#Setting#", "Max"), "2");

    dialog.OnPrevious();
    EXPECT_EQ(dialog.cardSection, "0001");
    EXPECT_EQ(Stored("#Setting#", "CurID"), "1");
    EXPECT_EQ(Stored("#Setting#", "Max"), "2");
    dialog.OnPrevious();
    EXPECT_EQ(dialog.cardSection, "0000");
    EXPECT_EQ(dialog.itemText, S("佐藤"));
    EXPECT_FALSE(dialog.previousEnabled);
    dialog.OnPrevious();
    EXPECT_EQ(Stored("#Setting#", "CurID"), "0");
}

TEST_F(EnterDialogModelTest, SlotButtonsReloadTheItemForTheNewSlotWithoutSavingFirst) {
    Store("0000", "1" + N + "Xpos", "30");
    Store("0000", "2" + N + "Xpos", "70");
    Store("0000", "2IsPrint" + N, "0");
    EnterDialogModel& dialog = Open();
    EXPECT_EQ(dialog.position[0], "30");
    dialog.position[0] = "99";
    dialog.OnSlot(2);
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(Stored("#Setting#", "Label"), "2");
    EXPECT_EQ(dialog.position[0], "70");
    EXPECT_FALSE(dialog.print);
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "30");
    EXPECT_EQ(view.State().slotPrefix, "2");

    dialog.OnSlot(2);  // clicking the checked button keeps it checked
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{false, true, false}));
}

TEST_F(EnterDialogModelTest, DefaultsAreRegisteredAndLoadedForTheSlotInUseOnly) {
    EnterDialogModel& dialog = Open();
    dialog.OnSlot(2);
    dialog.position = {"120", "40"};
    dialog.OnRegisterDefaults();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind(S("現在選択されているサイズのみ保存されます。"), 0), 0u);
    EXPECT_EQ(settings.ReadString("Default", "2Set", ""), "1");
    EXPECT_EQ(settings.ReadString("Default", "2" + N + "Xpos", ""), "120");
    EXPECT_EQ(settings.ReadString("Default", "1Set", "(none)"), "(none)");

    dialog.OnNext();
    platform.answerOk = false;
    dialog.OnLoadDefaults();
    EXPECT_EQ(Stored("0001", "2" + N + "Xpos"), "(none)");
    platform.answerOk = true;
    dialog.OnLoadDefaults();
    EXPECT_EQ(Stored("0001", "2" + N + "Xpos"), "120");
    EXPECT_EQ(dialog.position[0], "120");

    dialog.OnSlot(3);  // nothing registered for slot 3
    dialog.OnLoadDefaults();
    EXPECT_EQ(Stored("0001", "3" + S("肩書き") + "Xpos"), "(none)");
}

TEST_F(EnterDialogModelTest, OnlyTheFirstTwentyItemsHaveValueLists) {
    std::vector<std::string> userItems;
    for (int i = 0; i < 17; ++i) userItems.push_back("U" + std::to_string(i));  // items 9 to 25
    settings.WriteString("Lists", "U11", "LIST19.NAM");
    settings.WriteString("Lists", "U12", "LIST20.NAM");
    settings.Flush();
    WriteBytes(PathOf("LIST19.NAM"), "A\r\n");
    WriteBytes(PathOf("LIST20.NAM"), "B\r\n");
    EnterDialogModel& dialog = Open(userItems);
    dialog.OnItemDoubleClick(19);
    EXPECT_EQ(dialog.contentList, std::vector<std::string>{"A"});
    dialog.OnItemDoubleClick(20);
    EXPECT_EQ(dialog.itemName, "U12");
    EXPECT_TRUE(dialog.contentList.empty());
}

TEST_F(EnterDialogModelTest, TheFontDialogSpeaksPointsAndKeepsTheTextAngle) {
    Store("0000", "1" + N + "Font", "-16 0 900 0 400 0 0 0 128 3 2 1 49 255");
    EnterDialogModel& dialog = Open();
    dialog.OnFont();  // cancelled
    ASSERT_TRUE(platform.fontShown);
    EXPECT_DOUBLE_EQ(platform.fontShown->points, 11.52);
    EXPECT_EQ(platform.fontShown->color, 0u);
    EXPECT_EQ(platform.fontShown->face, S("ＭＳ ゴシック"));
    EXPECT_EQ(Stored("0000", "1" + N + "Font"), "-16 0 900 0 400 0 0 0 128 3 2 1 49 255");

    FontChoice chosen;
    chosen.face = "IPAGothic";
    chosen.points = 12;
    chosen.weight = 700;
    chosen.underline = true;
    chosen.color = Rgb(0, 0, 255);
    platform.font = chosen;
    dialog.OnFont();
    EXPECT_EQ(Stored("0000", "1" + N + "Font"), "-17 0 900 0 700 0 1 0 128 3 2 1 49 16711680");
    EXPECT_EQ(Stored("0000", "1" + N + "FontFace"), "IPAGothic");
    EXPECT_EQ(platform.refreshes, 1);
}

TEST_F(EnterDialogModelTest, AnItemWithAnEmptyStoredFontOffersTheDefaultFont) {
    Store("0000", "1" + N + "Font", "");
    Open().OnFont();
    ASSERT_TRUE(platform.fontShown);
    EXPECT_DOUBLE_EQ(platform.fontShown->points, 11.52);
    EXPECT_EQ(platform.fontShown->face, S("ＭＳ ゴシック"));
}

TEST_F(EnterDialogModelTest, TheViewPlacesTheSelectedItemThroughTheDialog) {
    Store("0000", "1" + N + "PrintPos", "2");
    EnterDialogModel& dialog = Open();
    view.DoubleClick(300, 200);  // the tag starts at (10, 10)
    EXPECT_EQ(dialog.position, (std::array<std::string, 2>{"290", "190"}));
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "290");
    EXPECT_EQ(Stored("0000", "1" + N + "Ypos"), "190");
    EXPECT_EQ(Stored("0000", "1" + N + "PrintPos"), "0");
    EXPECT_EQ(platform.fieldsShown, 1);
    EXPECT_EQ(platform.broughtToFront, 1);

    // A nudge keeps the focus in the view once.
    ASSERT_TRUE(view.Execute(CommandId::MoveLeft));
    EXPECT_EQ(dialog.GetPosition().x, 280);
    EXPECT_EQ(Stored("0000", "1" + N + "Xpos"), "280");
    EXPECT_EQ(platform.broughtToFront, 1);
    dialog.OnUpdateView();
    EXPECT_EQ(platform.broughtToFront, 2);

    dialog.position[1] = "abc";
    EXPECT_EQ(dialog.GetPosition().y, 0);
}

TEST_F(EnterDialogModelTest, OkStoresTheItemInUseAndReturnsTheViewToTheSheet) {
    EnterDialogModel& dialog = Open();
    dialog.itemText = S("佐藤");
    dialog.OnItemDoubleClick(3);  // 読み
    EXPECT_EQ(Stored("0000", N), S("佐藤"));
    EXPECT_EQ(view.SelectedItem, S("読み"));
    dialog.itemText = S("さとう");
    EXPECT_TRUE(dialog.OnOk());
    EXPECT_EQ(Stored("Current", "ItemName"), S("読み"));
    EXPECT_EQ(Stored("0000", S("読み")), S("さとう"));
    EXPECT_EQ(view.Mode(), ViewMode::SheetMode);
}

TEST_F(EnterDialogModelTest, PrintAndHideImageFlagsAreStoredAtOnce) {
    EnterDialogModel& dialog = Open();
    dialog.print = false;
    dialog.OnPrintToggled();
    EXPECT_EQ(Stored("0000", "1IsPrint" + N), "0");
    dialog.hideImage = true;
    dialog.OnHideImageToggled();
    EXPECT_EQ(Stored("Option", "NoBMPEdit"), "1");
    EXPECT_EQ(platform.refreshes, 2);
}

TEST_F(EnterDialogModelTest, ChangingTheRecordFileRereadsItsCardAndSlot) {
    WriteBytes(PathOf("Always/old.ini"), "[#Setting#]\r\nLabel=3\r\nCurID=4\r\n");
    EnterDialogModel& dialog = Open();
    dialog.OnSlot(2);
    platform.file = "new.ini";
    dialog.OnChangeRecordFile();
    const std::string path = RecordFilePath(S("常用"), "new.ini");
    EXPECT_EQ(view.Record().Path(), path);
    EXPECT_EQ(settings.ReadString("CurrentIni", S("常用"), ""), path);
    EXPECT_EQ(dialog.recordTitle, "new.ini");
    EXPECT_EQ(Stored("#Setting#", "Label"), "2");  // a new file goes on with the slot in use

    platform.file = "old.ini";
    dialog.OnChangeRecordFile();
    EXPECT_EQ(dialog.cardSection, "0004");
    EXPECT_EQ(dialog.slotButtons, (std::array<bool, 3>{false, false, true}));

    platform.file.reset();
    dialog.OnChangeRecordFile();
    EXPECT_EQ(dialog.recordTitle, "old.ini");
}

TEST_F(EnterDialogModelTest, AChangedCabinetNeedsARecordFileInIt) {
    EnterDialogModel& dialog = Open();
    platform.cabinet = S("来賓");
    dialog.OnChangeCabinet();  // the record-file chooser is cancelled
    EXPECT_EQ(platform.asked, (std::vector<std::string>{"cabinet:" + S("常用"), "file:" + S("来賓")}));
    EXPECT_EQ(dialog.cabinet, S("常用"));
    EXPECT_EQ(settings.ReadString("Current", "Genre", ""), S("常用"));
    EXPECT_EQ(view.Record().Path(), RecordFilePath(S("常用"), "r.ini"));

    platform.file = "g.ini";
    dialog.OnChangeCabinet();
    const std::string path = RecordFilePath(S("来賓"), "g.ini");
    EXPECT_EQ(dialog.cabinet, S("来賓"));
    EXPECT_EQ(settings.ReadString("Current", "Genre", ""), S("来賓"));
    EXPECT_EQ(settings.ReadString("CurrentIni", S("来賓"), ""), path);
    EXPECT_EQ(view.Record().Path(), path);
    EXPECT_EQ(view.Record().Cabinet(), S("来賓"));
    EXPECT_EQ(dialog.recordTitle, "g.ini");
}
