#include <gtest/gtest.h>

#include "store/items.h"
#include "tests/support/temp_home.h"

namespace {

class ItemsTest : public TempHomeTest {
protected:
    ItemsTest() { record.SetPath(Home() + "/r.ini"); }
    const SettingsProfile settings;
    RecordProfile record;
};

}  // namespace

TEST(UserItems, StoredNamesSplitAtBarsWithoutEmptyPieces) {
    EXPECT_EQ(SplitBarList("A|B|"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(SplitBarList("|A||B"), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(SplitBarList("").empty());
    // ポ is 83 7C: its trail byte is a bar and must not split the name.
    EXPECT_EQ(SplitBarList(S("ポスト|")), (std::vector<std::string>{S("ポスト")}));
    EXPECT_EQ(JoinBarList({"A", "B"}), "A|B|");
}

TEST_F(ItemsTest, UserItemsFollowTheFixedItemsInStoredOrder) {
    settings.WriteString("UserDef", "Items", S("係|") + "|" + S("部屋|"));
    UserItemList list;
    list.ReloadUserItems(settings);
    list.ReloadUserItems(settings);
    const std::vector<std::string> items = ItemList(list.UserItems());
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[7], S("その他4"));
    EXPECT_EQ(items[8], S("係"));
    EXPECT_EQ(items[9], S("部屋"));
}

TEST_F(ItemsTest, AUserItemListLongerThanAnOrdinaryReadIsReadWhole) {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back(S("項目") + std::to_string(i));
    const std::string stored = JoinBarList(names);
    ASSERT_GT(stored.size(), 259u);
    settings.WriteString("UserDef", "Items", stored);
    UserItemList list;
    list.ReloadUserItems(settings);
    EXPECT_EQ(list.UserItems(), names);
}

TEST_F(ItemsTest, SavedItemsUseThePerSlotKeys) {
    const std::string name = S("氏名");
    EXPECT_EQ(IsPrintKey("3", S("読み")), "3" + std::string("IsPrint") + S("読み"));
    EXPECT_TRUE(SaveItem(record, "0012", "1", name, {S("山田"), "120", "40", 1}));
    SetAlignment(record, "0012", "1", name, AlignmentCode::Centre);
    record.Flush();
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), "[0012]\r\n" + name + "=" + S("山田") + "\r\n1" + name + "Xpos=120\r\n1" +
                                              name + "Ypos=40\r\n1IsPrint" + name + "=1\r\n1" + name + "PrintPos=2\r\n");
    const ItemRecord loaded = LoadItem(settings, record, "0012", "1", name);
    EXPECT_EQ(loaded.text, S("山田"));
    EXPECT_EQ(loaded.xpos, "120");
    EXPECT_EQ(loaded.ypos, "40");
    EXPECT_EQ(loaded.print, 1);
}

TEST_F(ItemsTest, MissingPositionsComeFromTheRegisteredDefaults) {
    const std::string name = S("氏名");
    settings.WriteString("Default", "1" + name + "Xpos", "150");
    const ItemRecord loaded = LoadItem(settings, record, "0000", "1", name);
    EXPECT_EQ(loaded.xpos, "150");
    EXPECT_EQ(loaded.ypos, "0");
    EXPECT_EQ(loaded.print, 1);
    EXPECT_EQ(LoadItem(settings, record, "0000", "2", name).xpos, "0");
}

TEST_F(ItemsTest, RegisteringDefaultsCopiesOneSlotOfTheFixedItems) {
    const std::string name = S("氏名");
    settings.WriteString("Default", "1Set", "1");
    record.WriteString("0000", "2" + name + "Font", "-24 0 0 0 700 0 0 0 128 3 2 1 49 0");
    record.WriteString("0000", "2" + name + "Xpos", "30");
    record.WriteInt("0000", "2IsPrint" + name, 1);
    int saves = 0;
    RegisterDefaults(settings, record, "0000", "2", [&] { ++saves; });
    EXPECT_EQ(saves, 8);
    EXPECT_EQ(settings.ReadInt("Default", "2Set", 0), 1);
    EXPECT_EQ(settings.ReadString("Default", "1Set", ""), "1");
    EXPECT_EQ(settings.ReadString("Default", "2" + name + "Font", ""), "-24 0 0 0 700 0 0 0 128 3 2 1 49 0");
    EXPECT_EQ(settings.ReadString("Default", "2" + name + "Xpos", ""), "30");
    EXPECT_EQ(settings.ReadString("Default", "2" + name + "Ypos", ""), "0");
    EXPECT_EQ(settings.ReadInt("Default", "2IsPrint" + name, -1), 1);
    for (const std::string& item : FixedItems()) {
        EXPECT_EQ(settings.ReadString("Default", "2" + item + "FontFace", "missing"), "") << item;
        EXPECT_EQ(settings.ReadInt("Default", "2IsPrint" + item, -1), item == name ? 1 : 0);
    }
}

TEST_F(ItemsTest, LoadingDefaultsCopiesOnlyWhatWasRegistered) {
    const std::string title = S("肩書き");
    record.WriteString("0000", "3" + title + "Xpos", "77");
    record.Flush();
    const std::string before = ReadBytes(PathOf("r.ini"));
    LoadDefaults(settings, record, "0000", "3");
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), before);

    settings.WriteString("Default", "3Set", "1");
    settings.WriteString("Default", "3" + title + "Xpos", "12");
    settings.WriteInt("Default", "3IsPrint" + title, 1);
    LoadDefaults(settings, record, "0000", "3");
    EXPECT_EQ(record.ReadString("0000", "3" + title + "Xpos", ""), "12");
    EXPECT_EQ(record.ReadString("0000", "3" + title + "Ypos", ""), "0");
    EXPECT_EQ(record.ReadString("0000", "3" + title + "Font", ""), "-13 0 0 0 400 0 0 0 128 1 2 1 1 0 0 0");
    EXPECT_EQ(record.ReadString("0000", "3" + title + "FontFace", ""), "FixedSys");
    EXPECT_EQ(record.ReadInt("0000", "3IsPrint" + title, -1), 1);
    EXPECT_EQ(record.ReadInt("0000", "3IsPrint" + S("氏名"), -1), 0);
    EXPECT_EQ(record.ReadString("0000", title, "untouched"), "untouched");
}
