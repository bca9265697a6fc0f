#include <gtest/gtest.h>

#include <filesystem>

#include "designs/back_design.h"
#include "designs/design.h"
#include "designs/record_designs.h"
#include "dialogs/back_design_model.h"
#include "dialogs/design_chooser_model.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "tests/support/temp_home.h"

namespace {

// A design for a 91 × 55 mm tag with a name, a frame and a line.
designs::Design Look(const std::string& name, const std::string& xpos) {
    designs::Design design;
    design.name = S(name);
    design.description = S("説明 " + name);
    design.size = {358, 216};
    design.card = {{S("氏名Xpos"), xpos}, {S("氏名Ypos"), "108"}, {S("IsPrint氏名"), "1"}, {"Line1sx", "20"}};
    design.frame = {{"Frame", "2"}, {"Frame2Inside", "255"}};
    return design;
}

std::string ValueOf(const cards::Design& keys, const std::string& name) {
    for (const cards::DesignKey& key : keys)
        if (key.name == name) return key.value;
    return "-";
}

class FakeDesignPlatform : public DesignChooserPlatform {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool Confirm(const std::string& question) override {
        questions.push_back(question);
        return yes;
    }
    std::optional<std::string> AskName(const std::string&, const std::string&) override { return name; }
    std::optional<std::string> AskExportPath(const std::string&) override { return path; }
    std::optional<std::string> AskImportPath() override { return path; }

    std::vector<std::string> messages, questions;
    bool yes = true;
    std::optional<std::string> name, path;
};

class DesignChooserModelTest : public TempHomeTest {
protected:
    DesignChooserModelTest() : library(PathOf("built-in"), PathOf("designs")) {
        WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n1h=216\r\n");
        std::filesystem::create_directories(PathOf("built-in"));
        WriteBytes(PathOf("built-in/01.ini"), designs::SerializeDesign(Look("シンプル", "11")));
        WriteBytes(PathOf("built-in/02.ini"), designs::SerializeDesign(Look("来賓", "22")));
        EXPECT_TRUE(library.Save(Look("青", "33")));
        WriteBytes(File(), "[#Setting#]\r\nLabel=1\r\nMax=2\r\nCurID=1\r\n[1Frame]\r\nFrame=1\r\nFrame1Gap=9\r\n"
                           "[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n1" + S("氏名") + "Xpos=5\r\n"
                           "[0001]\r\n" + S("氏名") + "=" + S("佐藤") + "\r\n" + S("所属") + "=" + S("総務課") + "\r\n"
                           "[0002]\r\n" + S("氏名") + "=" + S("鈴木") + "\r\n");
    }
    ~DesignChooserModelTest() override { profile::ProfileService::Instance().ForgetUndo(File()); }
    std::string File() const { return PathOf("r.ini"); }
    DesignTarget Target(std::vector<std::int32_t> selected = {}) const {
        return {cards::RecordCards(File(), ItemList({})), 1, 1, std::move(selected)};
    }
    DesignChooserModel Model(std::vector<std::int32_t> selected = {}) {
        return DesignChooserModel(library, settings, Target(std::move(selected)), platform);
    }
    std::string Xpos(const char* card) const { return ProfileFile(File()).ReadString(card, S("1氏名Xpos"), "-"); }
    // A key of a tag's record file, read back as the renderer reads it.
    static std::string Preview(const DesignChooserModel& model, int row, const char* section, const std::string& key) {
        return ProfileFile(model.PreviewFsPath(row)).ReadString(section, key, "-");
    }

    const SettingsProfile settings;
    designs::DesignLibrary library;
    FakeDesignPlatform platform;
};

}  // namespace

TEST_F(DesignChooserModelTest, ListsEveryDesignAndOffersChangesOnlyForTheUsersOwn) {
    DesignChooserModel model = Model();
    model.OnOpen();
    ASSERT_EQ(model.rows.size(), 3u);
    EXPECT_EQ(model.rows[1].name, "来賓");
    EXPECT_EQ(model.rows[1].description, "説明 来賓");
    EXPECT_TRUE(model.rows[1].builtIn);
    EXPECT_FALSE(model.rows[2].builtIn);
    EXPECT_FALSE(model.okEnabled) << "nothing is chosen yet";
    EXPECT_FALSE(model.selectionEnabled) << "the roster has no selection";
    model.OnSelect(1);
    EXPECT_TRUE(model.okEnabled);
    EXPECT_TRUE(model.exportEnabled);
    EXPECT_FALSE(model.renameEnabled || model.deleteEnabled);
    EXPECT_EQ(model.description, "来賓: 説明 来賓 (付属のデザイン)");
    platform.name = "別名";
    model.OnRename();
    model.OnDelete();
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"付属のデザインは変更できません。", "付属のデザインは変更できません。"}));
    EXPECT_TRUE(library.Find(S("来賓")));

    model.OnSelect(2);
    EXPECT_TRUE(model.renameEnabled && model.deleteEnabled);
    model.OnRename();
    EXPECT_EQ(model.rows[2].name, "別名");
    EXPECT_EQ(model.selected, 2) << "the renamed design stays chosen";
    platform.path = PathOf("shared.ini");
    model.OnExport();
    model.OnDelete();
    EXPECT_EQ(model.rows.size(), 2u);
    EXPECT_EQ(model.selected, -1);
    model.OnImport();
    ASSERT_EQ(model.rows.size(), 3u);
    EXPECT_EQ(model.rows[model.selected].name, "別名") << "a shared design comes back under its name";
    EXPECT_EQ(Preview(model, model.selected, "0000", S("1氏名Xpos")), "33") << "with its own tag";
}

TEST_F(DesignChooserModelTest, OkAppliesToTheSelectionOrEveryoneInOneStepOfUndo) {
    DesignChooserModel model = Model({2, 0});
    model.OnOpen();
    EXPECT_TRUE(model.selectionEnabled);
    EXPECT_TRUE(model.toSelection) << "several rows selected: the design is for them";
    EXPECT_EQ(model.selectionCaption, "選択したカード (2枚)");
    model.OnSelect(1);
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(platform.messages.back(), "2枚のカードをデザイン「来賓」にしました。");
    EXPECT_EQ(Xpos("0000"), "22");
    EXPECT_EQ(Xpos("0001"), "-");
    EXPECT_EQ(Xpos("0002"), "22");
    EXPECT_EQ(ProfileFile(File()).ReadString("1Frame", "Frame", "-"), "2");
    profile::ProfileService::Instance().EndUndoStep();
    ASSERT_EQ(profile::ProfileService::Instance().Undo(File()), profile::UndoResult::Done);
    EXPECT_EQ(Xpos("0000"), "5") << "one undo restores every card and the frame";
    EXPECT_EQ(Xpos("0002"), "-");
    EXPECT_EQ(ProfileFile(File()).ReadString("1Frame", "Frame", "-"), "1");

    model.toSelection = false;
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(platform.messages.back(), "3枚のカードをデザイン「来賓」にしました。");
    EXPECT_EQ(Xpos("0001"), "22");

    DesignChooserModel one = Model({1});
    one.OnOpen();
    EXPECT_TRUE(one.selectionEnabled);
    EXPECT_FALSE(one.toSelection) << "one row is the current card: everyone, as the roster's command does";
}

TEST_F(DesignChooserModelTest, TheCurrentCardsDesignIsSavedUnderATypedName) {
    ASSERT_EQ(designs::ApplyToRecord(settings, cards::RecordCards(File(), ItemList({})), Look("x", "44"), {1}, 1).changed, 1);
    EXPECT_FALSE(SaveCardDesign(library, settings, Target(), platform)) << "cancelled";
    platform.name = "来賓";
    EXPECT_FALSE(SaveCardDesign(library, settings, Target(), platform));
    EXPECT_EQ(platform.messages.back(), "その名前のデザインはすでにあります。");
    platform.name = "受付";
    ASSERT_EQ(SaveCardDesign(library, settings, Target(), platform), S("受付"));
    const std::optional<designs::Entry> saved = library.Find(S("受付"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(ValueOf(saved->design.card, S("氏名Xpos")), "44");
    EXPECT_EQ(ValueOf(saved->design.card, "Line1sx"), "20");
    EXPECT_EQ(ValueOf(saved->design.frame, "Frame"), "2") << "with the slot's frame";
    platform.yes = false;
    EXPECT_FALSE(SaveCardDesign(library, settings, Target(), platform)) << "the user's own is replaced only when confirmed";
    EXPECT_EQ(platform.questions.back(), "デザイン「受付」はすでにあります。置き換えますか？");
}

TEST_F(DesignChooserModelTest, EachTagIsDrawnFromTheRecordWithTheDesignsFrameAndTheCurrentPerson) {
    DesignChooserModel model = Model();
    model.OnOpen();
    EXPECT_EQ(Preview(model, 1, "0000", S("1氏名Xpos")), "22");
    EXPECT_EQ(Preview(model, 0, "0000", S("1氏名Xpos")), "11");
    EXPECT_EQ(Preview(model, 1, "0000", S("氏名")), S("佐藤")) << "the current card's person";
    EXPECT_EQ(Preview(model, 1, "0000", S("所属")), S("総務課"));
    EXPECT_EQ(Preview(model, 1, "0001", S("氏名")), "-") << "one card only";
    EXPECT_EQ(Preview(model, 1, "1Frame", "Frame"), "2");
    EXPECT_EQ(Preview(model, 1, "1Frame", "Frame1Gap"), "-") << "the record's frame is replaced whole";
    EXPECT_EQ(Preview(model, 1, "#Setting#", "Label"), "1");
    EXPECT_EQ(ProfileFile(File()).ReadString("1Frame", "Frame1Gap", "-"), "9") << "the record is only read";

    WriteBytes(File(), "[#Setting#]\r\nLabel=1\r\n");
    DesignChooserModel empty = Model();
    empty.OnOpen();
    EXPECT_EQ(Preview(empty, 0, "0000", S("氏名")), S("山田 太郎")) << "a record without people shows a sample";
}

TEST_F(DesignChooserModelTest, TheBackChooserOffersNoneTheCurrentCardAndTheGalleryAndStartsAtTheBackAsItIs) {
    BackDesignModel model(library, settings, Target(), platform);
    model.OnOpen();
    std::vector<std::string> names;
    for (const DesignRow& row : model.rows) names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"なし", "現在のカードから", "シンプル", "来賓", "青"}));
    EXPECT_EQ(model.PreviewFsPath(0), "");
    EXPECT_EQ(ProfileFile(model.PreviewFsPath(3)).ReadString("0000", S("1氏名Xpos"), "-"), "22");
    EXPECT_EQ(ProfileFile(model.PreviewFsPath(3)).ReadString("0000", S("氏名"), "-"), S("佐藤"));
    model.OnSelect(3);
    ASSERT_TRUE(model.OnOk());
    EXPECT_EQ(ProfileFile(File()).ReadString("1Back", S("1氏名Xpos"), "-"), "22");

    // Opened again it shows the stored back first; the current card's design replaces it.
    BackDesignModel again(library, settings, Target(), platform);
    again.OnOpen();
    ASSERT_EQ(again.rows.size(), 6u);
    EXPECT_EQ(again.rows[0].name, "今の裏面");
    EXPECT_EQ(again.selected, 0);
    EXPECT_EQ(ProfileFile(again.PreviewFsPath(0)).ReadString("0000", S("1氏名Xpos"), "-"), "22");
    again.OnSelect(2);
    ASSERT_TRUE(again.OnOk());
    EXPECT_EQ(ProfileFile(File()).ReadString("1Back", S("1氏名Xpos"), "-"), "-");  // card 0001 places no name
    EXPECT_EQ(ProfileFile(File()).ReadString("1BackFrame", "Frame1Gap", "-"), "9");
    again.OnSelect(1);
    ASSERT_TRUE(again.OnOk());
    EXPECT_FALSE(designs::BackOf(settings, cards::RecordCards(File(), ItemList({})), 1));
    EXPECT_TRUE(platform.messages.empty());
}
