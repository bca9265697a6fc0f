#include "dialogs/print_options_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/profile_service.h"
#include "tests/support/temp_home.h"

namespace {

using Number = PrintOptionsModel::Number;

class PrintOptionsModelTest : public TempHomeTest {
protected:
    PrintOptionsModelTest() { record.SetPath(Home() + "/r.ini"); }

    std::string Layout(const std::string& key) const { return settings.ReadString("PrintOptions", key, "(none)"); }
    bool NothingStored() const {
        return !std::filesystem::exists(PathOf("ZULNAME.INI")) && !std::filesystem::exists(PathOf("r.ini"));
    }

    const SettingsProfile settings;
    RecordProfile record;
    PrintOptionsModel model{settings, record};
};

}  // namespace

TEST_F(PrintOptionsModelTest, OpensOnTheBusinessCardWithTheDefaultLayoutWhenNothingIsStored) {
    model.OnOpen();
    EXPECT_EQ(model.EditSlot(), 1);
    EXPECT_EQ(model.slotButtons.checked, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(model.numbers, (std::array<std::string, 6>{"2", "5", "0", "0", "10", "10"}));
    EXPECT_FALSE(model.noCutLine || model.textOverDecoration || model.cropMarks);
    EXPECT_TRUE(model.cropMarksEnabled);
    EXPECT_TRUE(NothingStored());
}

TEST_F(PrintOptionsModelTest, OpensOnTheStoredStartSlotAndItsValues) {
    settings.WriteString("PrintOptions", "CurLabel", "3");
    settings.WriteString("PrintOptions", "3Line", "4");
    settings.WriteInt("PrintOptions", "3NoCutLine", 1);
    record.WriteString("Option", "Top", "abc");
    record.WriteInt("Option", "Tombo", 1);
    model.OnOpen();
    EXPECT_EQ(model.EditSlot(), 3);
    EXPECT_EQ(model.slotButtons.checked, (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(model.Field(Number::Rows), "4");
    EXPECT_EQ(model.Field(Number::Top), "abc");
    EXPECT_TRUE(model.noCutLine && model.cropMarks);
    EXPECT_FALSE(model.cropMarksEnabled);
    model.noCutLine = false;
    model.OnNoCutLineClicked();
    EXPECT_TRUE(model.cropMarksEnabled);
    model.noCutLine = true;
    model.OnNoCutLineClicked();
    EXPECT_FALSE(model.cropMarksEnabled);
}

TEST_F(PrintOptionsModelTest, SwitchingSlotsStoresTheSlotLeftBeforeShowingTheOther) {
    settings.WriteString("PrintOptions", "2Column", "4");
    model.OnOpen();
    model.Field(Number::Columns) = "3";
    model.Field(Number::GapV) = "12mm";
    model.Field(Number::Left) = "25";
    model.noCutLine = true;
    model.textOverDecoration = true;
    model.OnSlot(2);

    EXPECT_EQ(Layout("1Column"), "3");
    EXPECT_EQ(Layout("1GapV"), "12mm");  // as typed
    EXPECT_EQ(Layout("1NoCutLine"), "1");
    EXPECT_EQ(settings.ReadInt("PrintMode", "bTransparent", 0), 1);
    EXPECT_EQ(record.ReadString("Option", "Left", ""), "25");
    EXPECT_EQ(Layout("2Column"), "4");  // the slot shown is not stored
    EXPECT_EQ(Layout("2NoCutLine"), "(none)");

    EXPECT_EQ(model.slotButtons.checked, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(model.numbers, (std::array<std::string, 6>{"4", "5", "0", "0", "10", "25"}));
    EXPECT_FALSE(model.noCutLine);
    EXPECT_TRUE(model.textOverDecoration);
    EXPECT_TRUE(model.cropMarksEnabled);
}

TEST_F(PrintOptionsModelTest, StepButtonsChangeByOneAndStopAtTheirLowestValues) {
    struct Step {
        Number number;
        const char* from;
        std::int32_t step;
        const char* to;
    };
    const Step steps[] = {
        {Number::Columns, "2", 1, "3"}, {Number::Columns, "abc", -1, "1"}, {Number::Rows, "1", -1, "1"},
        {Number::GapH, "0", -1, "0"},   {Number::GapV, "7", 1, "8"},       {Number::Top, "1", -1, "1"},
        {Number::Top, "-5", 1, "1"},    {Number::Left, "0", -1, "0"},      {Number::Left, "99", 1, "100"},
    };
    model.OnOpen();
    for (const Step& step : steps) {
        model.Field(step.number) = step.from;
        model.OnStep(step.number, step.step);
        EXPECT_EQ(model.Field(step.number), step.to) << step.from << " " << step.step;
    }
    EXPECT_TRUE(NothingStored());
}

TEST_F(PrintOptionsModelTest, OkStoresEveryFieldOfTheSlotAsTyped) {
    model.OnOpen();
    model.OnSlot(3);
    model.numbers = {"3", "x", "5", "6", "7", "8"};
    model.cropMarks = true;
    model.OnOk();
    // Each slot stored is recorded in the record file as the drawing reads it ("x" rows are one).
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), "[Option]\r\nTop=7\r\nLeft=8\r\nTombo=1\r\n[#Setting#]\r\n"
                                          "Sheet1=358,216,2,5,0,0,,0\r\nSheet3=358,216,3,1,5,6,,0\r\n");
    for (const auto& [key, value] : {std::pair{"3Column", "3"}, {"3Line", "x"}, {"3GapH", "5"}, {"3GapV", "6"},
                                     {"3NoCutLine", "0"}})
        EXPECT_EQ(Layout(key), value) << key;
}

TEST_F(PrintOptionsModelTest, OneUndoTakesBackWhatOkStoredInBothFiles) {
    WriteBytes(PathOf("ZULNAME.INI"), "[PrintOptions]\r\n1Column=2\r\n");
    WriteBytes(PathOf("r.ini"), "[Option]\r\nTop=10\r\n");
    profile::ProfileService& service = profile::ProfileService::Instance();
    service.EndUndoStep();
    model.OnOpen();
    model.numbers = {"4", "5", "0", "0", "20", "10"};
    model.noCutLine = true;
    model.OnOk();
    service.EndUndoStep();
    EXPECT_EQ(service.Undo(record.ReadFsPath()), profile::UndoResult::Done);
    EXPECT_EQ(Layout("1Column"), "2");
    EXPECT_EQ(Layout("1NoCutLine"), "(none)");
    EXPECT_EQ(record.ReadString("Option", "Top", ""), "10");
    service.ForgetUndo(record.ReadFsPath());
}

TEST_F(PrintOptionsModelTest, TheLayoutIsReadFromTheFieldsAsTheSheetReadsThemOnceStored) {
    settings.WriteString("Card", "2w", "300");
    model.OnOpen();
    model.OnSlot(2);
    model.numbers = {"0", "3", "20", "x", "", "-4"};
    model.noCutLine = true;
    const SheetLayout layout = model.Layout();
    EXPECT_EQ((std::array<std::int32_t, 6>{layout.columns, layout.rows, layout.gapH, layout.gapV, layout.top,
                                           layout.left}),
              (std::array<std::int32_t, 6>{1, 3, 20, 0, 10, -4}))
        << "no column counts as one, an empty offset reads as its default";
    EXPECT_EQ(layout.label.width, 300);
    EXPECT_TRUE(layout.noCutLine);
    EXPECT_EQ(Layout("2Column"), "(none)");
}

TEST_F(PrintOptionsModelTest, ASheetChosenMeanwhileShowsItsNumbersAndCutLinesAndKeepsTheOtherBoxes) {
    model.OnOpen();
    model.textOverDecoration = true;
    // What the sheet chooser stores for labels that come cut.
    settings.WriteString("PrintOptions", "1Column", "3");
    settings.WriteInt("PrintOptions", "1NoCutLine", 1);
    model.OnSheetChosen();
    EXPECT_EQ(model.Field(Number::Columns), "3");
    EXPECT_TRUE(model.noCutLine);
    EXPECT_FALSE(model.cropMarksEnabled);
    EXPECT_TRUE(model.textOverDecoration);
    model.OnOk();
    EXPECT_EQ(Layout("1NoCutLine"), "1");
}

TEST_F(PrintOptionsModelTest, FoldAndBothSidesAreKeptPerSlotAndADamagedCodeReadsFlat) {
    settings.WriteString("PrintOptions", "2Fold", "7");
    settings.WriteString("PrintOptions", "2Duplex", "1");
    model.OnOpen();
    EXPECT_EQ(model.sides.fold, Fold::None);
    EXPECT_TRUE(model.sides.foldLine);
    EXPECT_FALSE(model.foldLineEnabled);
    model.sides.fold = Fold::TopBottom;
    model.OnFoldChanged();
    EXPECT_TRUE(model.foldLineEnabled);
    model.sides.foldLine = false;
    model.sides.duplex = Duplex::ShortEdge;
    model.OnSlot(2);
    EXPECT_EQ(model.sides.fold, Fold::None);
    EXPECT_EQ(model.sides.duplex, Duplex::LongEdge);
    model.sides.fold = Fold::LeftRight;
    EXPECT_EQ(model.Layout().fold, Fold::LeftRight) << "the preview draws the fold";
    model.OnOk();
    EXPECT_EQ(Layout("1Fold") + Layout("1FoldLine") + Layout("1Duplex"), "102");
    EXPECT_EQ(Layout("2Fold") + Layout("2FoldLine") + Layout("2Duplex"), "211");
}
