#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "designs/back_design.h"
#include "designs/design.h"
#include "designs/design_library.h"
#include "designs/record_designs.h"
#include "store/card_operations.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/profiles.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"

namespace {

using designs::Design;
using designs::DesignLibrary;
using designs::LibraryFailure;

std::string ValueOf(const cards::Design& keys, const std::string& name) {
    for (const cards::DesignKey& key : keys)
        if (key.name == name) return key.value;
    return "(missing)";
}

// A design for a 91 × 55 mm tag (358 × 216): a fitted name, a line and a frame.
Design Sample(const std::string& name) {
    Design design;
    design.name = S(name);
    design.description = S("説明");
    design.size = {358, 216};
    design.card = {{S("氏名Xpos"), "100"},     {S("氏名Ypos"), "108"},   {S("氏名FitWidth"), "326"},
                   {S("氏名Font"), "-60 0 0 0 700 0 0 0 128 3 2 1 49 255"}, {S("IsPrint氏名"), "1"},
                   {S("氏名PrintPos"), "2"},   {"Line1sx", "20"},          {"Line1ey", "200"},
                   {"Line1Width", "4"},         {S("その他1QRSize"), "110"}};
    design.frame = {{"Frame", "1"}, {"Frame1GapL", "10"}, {"Frame1GapT", "20"}, {"Frame1Gap", "8"}, {"Frame1Inside", "255"}};
    return design;
}

TEST(DesignScalingTest, LengthsFollowTheirAxisAndSizesTheSmallerRatio) {
    const Design design = Sample("見本");
    // 86 × 54 mm: narrower by 5 %, hardly lower.
    const cards::Design small = designs::CardKeysFor(design, 2, {339, 213});
    EXPECT_EQ(ValueOf(small, S("2氏名Xpos")), "95");
    EXPECT_EQ(ValueOf(small, S("2氏名Ypos")), "107");
    EXPECT_EQ(ValueOf(small, S("2氏名FitWidth")), "309");
    EXPECT_EQ(ValueOf(small, S("2氏名Font")), "-57 0 0 0 700 0 0 0 128 3 2 1 49 255");
    EXPECT_EQ(ValueOf(small, "2Line1sx"), "19");
    EXPECT_EQ(ValueOf(small, "2Line1ey"), "197");
    EXPECT_EQ(ValueOf(small, S("2IsPrint氏名")), "1");
    EXPECT_EQ(ValueOf(small, S("2氏名PrintPos")), "2");
    // 100 × 70 mm: 10 % wider, 28 % higher; the font grows with the width only.
    const cards::Design large = designs::CardKeysFor(design, 3, {394, 276});
    EXPECT_EQ(ValueOf(large, S("3氏名Ypos")), "138");
    EXPECT_EQ(ValueOf(large, S("3氏名Font")), "-66 0 0 0 700 0 0 0 128 3 2 1 49 255");
    EXPECT_EQ(ValueOf(large, S("3その他1QRSize")), "121");
    EXPECT_EQ(ValueOf(large, "3Line1Width"), "4");
    const cards::Design frame = designs::FrameKeysFor(design, {339, 213});
    EXPECT_EQ(ValueOf(frame, "Frame1GapL"), "9");
    EXPECT_EQ(ValueOf(frame, "Frame1GapT"), "20");
    EXPECT_EQ(ValueOf(frame, "Frame1Gap"), "8");
    EXPECT_EQ(ValueOf(frame, "Frame1Inside"), "255");
    // A tiny tag keeps a font, however small.
    EXPECT_EQ(ValueOf(designs::CardKeysFor(design, 1, {3, 2}), S("1氏名Font")).substr(0, 3), "-1 ");
}

TEST(DesignScalingTest, AVerticalItemsFittedLengthRunsDownTheTag) {
    Design design = Sample("縦");
    design.card.push_back({S("氏名Vertical"), "1"});
    design.card.push_back({S("所属FitWidth"), "300"});
    // Turned upright, 55 × 91 mm: the column may grow as long as the tag is high, not shrink
    // with its width (a name squeezed into a third of the height).
    const cards::Design upright = designs::CardKeysFor(design, 1, {216, 358});
    EXPECT_EQ(ValueOf(upright, S("1氏名FitWidth")), "540");
    EXPECT_EQ(ValueOf(upright, S("1所属FitWidth")), "181");  // across, as before
}

TEST(DesignFileTest, ReadsBackWhatIsWrittenAndRefusesFilesThatAreNoDesign) {
    const Design design = Sample("見本");
    std::string problem;
    const std::optional<Design> read = designs::ParseDesign(designs::SerializeDesign(design), problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_EQ(read->name, design.name);
    EXPECT_EQ(read->description, design.description);
    EXPECT_EQ(read->size.width, 358);
    EXPECT_TRUE(cards::SameDesign(read->card, design.card));
    EXPECT_TRUE(cards::SameDesign(read->frame, design.frame));
    EXPECT_FALSE(designs::ParseDesign("[Card]\r\nA=1\r\n", problem));
    EXPECT_FALSE(designs::ParseDesign("[Design]\r\nName=x\r\nWidth=358\r\nHeight=0\r\n", problem));
    EXPECT_NE(problem.find("Height"), std::string::npos);
}

// Every built-in design can be read, and every text it prints is fitted inside the tag.
TEST(DesignFileTest, BuiltInDesignsFitEveryPrintedTextToTheTag) {
    const DesignLibrary library(ZULNAME_BUILT_IN_DESIGNS, "/nonexistent");
    std::vector<designs::Unreadable> problems;
    const std::vector<designs::Entry> entries = library.List(&problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_GE(entries.size(), 12u);
    for (const designs::Entry& entry : entries) {
        EXPECT_EQ(entry.origin, designs::Origin::BuiltIn);
        EXPECT_FALSE(entry.design.description.empty()) << entry.fsPath;
        for (const std::string& item : ItemList({})) {
            if (ValueOf(entry.design.card, "IsPrint" + item) != "1" || ValueOf(entry.design.card, item + "QR") == "1")
                continue;
            const std::int32_t fit = std::atoi(ValueOf(entry.design.card, item + "FitWidth").c_str());
            const std::int32_t x = std::atoi(ValueOf(entry.design.card, item + "Xpos").c_str());
            const bool vertical = ValueOf(entry.design.card, item + "Vertical") == "1";
            const std::int32_t room = vertical ? entry.design.size.height : entry.design.size.width - x;
            EXPECT_TRUE(fit > 0 && fit <= room) << entry.fsPath << " " << item;
        }
    }
    EXPECT_TRUE(library.Find(S("シンプル")));
}

class DesignLibraryTest : public TempHomeTest {
protected:
    DesignLibraryTest() {
        std::filesystem::create_directories(PathOf("built-in"));
        WriteBytes(PathOf("built-in/02.ini"), designs::SerializeDesign(Sample("シンプル")));
        WriteBytes(PathOf("built-in/01.ini"), designs::SerializeDesign(Sample("来賓")));
        WriteBytes(PathOf("built-in/03.ini"), "[Design]\r\nWidth=1\r\n");
    }
    DesignLibrary Library() const { return DesignLibrary(PathOf("built-in"), PathOf("designs")); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const designs::Entry& entry : Library().List()) names.push_back(entry.design.name);
        return names;
    }
};

TEST_F(DesignLibraryTest, BuiltInDesignsComeFirstAndCannotBeChanged) {
    std::vector<designs::Unreadable> problems;
    Library().List(&problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].fsPath, PathOf("built-in/03.ini"));
    ASSERT_TRUE(Library().Save(Sample("ロゴ入り")));
    ASSERT_TRUE(Library().Save(Sample("あお")));
    ASSERT_TRUE(Library().Save(Sample("赤")));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("来賓"), S("シンプル"), S("あお"), S("ロゴ入り"), S("赤")}));
    EXPECT_EQ(Library().Find(S("赤"))->origin, designs::Origin::User);
    EXPECT_EQ(Library().Save(Sample("シンプル")).failure, LibraryFailure::NameTaken);
    EXPECT_EQ(Library().Rename(S("シンプル"), S("別名")).failure, LibraryFailure::BuiltIn);
    EXPECT_EQ(Library().Delete(S("来賓")).failure, LibraryFailure::BuiltIn);
    EXPECT_EQ(Library().Save(Sample("二行\n目")).failure, LibraryFailure::BadName);
    EXPECT_EQ(Library().Delete(S("無い")).failure, LibraryFailure::NotFound);
}

TEST_F(DesignLibraryTest, ADesignTooLargeToReadAgainIsNotKeptAndNamesReadAsWritten) {
    Design huge = Sample("大");
    huge.card.resize(designs::kMostDesignKeys, {"1k", "1"});
    EXPECT_EQ(Library().Save(huge).failure, LibraryFailure::Unreadable);
    EXPECT_EQ(Names(), (std::vector<std::string>{S("来賓"), S("シンプル")}));
    // A name in quotes, a NUL in a value and blanks around it come back as a card would hold them.
    Design odd = Sample("\"引用\"");
    odd.card.push_back({"Line2sx", std::string(" 7\0junk", 8)});
    ASSERT_TRUE(Library().Save(odd));
    const std::optional<designs::Entry> found = Library().Find(S("\"引用\""));
    ASSERT_TRUE(found);
    EXPECT_EQ(ValueOf(found->design.card, "Line2sx"), "7");
}

TEST_F(DesignLibraryTest, UserDesignsAreRenamedDeletedAndSharedAsFiles) {
    Design mine = Sample("赤");
    ASSERT_TRUE(Library().Save(mine));
    mine.description = S("新しい説明");
    ASSERT_TRUE(Library().Save(mine));  // the same name replaces
    EXPECT_EQ(Library().Find(S("赤"))->design.description, S("新しい説明"));
    EXPECT_EQ(Library().Rename(S("赤"), S("シンプル")).failure, LibraryFailure::NameTaken);
    ASSERT_TRUE(Library().Rename(S("赤"), S("赤/白")));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("来賓"), S("シンプル"), S("赤/白")}));
    EXPECT_TRUE(std::filesystem::exists(PathOf("designs/赤_白.ini")));

    ASSERT_TRUE(Library().Export(S("赤/白"), PathOf("shared.ini")));
    designs::LibraryResult imported = Library().Import(PathOf("shared.ini"));
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported.name, S("赤/白 (2)"));
    ASSERT_TRUE(Library().Delete(S("赤/白")));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("来賓"), S("シンプル"), S("赤/白 (2)")}));
    imported = Library().Import(PathOf("built-in/03.ini"));
    EXPECT_EQ(imported.failure, LibraryFailure::Unreadable);
    EXPECT_EQ(Library().Import(PathOf("missing.ini")).failure, LibraryFailure::Unreadable);
}

class RecordDesignTest : public DesignLibraryTest {
protected:
    RecordDesignTest() {
        WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n1h=216\r\n2w=339\r\n2h=213\r\n");
        WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[1Frame]\r\nFrame=3\r\nFrame3Inside=65280\r\n[0000]\r\n" + S("氏名") + "=" +
                               S("山田") + "\r\n1" + S("氏名") + "Xpos=7\r\n1BMP=a.bmp\r\n[0001]\r\n" + S("氏名") + "=" +
                               S("佐藤") + "\r\n[0002]\r\n" + S("氏名") + "=" + S("鈴木") + "\r\n");
    }
    std::string File() const { return PathOf("record.ini"); }
    cards::RecordCards Cards(const std::string& file) const { return cards::RecordCards(file, ItemList({})); }
    std::string Read(const std::string& section, const std::string& key) const {
        return ProfileFile(File()).ReadString(section, S(key), "(missing)");
    }
};

TEST_F(RecordDesignTest, ApplyingPutsTheDesignScaledOnEachSlotAndItsFrameInOneWrite) {
    const SettingsProfile settings;
    const cards::Outcome applied = designs::ApplyToRecord(settings, Cards(File()), Sample("来賓"), {}, cards::kAllSlots);
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied.changed, 3);
    EXPECT_EQ(Read("0000", "氏名"), S("山田"));
    EXPECT_EQ(Read("0000", "1氏名Xpos"), "100");
    EXPECT_EQ(Read("0002", "2氏名Xpos"), "95");
    EXPECT_EQ(Read("0000", "1BMP"), "(missing)");  // the old design went
    EXPECT_EQ(Read("1Frame", "Frame"), "1");
    EXPECT_EQ(Read("1Frame", "Frame3Inside"), "(missing)");
    EXPECT_EQ(Read("2Frame", "Frame1GapL"), "9");

    // One slot of a range: the other cards and slots stay.
    Design other = Sample("青");
    other.card = {{S("氏名Xpos"), "1"}};
    other.frame.clear();
    ASSERT_TRUE(designs::ApplyToRecord(settings, Cards(File()), other, {1}, 1));
    EXPECT_EQ(Read("0001", "1氏名Xpos"), "1");
    EXPECT_EQ(Read("0001", "1氏名Ypos"), "(missing)");
    EXPECT_EQ(Read("0001", "2氏名Xpos"), "95");
    EXPECT_EQ(Read("0000", "1氏名Xpos"), "100");
    EXPECT_EQ(Read("1Frame", "Frame"), "(missing)");
    EXPECT_EQ(designs::ApplyToRecord(settings, Cards(File()), other, {5}, 1).failure, cards::Failure::NoSuchCard);
}

TEST_F(RecordDesignTest, ACardsDesignSavedAndAppliedElsewhereGivesTheSameCard) {
    const SettingsProfile settings;
    ASSERT_TRUE(designs::ApplyToRecord(settings, Cards(File()), Sample("来賓"), {0}, 1));
    Design saved = designs::DesignOfCard(settings, Cards(File()), 0);
    saved.name = S("保存");
    EXPECT_EQ(saved.size.width, 358);
    ASSERT_TRUE(Library().Save(saved));
    ASSERT_TRUE(designs::ApplyToRecord(settings, Cards(File()), Library().Find(S("保存"))->design, {2}, 1));
    EXPECT_TRUE(cards::SameDesign(Cards(File()).DesignOf(0, 1), Cards(File()).DesignOf(2, 1)));
}

TEST_F(RecordDesignTest, ANewRecordFileStartsInTheDefaultDesignAndImportsFillItsFirstCard) {
    const SettingsProfile settings;
    const std::string fresh = PathOf("new.ini");
    ASSERT_TRUE(designs::StartRecordFile(settings, fresh, Library()));
    EXPECT_EQ(ProfileFile(fresh).ReadString("0000", S("1氏名Xpos"), ""), "100");
    EXPECT_EQ(ProfileFile(fresh).ReadString("0000", S("3氏名Xpos"), ""), "100");  // a slot without a size: a business card
    EXPECT_EQ(ProfileFile(fresh).ReadString("2Frame", "Frame1GapL", ""), "9");
    ASSERT_TRUE(designs::StartRecordFile(settings, File(), Library()));  // a file with cards stays
    EXPECT_EQ(Read("0000", "1氏名Xpos"), "7");
    const std::string chosen = PathOf("chosen.ini");  // a slot chosen before the first card
    WriteBytes(chosen, "[#Setting#]\r\nLabel=2\r\n");
    ASSERT_TRUE(designs::StartRecordFile(settings, chosen, Library()));
    EXPECT_EQ(ProfileFile(chosen).ReadString("0000", S("2氏名Xpos"), ""), "95");
    EXPECT_EQ(ProfileFile(chosen).ReadString("#Setting#", "Label", ""), "2");

    settings.WriteString("Option", "DefaultDesign", S("来賓"));
    ASSERT_TRUE(settings.Flush());
    EXPECT_EQ(designs::DefaultDesign(settings, Library())->name, S("来賓"));
    settings.WriteString("Option", "DefaultDesign", S("消えた"));
    EXPECT_EQ(designs::DefaultDesign(settings, Library())->name, S("シンプル"));

    const cards::Design design = Cards(fresh).DesignOf(0, cards::kAllSlots);
    ASSERT_TRUE(Cards(fresh).AppendPeople({{S("高橋")}, {S("田中")}}, design));
    EXPECT_EQ(Cards(fresh).Count(), 2);
    EXPECT_EQ(Cards(fresh).Text(0, S("氏名")), S("高橋"));
    EXPECT_EQ(ProfileFile(fresh).ReadString("0001", S("1氏名Xpos"), ""), "100");
    ASSERT_TRUE(Cards(fresh).AppendPeople({{S("伊藤")}}, design));
    EXPECT_EQ(Cards(fresh).Text(2, S("氏名")), S("伊藤"));
}

TEST_F(RecordDesignTest, ABackIsOneDesignPerSlotScaledInOneUndoStepAndKeepsItsTexts) {
    const SettingsProfile settings;
    WriteBytes(File(), ReadBytes(File()) + "[2Back]\r\n" + S("日程") + "=" + S("10時") + "\r\n2Line9sx=1\r\n");
    profile::ProfileService& service = profile::ProfileService::Instance();
    service.EndUndoStep();
    ASSERT_TRUE(designs::SetBack(settings, Cards(File()), Sample("来賓"), 2));
    service.EndUndoStep();
    EXPECT_EQ(Read("2Back", "2氏名Xpos"), "95");
    EXPECT_EQ(Read("2Back", "2Line9sx"), "(missing)");  // the old back went, its text stayed
    EXPECT_EQ(Read("2Back", "日程"), S("10時"));
    EXPECT_EQ(Read("2BackFrame", "Frame1GapL"), "9");
    EXPECT_EQ(Read("0000", "2氏名Xpos"), "(missing)");
    const std::optional<Design> back = designs::BackOf(settings, Cards(File()), 2);
    ASSERT_TRUE(back);
    EXPECT_TRUE(cards::SameDesign(designs::CardKeysFor(*back, 2, {339, 213}), designs::CardKeysFor(Sample("x"), 2, {339, 213})));
    EXPECT_FALSE(designs::BackOf(settings, Cards(File()), 1));
    ASSERT_EQ(service.Undo(File()), profile::UndoResult::Done);
    EXPECT_EQ(Read("2Back", "2Line9sx"), "1");
    EXPECT_EQ(Read("2BackFrame", "Frame1GapL"), "(missing)");

    // Made like the front, then taken off again.
    ASSERT_TRUE(designs::SetBack(settings, Cards(File()), designs::DesignOfCard(settings, Cards(File()), 0), 1));
    EXPECT_EQ(Read("1Back", "1氏名Xpos"), "7");
    EXPECT_EQ(Read("1Back", "1BMP"), "a.bmp");
    EXPECT_EQ(Read("1BackFrame", "Frame"), "3");
    ASSERT_TRUE(designs::RemoveBack(Cards(File()), 1));
    EXPECT_FALSE(designs::BackOf(settings, Cards(File()), 1));
    EXPECT_EQ(Read("1BackFrame", "Frame"), "(missing)");
    service.ForgetUndo(File());
}

}  // namespace
