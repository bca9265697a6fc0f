#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "render/trace_surface.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"
#include "view/edit_view_model.h"

namespace {

class FakeInputDialog : public InputDialogLink {
public:
    void SetPosition(ItemPosition at, bool toFront) override {
        position = at;
        broughtToFront = toFront;
        ++handOvers;
    }
    ItemPosition GetPosition() const override { return position; }

    ItemPosition position;
    bool broughtToFront = false;
    int handOvers = 0;
};

class FakePlatform : public ViewPlatform {
public:
    std::optional<std::string> ChooseCabinet(const std::string& preset) override {
        asked.push_back("cabinet:" + preset);
        return cabinet;
    }
    std::optional<std::string> ChooseRecordFile(const std::string& name) override {
        asked.push_back("file:" + name);
        return file;
    }
    std::optional<std::int32_t> ChooseLabelSlot(std::int32_t current) override {
        asked.push_back("slot:" + std::to_string(current));
        return slot;
    }
    std::optional<ColorRef> ChooseColor(ColorRef) override { return color; }
    void OpenInputDialog() override { ++inputDialogsOpened; }
    void ScrollToTopLeft() override {}
    void RefreshAllViews() override { ++refreshes; }
    void OpenHomePage() override {}
    Surface& MeasuringSurface() override { return surface; }
    void PumpMessages() override {}

    std::optional<std::string> cabinet, file;
    std::optional<std::int32_t> slot;
    std::optional<ColorRef> color;
    std::vector<std::string> asked;
    int inputDialogsOpened = 0, refreshes = 0;
    std::ostringstream trace;
    TraceSurface surface{trace, 100, 100, false};
};

// A record file in the 常用 cabinet whose card 0000 has the name 山田 (40 × 20 in the trace
// font of height 20).
class EditViewModelTest : public TempHomeTest {
protected:
    EditViewModelTest() {
        for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
        WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") +
                                               "\r\n1" + S("氏名") + "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n");
        SettingsProfile settings;
        settings.WriteString("Current", "Genre", S("常用"));
        settings.WriteString("CurrentIni", S("常用"), Home() + "/Always/r.ini");
        settings.Flush();
        model.Start();
        model.SetInputDialog(&dialog);
        model.SetSelectedItem(S("氏名"));
    }
    void EnterCardMode() { model.Execute(CommandId::Input); }

    FakePlatform platform;
    FakeInputDialog dialog;
    EditViewModel model{platform, {}};
};

}  // namespace

TEST_F(EditViewModelTest, ModesDecideWhichCommandsAreOffered) {
    EXPECT_TRUE(platform.asked.empty());
    for (CommandId command : {CommandId::Input, CommandId::AddItem, CommandId::Print, CommandId::PrintPreview,
                              CommandId::FileOpen, CommandId::SwitchCabinet, CommandId::SwitchLabel,
                              CommandId::MergePrint, CommandId::ImportList, CommandId::ExportList})
        EXPECT_TRUE(model.IsAvailable(command));
    for (CommandId command : {CommandId::MoveLeft, CommandId::AlignCenter, CommandId::MoveDown})
        EXPECT_FALSE(model.IsAvailable(command));
    for (CommandId command : {CommandId::FileNew, CommandId::Paste}) EXPECT_FALSE(model.IsAvailable(command));

    EnterCardMode();
    EXPECT_EQ(model.Mode(), ViewMode::CardMode);
    EXPECT_EQ(platform.inputDialogsOpened, 1);
    // The input dialog switches file, cabinet and slot itself while it is open.
    for (CommandId command : {CommandId::Input, CommandId::AddItem, CommandId::Print, CommandId::PreviousPage,
                              CommandId::NextPage, CommandId::FileOpen, CommandId::SwitchCabinet,
                              CommandId::SwitchLabel, CommandId::MergePrint, CommandId::ImportList})
        EXPECT_FALSE(model.IsAvailable(command));
    EXPECT_TRUE(model.IsAvailable(CommandId::AlignCenter));
    model.InputDialogClosed();
    EXPECT_EQ(model.Mode(), ViewMode::SheetMode);
}

TEST_F(EditViewModelTest, ARepeatedNudgeGoesTenTimesAsFarAndStopsAtTheEdge) {
    EnterCardMode();
    dialog.position = {5, 0};
    model.NudgeRepeated(CommandId::MoveRight, 10);
    EXPECT_EQ(dialog.position.x, 105);
    model.NudgeRepeated(CommandId::MoveRight, 100);
    EXPECT_EQ(dialog.position.x, 318);  // 358 wide, less the name's 40
}

TEST_F(EditViewModelTest, APressOnANameOnTheSheetMakesItsCardCurrentAndSelectsIt) {
    RecordProfile& record = model.Record();
    for (const char* section : {"0000", "0001"}) record.WriteInt(section, "1IsPrint" + S("氏名"), 1);
    record.WriteInt("#Setting#", "Max", 1);
    record.WriteString("0001", S("氏名"), S("佐藤"));
    record.WriteString("0001", "1" + S("氏名") + "Font", "-20 0 0 0 400 0 0 0 128 3 2 1 49 0");
    record.Flush();
    model.SetSelectedItem(S("所属"));
    model.PressMouse(200, 200);  // the first tag, away from its name
    EXPECT_FALSE(model.SelectionOnView());
    model.PressMouse(388, 20);  // the second tag starts at (368, 10)
    model.ReleaseMouse(388, 20);
    EXPECT_EQ(record.ReadInt("#Setting#", "CurID", 0), 1);
    EXPECT_EQ(model.SelectedItem(), S("氏名"));
    ASSERT_TRUE(model.SelectionOnView());
    EXPECT_EQ(model.SelectionOnView()->left, 368);
}

TEST_F(EditViewModelTest, TheArrowsMoveAnItemSelectedOnTheSheet) {
    RecordProfile& record = model.Record();
    record.WriteInt("0000", "1IsPrint" + S("氏名"), 1);
    record.Flush();
    EXPECT_FALSE(model.IsAvailable(CommandId::MoveRight));  // nothing selected on the sheet yet
    model.PressMouse(20, 20);  // the first tag starts at (10, 10); its name at (0, 0)
    model.ReleaseMouse(20, 20);
    ASSERT_TRUE(model.IsAvailable(CommandId::MoveRight));
    EXPECT_TRUE(model.Execute(CommandId::MoveRight));
    EXPECT_EQ(record.ReadInt("0000", "1" + S("氏名") + "Xpos", 0), 10);
    model.NudgeRepeated(CommandId::MoveDown, 10);
    EXPECT_EQ(record.ReadInt("0000", "1" + S("氏名") + "Ypos", 0), 100);
    model.NudgeRepeated(CommandId::MoveRight, 100);
    EXPECT_EQ(record.ReadInt("0000", "1" + S("氏名") + "Xpos", 0), 318);  // 358 wide, less the name's 40
    ASSERT_TRUE(model.SelectionOnView());
    EXPECT_EQ(model.SelectionOnView()->left, 328);
}

TEST_F(EditViewModelTest, NudgingStopsAtTheEdges) {
    EnterCardMode();
    dialog.position = {5, 0};
    EXPECT_FALSE(model.IsAvailable(CommandId::MoveUp));
    model.Execute(CommandId::MoveLeft);
    EXPECT_EQ(dialog.position.x, 0);
    EXPECT_FALSE(dialog.broughtToFront);
    EXPECT_FALSE(model.IsAvailable(CommandId::MoveLeft));

    dialog.position = {250, 0};
    model.Execute(CommandId::MoveRight);
    EXPECT_EQ(dialog.position.x, 260);
    dialog.position = {315, 0};
    model.Execute(CommandId::MoveRight);
    EXPECT_EQ(dialog.position.x, 318);  // 358 − 40
    EXPECT_FALSE(model.IsAvailable(CommandId::MoveRight));
    EXPECT_FALSE(model.IsAvailable(CommandId::AlignRight));
}

TEST_F(EditViewModelTest, AlignmentCommandsPositionAndStoreTheirCodes) {
    EnterCardMode();
    const RecordProfile& record = model.Record();
    dialog.position = {250, 30};
    model.Execute(CommandId::AlignCenter);
    EXPECT_EQ(dialog.position.x, 159);  // (358 − 40) / 2
    EXPECT_EQ(record.ReadInt("0000", "1" + S("氏名") + "PrintPos", -1), 2);
    model.Execute(CommandId::AlignMiddle);
    EXPECT_EQ(dialog.position.y, 98);  // (216 − 20) / 2
    model.Execute(CommandId::AlignBottom);
    EXPECT_EQ(dialog.position.y, 196);
    EXPECT_EQ(record.ReadInt("0000", "1" + S("氏名") + "PrintVPos", -1), 3);
    EXPECT_FALSE(model.IsAvailable(CommandId::MoveDown));

    model.SetSelectedItem(S("読み"));  // no text: centring does nothing at all
    dialog.handOvers = 0;
    model.Execute(CommandId::AlignCenter);
    EXPECT_EQ(dialog.handOvers, 0);
}

TEST_F(EditViewModelTest, DoubleClicksInsideTheTagPlaceTheItem) {
    model.DoubleClick(300, 200);  // in the sheet: opens the input dialog
    EXPECT_EQ(model.Mode(), ViewMode::CardMode);
    model.DoubleClick(300, 200);
    EXPECT_EQ(dialog.position.x, 290);
    EXPECT_EQ(dialog.position.y, 190);
    EXPECT_TRUE(dialog.broughtToFront);
    dialog.handOvers = 0;
    model.DoubleClick(400, 50);
    EXPECT_EQ(dialog.handOvers, 0);
}

TEST_F(EditViewModelTest, DraggingSizesTheFontToTheRectangle) {
    EnterCardMode();
    model.PressMouse(50, 40);
    const std::optional<DragRect> rect = model.MoveMouse(200, 140);
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->Height(), 50);
    model.ReleaseMouse(200, 140);
    EXPECT_EQ(dialog.position.x, 35);
    EXPECT_EQ(dialog.position.y, 35);
    // The trace font is as high as its size: the last size below 50 is 49.
    EXPECT_EQ(model.Record().ReadString("0000", "1" + S("氏名") + "Font", "").substr(0, 4), "-49 ");
    EXPECT_FALSE(model.MoveMouse(10, 10));

    // A click without a drag places the item and keeps its font.
    model.PressMouse(100, 60);
    model.ReleaseMouse(101, 61);
    EXPECT_EQ(dialog.position.x, 85);
    EXPECT_EQ(model.Record().ReadString("0000", "1" + S("氏名") + "Font", "").substr(0, 4), "-49 ");
}

TEST_F(EditViewModelTest, PagesStepWithinThePrintJob) {
    std::string bytes = "[#Setting#]\r\nLabel=1\r\nMax=11\r\n";
    for (int card = 0; card < 12; ++card)
        bytes += "[" + CardSectionName(card) + "]\r\n" + S("氏名") + "=N\r\n";
    WriteBytes(PathOf("Always/r.ini"), bytes);
    EXPECT_FALSE(model.IsAvailable(CommandId::PreviousPage));
    ASSERT_TRUE(model.IsAvailable(CommandId::NextPage));
    model.Execute(CommandId::NextPage);
    EXPECT_EQ(model.ScreenPage(), 2);
    EXPECT_FALSE(model.IsAvailable(CommandId::NextPage));
    model.Execute(CommandId::PreviousPage);
    EXPECT_EQ(model.ScreenPage(), 1);
}

TEST_F(EditViewModelTest, AJobWhoseCardsPrintNoNameIsBlank) {
    EXPECT_TRUE(model.PrintsBlankTags()) << "山田 has no printed name";
    ProfileFile(PathOf("Always/r.ini")).WriteString("0000", "1IsPrint" + S("氏名"), "1");
    ProfileFile(PathOf("Always/r.ini")).Flush();
    EXPECT_FALSE(model.PrintsBlankTags());
    WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n");
    EXPECT_FALSE(model.PrintsBlankTags()) << "no cards: nothing is printed at all";
}

TEST_F(EditViewModelTest, ShowingACardTurnsToThePageThatPrintsIt) {
    std::string bytes = "[#Setting#]\r\nLabel=1\r\nMax=12\r\n[Current]\r\nPrintOrder=0012|0003|\r\n";
    for (int card = 0; card < 13; ++card)
        bytes += "[" + CardSectionName(card) + "]\r\n" + S("氏名") + "=N\r\n";
    WriteBytes(PathOf("Always/r.ini"), bytes);
    model.ShowCardPage(3);  // second in the print order: the first page
    EXPECT_EQ(model.ScreenPage(), 1);
    ProfileFile(PathOf("Always/r.ini")).WriteString("Current", "PrintOrder", "");
    ProfileFile(PathOf("Always/r.ini")).Flush();
    model.ShowCardPage(12);  // 13th named card, ten to a page
    EXPECT_EQ(model.ScreenPage(), 2);
    model.ShowCardPage(99);  // not printed: the page stays
    EXPECT_EQ(model.ScreenPage(), 2);
}

TEST_F(EditViewModelTest, OpeningAnotherCabinetWithoutAFileKeepsTheFileAndAsksNoSlot) {
    platform.cabinet = S("来賓");
    model.Execute(CommandId::FileOpen);
    EXPECT_EQ(platform.asked, (std::vector<std::string>{"cabinet:" + S("常用"), "file:" + S("来賓")}));
    EXPECT_EQ(model.Record().Cabinet(), S("来賓"));
    EXPECT_EQ(model.Record().Path(), Home() + "/Always/r.ini");
    EXPECT_EQ(model.Settings().ReadString("CurrentIni", S("来賓"), "unset"), "unset");

    platform.asked.clear();
    platform.file = "new.ini";
    platform.slot = 2;
    model.Execute(CommandId::SwitchCabinet);
    EXPECT_EQ(platform.asked, (std::vector<std::string>{"cabinet:" + S("来賓"), "file:" + S("来賓"), "slot:0"}));
    // The new file starts in the default design, its card 0000 printing the name.
    EXPECT_EQ(ReadBytes(PathOf("Guests/new.ini")).find("[#Setting#]\r\nLabel=2\r\n"), 0u);
    EXPECT_EQ(ProfileFile(PathOf("Guests/new.ini")).ReadInt("0000", "2IsPrint" + S("氏名"), 0), 1);
    EXPECT_EQ(model.State().slotPrefix, "2");
}

TEST_F(EditViewModelTest, ARecentFileReopensInTheCabinetOfItsFolder) {
    model.OpenRecordFileAt(Home() + "/Guests/g.ini");
    EXPECT_EQ(model.Record().Cabinet(), S("来賓"));
    EXPECT_EQ(model.Settings().ReadString("Current", "Genre", ""), S("来賓"));
    EXPECT_EQ(model.Settings().ReadString("CurrentIni", S("来賓"), ""), Home() + "/Guests/g.ini");
    model.OpenRecordFileAt(Home() + "/elsewhere/x.ini");
    EXPECT_EQ(model.Record().Cabinet(), S("その他"));
    EXPECT_EQ(model.Record().Path(), Home() + "/elsewhere/x.ini");
}

TEST_F(EditViewModelTest, SwitchingTheLabelKindStoresTheSlot) {
    platform.slot = 3;
    model.Execute(CommandId::SwitchLabel);
    EXPECT_EQ(platform.asked.back(), "slot:1");
    EXPECT_EQ(model.Record().ReadInt("#Setting#", "Label", 0), 3);
    platform.color = Rgb(0, 0, 255);
    model.Execute(CommandId::GuideLineColor);
    EXPECT_EQ(model.Settings().ReadInt("Edit Options", "EditLineColor", 0), 16711680);
}
