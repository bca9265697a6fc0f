#include "dialogs/add_item_model.h"

#include <gtest/gtest.h>

#include "store/items.h"
#include "tests/support/temp_home.h"

namespace {

class AddItemModelTest : public TempHomeTest {
protected:
    bool AddEnabledFor(const std::string& name) {
        model.name = name;
        model.OnNameChanged();
        return model.addEnabled;
    }
    void Add(const std::string& name) {
        AddEnabledFor(name);
        model.OnAdd();
    }

    const SettingsProfile settings;
    AddItemModel model{settings};
};

}  // namespace

TEST_F(AddItemModelTest, ReservedNamesAndNamesThatWouldBreakTheStoredKeysCannotBeAdded) {
    model.OnOpen();
    for (const std::string& name :
         {S("電話"), S("携帯電話"), std::string("HomePage"), std::string(), std::string("a|b"), std::string("a=b"),
          std::string("[x"), std::string("x]"), std::string("a\nb"), std::string(";x")})
        EXPECT_FALSE(AddEnabledFor(name)) << name;
    EXPECT_TRUE(AddEnabledFor(S("電話番号")));
    // ポ and ゾ end in the bytes of "|" and "]": inside a character they are no separators.
    EXPECT_TRUE(AddEnabledFor(S("ポスト;ゾ")));
}

TEST_F(AddItemModelTest, FixedItemsAndNamesAlreadyListedAreSilentlyNotAdded) {
    model.OnOpen();
    Add(S("氏名"));
    EXPECT_TRUE(model.names.empty());
    EXPECT_EQ(model.name, "");
    Add("b");
    Add("A");
    Add("B");
    EXPECT_EQ(model.names, (std::vector<std::string>{"A", "b"}));
    model.OnOk();
    EXPECT_EQ(settings.ReadString("UserDef", "Items", ""), "A|b|");
    model.selection = 0;
    model.OnDelete();
    model.selection = 0;
    model.OnDelete();
    model.OnOk();
    EXPECT_EQ(settings.ReadString("UserDef", "Items", "(none)"), "");
}

TEST_F(AddItemModelTest, OpeningReadsTheWholeStoredList) {
    std::vector<std::string> names;
    for (int i = 10; i < 50; ++i) names.push_back(S("項目") + std::to_string(i));
    settings.WriteString("UserDef", "Items", JoinBarList(names));
    settings.Flush();
    model.OnOpen();
    EXPECT_EQ(model.names, names);
}
