#include <gtest/gtest.h>

#include "dialogs/sorted_list.h"
#include "tests/support/temp_home.h"

TEST(SortedListTest, SortsByCodePageBytesWithAsciiCaseFolded) {
    std::vector<std::string> entries = {"c.ini", S("常用"), "B.ini", S("その他"), "a.ini", "b.ini"};
    sorted_list::Sort(entries);
    // Letters ignore case (equal folded texts keep a fixed order by their bytes), ASCII comes
    // before the double-byte texts, and kana before kanji.
    EXPECT_EQ(entries, (std::vector<std::string>{"a.ini", "B.ini", "b.ini", "c.ini", S("その他"), S("常用")}));
}

TEST(SortedListTest, FindsTheFirstEntryBeginningWithThePrefix) {
    const std::vector<std::string> entries = {"Alpha.ini", "beta.ini", "BETA2.ini", S("生徒")};
    EXPECT_EQ(sorted_list::FindPrefix(entries, "BET"), 1);
    EXPECT_EQ(sorted_list::FindPrefix(entries, "alpha"), 0);
    EXPECT_EQ(sorted_list::FindPrefix(entries, S("生")), 3);
    EXPECT_EQ(sorted_list::FindPrefix(entries, "beta.ini.old"), -1);
    EXPECT_EQ(sorted_list::FindPrefix(entries, "gamma"), -1);
    EXPECT_EQ(sorted_list::FindPrefix({}, "a"), -1);
}

TEST(SortedListTest, PrefixSearchNeverMatchesInsideADoubleByteCharacter) {
    // ア and ヂ share their lead byte; their trail bytes are the letters "A" and "a".
    const std::string a = S("ア");
    const std::string di = S("ヂ");
    ASSERT_EQ(a[0], di[0]);
    ASSERT_EQ(a[1], 'A');
    ASSERT_EQ(di[1], 'a');
    EXPECT_EQ(sorted_list::FindPrefix({di}, a), -1);
    // A lone lead byte is not the beginning of the character it starts.
    EXPECT_EQ(sorted_list::FindPrefix({di}, di.substr(0, 1)), -1);
    EXPECT_EQ(sorted_list::FindPrefix({di}, di), 0);
}
