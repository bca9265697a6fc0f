#include "lists/temporary_record.h"

#include <gtest/gtest.h>

#include "store/profile_service.h"
#include "tests/support/temp_home.h"

namespace {

class TemporaryRecordTest : public TempHomeTest {};

}  // namespace

TEST_F(TemporaryRecordTest, ARemovedRecordLeavesNoUndoHistoryBehind) {
    WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=0\r\n[0000]\r\n");
    ImportPlan plan;
    plan.cards.push_back({1, {{"氏名", "山田"}}});
    TemporaryRecord record;
    std::string problem;
    ASSERT_TRUE(record.Make(PathOf("r.ini"), plan, std::nullopt, problem)) << problem;
    const std::string made = record.FsPath();
    EXPECT_TRUE(profile::ProfileService::Instance().CanUndo(made));
    record.Remove();
    EXPECT_FALSE(profile::ProfileService::Instance().CanUndo(made));
}
