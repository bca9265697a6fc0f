#include <gtest/gtest.h>

#include "dialogs/add_item_model.h"
#include "store/items.h"
#include "tests/support/temp_home.h"

namespace {

class AddItemModelTest : public TempHomeTest {
protected:
    AddItemModel& Open() {
        model.OnOpen();
        return model;
    }
    void Type(const std::string& name) {
        model.name = name;
        model.OnNameChanged();
    }
    void Add(const std::string& name) {
        Type(name);
        model.OnAdd();
    }

    const SettingsProfile settings;
    AddItemModel model{settings};
};

}  // namespace

TEST_F(AddItemModelTest, ReservedNamesDisableAddingButOnlyAsWholeNames) {
    Open();
    EXPECT_FALSE(model.addEnabled);
    for (const char* reserved : {"電話", "携帯電話", "PHS", "HomePage", "その他2"}) {
        Type(S(reserved));
        EXPECT_FALSE(model.addEnabled) << reserved;
    }
    Type(S("電話番号"));
    EXPECT_TRUE(model.addEnabled);
    Type("");
    EXPECT_FALSE(model.addEnabled);
}

TEST_F(AddItemModelTest, NamesThatWouldBreakTheStoredKeysCannotBeAdded) {
    Open();
    for (const std::string name : {"a|b", "a=b", "[x", "x]", "a\nb", "a\rb", ";x"}) {
        Type(name);
        EXPECT_FALSE(model.addEnabled) << name;
    }
    // ポ and ソ end in the bytes of "|" and "]": inside a character they are no separators.
    Type(S("ポスト;ソ"));
    EXPECT_TRUE(model.addEnabled);
}

TEST_F(AddItemModelTest, FixedItemsAndNamesAlreadyListedAreSilentlyNotAdded) {
    Open();
    Add(S("氏名"));
    EXPECT_TRUE(model.names.empty());
    EXPECT_EQ(model.name, "");
    EXPECT_FALSE(model.addEnabled);
    Add("Room");
    Add("ROOM");
    EXPECT_EQ(model.names, std::vector<std::string>{"Room"});
}

TEST_F(AddItemModelTest, OkStoresTheSortedListEachNameFollowedByABar) {
    Open();
    Add("b");
    Add("A");
    EXPECT_EQ(model.names, (std::vector<std::string>{"A", "b"}));
    model.OnOk();
    EXPECT_EQ(settings.ReadString("UserDef", "Items", ""), "A|b|");

    model.OnDoubleClick(1);
    EXPECT_EQ(model.name, "b");
    EXPECT_TRUE(model.addEnabled);
    model.selection = 0;
    model.OnDelete();
    model.selection = 0;
    model.OnDelete();
    model.OnDelete();  // nothing selected
    model.OnOk();
    EXPECT_EQ(settings.ReadString("UserDef", "Items", "(none)"), "");
}

TEST_F(AddItemModelTest, OpeningReadsTheWholeStoredList) {
    std::vector<std::string> names;
    for (int i = 10; i < 50; ++i) names.push_back(S("項目") + std::to_string(i));
    settings.WriteString("UserDef", "Items", JoinBarList(names));
    settings.Flush();
    Open();
    EXPECT_EQ(model.names, names);
    model.OnOk();
    EXPECT_EQ(settings.ReadFullString("UserDef", "Items", ""), JoinBarList(names));
}
