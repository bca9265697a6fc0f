#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/label_chooser_model.h"
#include "tests/support/temp_home.h"

namespace {

class LabelChooserModelTest : public TempHomeTest {
protected:
    LabelChooserModelTest() { record.SetPath(Home() + "/new.ini"); }

    static std::int32_t CheckedCount(const LabelChooserModel& model) {
        return static_cast<std::int32_t>(std::count(model.checked.begin(), model.checked.end(), true));
    }
    // What a check button does to itself before the dialog hears of the click.
    static void Toggle(LabelChooserModel& model, std::int32_t slot) {
        model.checked[slot - 1] = !model.checked[slot - 1];
    }

    RecordProfile record;
};

}  // namespace

TEST_F(LabelChooserModelTest, OpensWithTheIncomingSlotOrSlotOneChecked) {
    for (const std::int32_t current : {0, 1, 2, 3, 4, -2}) {
        LabelChooserModel model(record, current);
        model.OnOpen();
        const std::int32_t expected = current == 2 || current == 3 ? current : 1;
        EXPECT_EQ(model.slot, expected) << current;
        EXPECT_EQ(CheckedCount(model), 1) << current;
        EXPECT_TRUE(model.checked[expected - 1]) << current;
    }
}

TEST_F(LabelChooserModelTest, ClickingAnotherButtonMovesTheChoice) {
    LabelChooserModel model(record, 0);
    model.OnOpen();
    Toggle(model, 3);
    model.OnClick(3);
    EXPECT_EQ(model.slot, 3);
    EXPECT_EQ(CheckedCount(model), 1);
    EXPECT_TRUE(model.checked[2]);
}

TEST_F(LabelChooserModelTest, ClickingTheCheckedButtonKeepsItChecked) {
    LabelChooserModel model(record, 2);
    model.OnOpen();
    Toggle(model, 2);
    model.OnClick(2);
    EXPECT_EQ(model.slot, 2);
    EXPECT_EQ(CheckedCount(model), 1);
    EXPECT_TRUE(model.checked[1]);
}

TEST_F(LabelChooserModelTest, OkStoresTheSlotInTheRecordFile) {
    LabelChooserModel model(record, 0);
    model.OnOpen();
    model.OnOk();
    EXPECT_EQ(model.Result(), 1);
    EXPECT_EQ(ReadBytes(PathOf("new.ini")), "[#Setting#]\r\nLabel=1\r\n");

    LabelChooserModel again(record, 1);
    again.OnOpen();
    Toggle(again, 2);
    again.OnClick(2);
    again.OnOk();
    EXPECT_EQ(again.Result(), 2);
    EXPECT_EQ(record.ReadInt("#Setting#", "Label", 0), 2);
}
