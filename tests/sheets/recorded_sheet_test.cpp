#include <gtest/gtest.h>

#include <filesystem>

#include "sheets/recorded_sheet.h"
#include "store/memory_file.h"
#include "store/profile_service.h"
#include "tests/render/render_fixture.h"

namespace {

class RecordedSheetTest : public RenderTest {
protected:
    std::string Stored(const char* section, const std::string& key) { return settings.ReadString(section, key, "-"); }
};

}  // namespace

TEST(RecordedSheetTextTest, ReadsBackWhatItWritesAndNothingElse) {
    sheets::RecordedSheet sheet;
    sheet.width = 358;
    sheet.height = 217;
    sheet.columns = 2;
    sheet.rows = 5;
    sheet.gapH = -4;
    sheet.paper = "215.9x279.4";
    sheet.noCutLine = true;
    const std::string text = sheets::RecordedSheetText(sheet);
    EXPECT_EQ(text, "358,217,2,5,-4,0,215.9x279.4,1");
    EXPECT_EQ(sheets::ParseRecordedSheet(text), sheet);
    sheet.paper.clear();
    EXPECT_EQ(sheets::ParseRecordedSheet(sheets::RecordedSheetText(sheet)), sheet);
    for (const char* damaged : {"", "358,217,2,5,0,0,210x297", "358,217,2,5,0,0,210x297,1,x", "358,217,0,5,0,0,,1",
                                "358,217,2,5,0,0,A4,1", "358,217,2,5,0,0,,2", "358 ,217,2,5,0,0,,1", "9999999999,1,1,1,0,0,,0",
                                // Past 10 m or 1,000 labels, as no sheet template may be.
                                "2147483647,2147483647,1,1,0,0,,0", "358,393701,1,1,0,0,,0", "358,216,1,1,-393701,0,,0",
                                "358,216,1001,1,0,0,,0", "358,216,2147483647,2147483647,0,0,,0"})
        EXPECT_FALSE(sheets::ParseRecordedSheet(damaged).has_value()) << damaged;
    EXPECT_TRUE(sheets::ParseRecordedSheet("393700,393700,1000,1,-393700,393700,,0").has_value());
}

TEST_F(RecordedSheetTest, OpeningPutsTheRecordedSheetsIntoTheSettingsAsOneUndoStep) {
    Settings("[Card]\r\n1w=400\r\n[PrintOptions]\r\n1Column=3\r\n1NoCutLine=0\r\n1Paper=210x297\r\n2Column=4\r\n");
    Record("[#Setting#]\r\nSheet1=358,217,2,5,40,3,,1\r\nSheet2=358,216,4,5,0,0,,0\r\nSheet3=1,2\r\n");
    const std::string before = ReadBytes(PathOf("ZULNAME.INI"));
    profile::ProfileService::Instance().EndUndoStep();

    const sheets::AdoptedSheets adopted = sheets::AdoptRecordedSheets(settings, record);
    settings.Flush();
    profile::ProfileService::Instance().EndUndoStep();
    EXPECT_EQ(adopted.slots, std::vector<std::int32_t>{1});  // slot 2 holds its recorded sheet already
    EXPECT_EQ(adopted.damaged, std::vector<std::int32_t>{3});
    EXPECT_EQ(sheets::SlotSettings(settings, 1), sheets::ParseRecordedSheet("358,217,2,5,40,3,,1"));
    EXPECT_EQ(Stored("Card", "3w"), "-");  // a damaged record leaves the slot as it is
    EXPECT_TRUE(sheets::AdoptRecordedSheets(settings, record).slots.empty());  // the next opening finds them alike

    EXPECT_EQ(profile::ProfileService::Instance().Undo(record.ReadFsPath()), profile::UndoResult::Done);
    EXPECT_EQ(ReadBytes(PathOf("ZULNAME.INI")), before);
    profile::ProfileService::Instance().ForgetUndo(record.ReadFsPath());
}

TEST_F(RecordedSheetTest, ASettingsCopyInMemoryTakesTheSheetAndTheSettingsFileIsNotWritten) {
    Settings("[PrintOptions]\r\n1Column=3\r\n");
    Record("[#Setting#]\r\nSheet1=358,217,2,5,0,0,210x297,1\r\n");
    MemoryFile copy;
    ASSERT_TRUE(copy.Make("test-settings"));
    ASSERT_TRUE(copy.Append(ReadBytes(PathOf("ZULNAME.INI"))));
    const SettingsProfile inMemory(copy.FsPath());
    EXPECT_EQ(sheets::AdoptRecordedSheets(inMemory, record).slots, std::vector<std::int32_t>{1});
    // A flush of the copy fails and keeps what was written: nothing is made at the root either.
    EXPECT_FALSE(inMemory.Flush());
    EXPECT_EQ(inMemory.ReadString("PrintOptions", "1Column", "-"), "2");
    EXPECT_EQ(sheets::SlotSettings(inMemory, 1), sheets::ParseRecordedSheet("358,217,2,5,0,0,210x297,1"));
    EXPECT_EQ(ReadBytes(PathOf("ZULNAME.INI")), "[PrintOptions]\r\n1Column=3\r\n");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/", error))
        EXPECT_EQ(entry.path().filename().string().find("memfd:"), std::string::npos) << entry.path();
    profile::ProfileService::Instance().ForgetUndo(record.ReadFsPath());
}
