#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "store/card_operations.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/profiles.h"
#include "store/undo_journal.h"
#include "tests/support/temp_home.h"

namespace {

using profile::ProfileService;
using profile::UndoResult;

class UndoTest : public TempHomeTest {
protected:
    UndoTest() { ProfileService::Instance().EndUndoStep(); }
    ~UndoTest() override { ProfileService::Instance().ForgetUndo(File()); }

    // One step of the record file joined with a settings file s.ini: 1w 358 → 340 there, Top
    // 10 → 83 here. The settings file's path.
    std::string JoinedStepOnSettingsAndRecord() {
        const std::string settings = PathOf("s.ini");
        ProfileService::Instance().ForgetUndo(settings);
        WriteBytes(settings, "[Card]\r\n1w=358\r\n");
        WriteBytes(File(), "[Option]\r\nTop=10\r\n");
        {
            const profile::JoinedUndo joined(settings, File());
            ProfileFile(settings).WriteString("Card", "1w", "340");
            ProfileFile(settings).Flush();
            Write("Option", "Top", "83");
        }
        EndStep();
        return settings;
    }

    std::string File() const { return PathOf("r.ini"); }
    ProfileFile Record() const { return ProfileFile(File()); }
    void Write(const std::string& section, const std::string& key, const std::string& value) const {
        Record().WriteString(section, key, value);
        Record().Flush();
    }
    static void EndStep() { ProfileService::Instance().EndUndoStep(); }
    static UndoResult Undo(const std::string& file) { return ProfileService::Instance().Undo(file); }
    static UndoResult Redo(const std::string& file) { return ProfileService::Instance().Redo(file); }
};

}  // namespace

TEST_F(UndoTest, AStepOfKeyWritesIsUndoneAndRedoneAsOne) {
    WriteBytes(File(), "[0000]\r\nk=old\r\n");
    Write("0000", "k", "new");
    Write("0000", "added", "1");
    EndStep();
    EXPECT_TRUE(ProfileService::Instance().CanUndo(File()));
    EXPECT_FALSE(ProfileService::Instance().CanRedo(File()));
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    EXPECT_EQ(ReadBytes(File()), "[0000]\r\nk=old\r\n");  // the added key is gone again
    EXPECT_TRUE(ProfileService::Instance().CanRedo(File()));
    EXPECT_EQ(Redo(File()), UndoResult::Done);
    EXPECT_EQ(Record().ReadString("0000", "k", ""), "new");
    EXPECT_EQ(Record().ReadString("0000", "added", ""), "1");
    EXPECT_EQ(Redo(File()), UndoResult::Nothing);
    // A new change after an undo drops what could be redone.
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    Write("0000", "k", "other");
    EndStep();
    EXPECT_FALSE(ProfileService::Instance().CanRedo(File()));
}

TEST_F(UndoTest, TypingIntoOneFieldIsOneStepAndWhereTheUserIsIsNotAStep) {
    WriteBytes(File(), "[0000]\r\nname=\r\n");
    for (const char* typed : {"y", "ya", "yam"}) {
        Write("0000", "name", typed);
        EndStep();
    }
    Write("#Setting#", "CurID", "3");
    EndStep();
    Write("Current", "ItemName", "name");  // the input dialog closing on an item
    EndStep();
    Write("0000", "Xpos", "10");
    EndStep();
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    EXPECT_EQ(Record().ReadString("0000", "Xpos", "none"), "none");
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    EXPECT_EQ(Record().ReadString("0000", "name", "none"), "");
    EXPECT_EQ(Record().ReadString("#Setting#", "CurID", ""), "3");
    EXPECT_EQ(Record().ReadString("Current", "ItemName", ""), "name");
    EXPECT_EQ(Undo(File()), UndoResult::Nothing);
}

TEST_F(UndoTest, ACardOperationIsUndoneWholeAndAnOutsideEditStopsUndo) {
    WriteBytes(File(), "[#Setting#]\r\nMax=1\r\n[0000]\r\nk=a\r\n[0001]\r\nk=b\r\n");
    const std::string before = ReadBytes(File());
    ASSERT_TRUE(cards::RecordCards(File(), FixedItems()).Delete({0}));
    EndStep();
    const std::string deleted = ReadBytes(File());
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    EXPECT_EQ(ReadBytes(File()), before);
    EXPECT_EQ(Redo(File()), UndoResult::Done);
    EXPECT_EQ(ReadBytes(File()), deleted);

    WriteBytes(File(), deleted + "[Other]\r\nx=1\r\n");  // another program
    EXPECT_EQ(Undo(File()), UndoResult::ChangedElsewhere);
    EXPECT_EQ(ReadBytes(File()), deleted + "[Other]\r\nx=1\r\n");
}

TEST_F(UndoTest, AtMostAHundredStepsAreKept) {
    WriteBytes(File(), "");
    for (int step = 0; step < 105; ++step) {
        Write("s", "k" + std::to_string(step), "v");
        EndStep();
    }
    int undone = 0;
    while (Undo(File()) == UndoResult::Done) ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(Record().ReadString("s", "k4", ""), "v");
    EXPECT_EQ(Record().ReadString("s", "k5", "none"), "none");
}

TEST_F(UndoTest, AJoinedActionOnTwoFilesIsOneStepOfTheSecondAndChecksBoth) {
    const std::string settings = JoinedStepOnSettingsAndRecord();
    EXPECT_FALSE(ProfileService::Instance().CanUndo(settings));
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    EXPECT_EQ(ReadBytes(settings), "[Card]\r\n1w=358\r\n");
    EXPECT_EQ(ReadBytes(File()), "[Option]\r\nTop=10\r\n");
    EXPECT_EQ(Redo(File()), UndoResult::Done);
    EXPECT_EQ(ProfileFile(settings).ReadString("Card", "1w", ""), "340");
    EXPECT_EQ(Record().ReadString("Option", "Top", ""), "83");

    // Once the join ends, each file keeps its own history again.
    ProfileFile(settings).WriteString("Card", "1w", "100");
    ProfileFile(settings).Flush();
    EndStep();
    EXPECT_TRUE(ProfileService::Instance().CanUndo(settings));
    EXPECT_EQ(Undo(settings), UndoResult::Done);

    // Another program changed the joined file: the step stays, nothing is written.
    WriteBytes(settings, "[Card]\r\n1w=1\r\n");
    EXPECT_EQ(Undo(File()), UndoResult::ChangedElsewhere);
    EXPECT_EQ(ReadBytes(settings), "[Card]\r\n1w=1\r\n");
    EXPECT_EQ(Record().ReadString("Option", "Top", ""), "83");
    ProfileService::Instance().ForgetUndo(settings);
}

TEST_F(UndoTest, AStepThatCannotBeWrittenEverywhereIsWrittenNowhereAndStays) {
    const std::string settings = JoinedStepOnSettingsAndRecord();
    const std::string settingsAfter = ReadBytes(settings), recordAfter = ReadBytes(File());
    chmod(File().c_str(), 0444);
    EXPECT_EQ(Undo(File()), UndoResult::NotWritten);
    EXPECT_EQ(ReadBytes(settings), settingsAfter);
    EXPECT_EQ(ReadBytes(File()), recordAfter);
    chmod(File().c_str(), 0644);
    EXPECT_EQ(Undo(File()), UndoResult::Done);
    EXPECT_EQ(ReadBytes(settings), "[Card]\r\n1w=358\r\n");
    EXPECT_EQ(ReadBytes(File()), "[Option]\r\nTop=10\r\n");
}

TEST(UndoJournalTest, WhatAFileKeepsIsBoundedAndAStepTooLargeToKeepIsNotKept) {
    profile::UndoJournal journal(1000);
    const auto change = [&journal] { journal.RecordWholeFile("f", std::string(200, 'a'), std::string(200, 'b')); };
    for (int step = 0; step < 5; ++step) {
        change();
        journal.EndStep();
    }
    int kept = 0;
    for (; journal.CanUndo("f"); ++kept) journal.Undone("f", journal.TakeUndo("f"));
    EXPECT_EQ(kept, 2);  // 400 bytes each

    // A step that keeps growing: nothing of it, nor of the steps before, could be undone.
    for (int made = 0; made < 10; ++made) change();
    EXPECT_FALSE(journal.CanUndo("f"));
    EXPECT_FALSE(journal.CanRedo("f"));
    journal.EndStep();
    EXPECT_FALSE(journal.CanUndo("f"));
    change();
    journal.EndStep();
    EXPECT_EQ(journal.TakeUndo("f").changes.size(), 1u);
}
