#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/cabinet_chooser_model.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"

namespace {

std::string OpenedSelection(const std::string& preset) {
    CabinetChooserModel model(preset);
    model.OnOpen();
    if (model.selection < 0) return "(none)";
    return model.entries[model.selection];
}

}  // namespace

TEST(CabinetChooserModelTest, ListsTheEightCabinetsSorted) {
    CabinetChooserModel model("");
    model.OnOpen();
    EXPECT_TRUE(std::is_permutation(model.entries.begin(), model.entries.end(), CabinetNames().begin(),
                                    CabinetNames().end()));
    EXPECT_EQ(model.entries.size(), CabinetNames().size());
    EXPECT_TRUE(std::is_sorted(model.entries.begin(), model.entries.end()));
}

TEST(CabinetChooserModelTest, OpensWithThePresetOrAPrefixOfItSelected) {
    EXPECT_EQ(OpenedSelection(S("生徒")), S("生徒"));
    EXPECT_EQ(OpenedSelection(""), S("常用"));
    EXPECT_EQ(OpenedSelection(S("ボラ")), S("ボランティア"));
    EXPECT_EQ(OpenedSelection(S("その他")), S("その他"));
}

TEST(CabinetChooserModelTest, AnUnknownPresetSelectsTheFirstEntry) {
    CabinetChooserModel model(S("手で書いた"));
    model.OnOpen();
    EXPECT_EQ(model.selection, 0);
}

TEST(CabinetChooserModelTest, OkReturnsTheSelectedEntryAndDoesNothingWithoutOne) {
    CabinetChooserModel model("");
    model.OnOpen();
    model.OnSelect(-1);
    EXPECT_FALSE(model.OnOk());
    EXPECT_FALSE(model.Result());

    model.OnSelect(3);
    EXPECT_TRUE(model.OnOk());
    EXPECT_EQ(model.Result(), model.entries[3]);
}

TEST(CabinetChooserModelTest, DoubleClickChoosesTheEntryAtOnce) {
    CabinetChooserModel model(S("生徒"));
    model.OnOpen();
    EXPECT_TRUE(model.OnDoubleClick(5));
    EXPECT_EQ(model.Result(), model.entries[5]);
}
