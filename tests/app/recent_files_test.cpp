#include <gtest/gtest.h>

#include "app/recent_files.h"
#include "tests/support/temp_home.h"

namespace {

using Paths = std::vector<std::string>;

class RecentFilesTest : public TempHomeTest {
protected:
    SettingsProfile settings;
};

}  // namespace

TEST_F(RecentFilesTest, NewestFirstAtMostFourKeptInTheSettingsFile) {
    RecentFileList list(settings);
    EXPECT_TRUE(list.Entries().empty());
    for (const char* path : {"a.ini", "b.ini", "c.ini", "d.ini", "e.ini"}) list.Add(path);
    EXPECT_EQ(list.Entries(), (Paths{"e.ini", "d.ini", "c.ini", "b.ini"}));
    EXPECT_EQ(settings.ReadString("Recent File List", "File1", ""), "e.ini");
    EXPECT_EQ(settings.ReadString("Recent File List", "File4", ""), "b.ini");
    EXPECT_EQ(RecentFileList(SettingsProfile()).Entries(), list.Entries());
}

TEST_F(RecentFilesTest, ListedPathMovesToTheFront) {
    RecentFileList list(settings);
    for (const char* path : {"a.ini", "b.ini", "c.ini"}) list.Add(path);
    list.Add("a.ini");
    EXPECT_EQ(list.Entries(), (Paths{"a.ini", "c.ini", "b.ini"}));
    list.Add("");
    EXPECT_EQ(list.Entries().size(), 3U);
}

TEST_F(RecentFilesTest, GapLeftByHandIsClosedWithoutBringingBackAnEntry) {
    settings.WriteString("Recent File List", "File2", S("来賓/A.INI"));
    settings.WriteString("Recent File List", "File4", "b.ini");
    RecentFileList list(settings);
    EXPECT_EQ(list.Entries(), (Paths{S("来賓/A.INI"), "b.ini"}));
    list.Add("c.ini");
    EXPECT_EQ(RecentFileList(SettingsProfile()).Entries(), (Paths{"c.ini", S("来賓/A.INI"), "b.ini"}));
    EXPECT_EQ(settings.ReadString("Recent File List", "File4", "missing"), "");
}
