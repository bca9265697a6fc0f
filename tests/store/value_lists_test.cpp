#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/locations.h"
#include "store/value_lists.h"
#include "tests/support/temp_home.h"

using namespace std::string_view_literals;
using Entries = std::vector<std::string>;

namespace {

class ValueListsTest : public TempHomeTest {
protected:
    // Registers one value-list file name per item (UTF-8 names, stored as code page 932).
    void Register(const std::vector<std::pair<std::string, std::string>>& items) {
        std::string text = "[Lists]\r\n";
        for (const auto& [item, file] : items) text += S(item) + "=" + file + "\r\n";
        WriteBytes(locations::SettingsFilePath(), text);
        for (const auto& item : items) items_.push_back(S(item.first));
    }
    ValueLists Load(ValueLists lists = ValueLists()) {
        LoadValueLists(SettingsProfile(), items_, lists);
        return lists;
    }
    std::vector<std::string> items_;
};

}  // namespace

TEST_F(ValueListsTest, EntriesAreLinesAsWrittenWithoutCommentsAndEmptyLines) {
    Register({{"氏名", "ZULDAT00.NAM"}, {"肩書き", "ZULDAT01.NAM"}});
    WriteBytes(PathOf("ZULDAT01.NAM"), S(";役職の一覧\r\n\r\n部長\r\n課長\n  係長 \r\nA\rB\r\n末尾"));
    const ValueLists lists = Load();
    EXPECT_EQ(lists[1], (Entries{S("部長"), S("課長"), S("  係長 "), "A\rB", S("末尾")}));
    EXPECT_TRUE(lists[0].empty());
}

TEST_F(ValueListsTest, AListWhoseFileCannotBeReadKeepsItsEntries) {
    Register({{"氏名", "gone.NAM"}, {"肩書き", ""}, {"所属", "folder"}, {"読み", "fifo"}, {"その他1", "empty.NAM"}});
    std::filesystem::create_directory(PathOf("folder"));
    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    WriteBytes(PathOf("empty.NAM"), "");
    items_.push_back(S("未登録"));
    ValueLists before;
    before.fill({"old"});
    const ValueLists lists = Load(before);
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u}) EXPECT_EQ(lists[i], Entries{"old"}) << i;
    EXPECT_TRUE(lists[4].empty());  // read, and empty
}

TEST_F(ValueListsTest, OnlyTheFirstTwentyItemsHaveLists) {
    std::vector<std::pair<std::string, std::string>> items;
    for (int i = 0; i < 25; ++i) {
        const std::string file = "L" + std::to_string(i) + ".NAM";
        items.emplace_back("項目" + std::to_string(i), file);
        WriteBytes(PathOf(file), "v" + std::to_string(i) + "\r\n");
    }
    Register(items);
    const ValueLists lists = Load();
    for (std::size_t i = 0; i < kValueListCount; ++i) EXPECT_EQ(lists[i], Entries{"v" + std::to_string(i)});
}

TEST_F(ValueListsTest, LongLinesBecomeSeveralEntriesWithoutSplittingACharacter) {
    std::string kanji;
    for (int i = 0; i < 150; ++i) kanji += S("部");
    Register({{"氏名", "a.NAM"}, {"読み", "b.NAM"}});
    WriteBytes(PathOf("a.NAM"), std::string(300, 'x') + "\r\n");
    WriteBytes(PathOf("b.NAM"), kanji + "\r\n");
    const ValueLists lists = Load();
    EXPECT_EQ(lists[0], (Entries{std::string(259, 'x'), std::string(41, 'x')}));
    EXPECT_EQ(lists[1], (Entries{kanji.substr(0, 258), kanji.substr(258)}));
}

TEST_F(ValueListsTest, Utf8FilesAreReadAsCodePage932) {
    Register({{"氏名", "bom.NAM"}, {"読み", "plain.NAM"}});
    WriteBytes(PathOf("bom.NAM"), "\xEF\xBB\xBF部長\r\n😀\r\n課長\r\n");
    WriteBytes(PathOf("plain.NAM"), "髙橋\n");
    const ValueLists lists = Load();
    EXPECT_EQ(lists[0], (Entries{S("部長"), S("課長")}));
    EXPECT_EQ(lists[1], Entries{S("髙橋")});
}

TEST_F(ValueListsTest, ANulByteEndsTheTextOfItsLine) {
    Register({{"氏名", "nul.NAM"}});
    WriteBytes(PathOf("nul.NAM"), "ab\0cd\r\n\0x\nef"sv);
    EXPECT_EQ(Load()[0], (Entries{"ab", "ef"}));
}

TEST_F(ValueListsTest, ANameThatIsAPathIsIgnored) {
    std::filesystem::create_directories(PathOf("data/sub"));
    setenv("ZULNAME_HOME", PathOf("data").c_str(), 1);
    WriteBytes(PathOf("outside.NAM"), "secret\r\n");
    WriteBytes(PathOf("data/sub/x.NAM"), "nested\r\n");
    WriteBytes(PathOf("data/ok.NAM"), "ok\r\n");
    Register({{"氏名", "../outside.NAM"}, {"肩書き", "sub/x.NAM"}, {"所属", PathOf("outside.NAM")}, {"読み", ".."},
              {"その他1", "ok.NAM"}});
    ValueLists kept;
    kept[0] = {"kept"};
    const ValueLists lists = Load(kept);
    EXPECT_EQ(lists[0], Entries{"kept"});
    EXPECT_TRUE(lists[1].empty());
    EXPECT_TRUE(lists[2].empty());
    EXPECT_TRUE(lists[3].empty());
    EXPECT_EQ(lists[4], Entries{"ok"});
}
