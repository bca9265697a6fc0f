#include <gtest/gtest.h>

#include <filesystem>

#include "designs/category_rules.h"
#include "dialogs/category_rules_model.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "tests/support/temp_home.h"

namespace {

class CategoryRulesModelTest : public TempHomeTest {
protected:
    CategoryRulesModelTest() : library(PathOf("built-in"), PathOf("designs")) {
        WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n1h=216\r\n");
        designs::Design red;
        red.name = S("来賓 (赤)");
        red.size = {358, 216};
        red.card = {{S("IsPrint氏名"), "1"}, {S("氏名Xpos"), "40"}};
        red.frame = {{"Frame", "1"}, {"Frame1Outside", "255"}};
        std::filesystem::create_directories(PathOf("built-in"));
        WriteBytes(PathOf("built-in/01.ini"), designs::SerializeDesign(red));
        WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + S("氏名=山田\r\n区分=来賓\r\n") + "[0001]\r\n" +
                               S("氏名=佐藤\r\n区分=スタッフ\r\n") + "[0002]\r\n" + S("氏名=鈴木\r\n区分=来賓\r\n"));
    }
    ~CategoryRulesModelTest() override { profile::ProfileService::Instance().ForgetUndo(File()); }
    std::string File() const { return PathOf("r.ini"); }
    CategoryRulesModel Model() const {
        return CategoryRulesModel(settings, cards::RecordCards(File(), ItemList({S("区分")})), library);
    }
    std::string Key(const char* card, const char* key) const { return ProfileFile(File()).ReadString(card, S(key), "-"); }

    const SettingsProfile settings;
    designs::DesignLibrary library;
};

}  // namespace

TEST_F(CategoryRulesModelTest, ReadsTheCategoriesOfTheCardsAndAppliesTheRulesInOneStep) {
    CategoryRulesModel model = Model();
    model.OnOpen();
    ASSERT_EQ(model.rows.size(), 2u);  // each category once, in card order
    EXPECT_EQ(model.items[static_cast<std::size_t>(model.rows[0].item)], "区分");
    EXPECT_EQ(model.rows[0].value, "来賓");
    EXPECT_EQ(model.rows[1].value, "スタッフ");
    model.rows[0].design = 1;
    model.rows[0].honorific = "様";
    model.rows[1].honorific = "さん";
    model.rows.push_back({0, "", 0, ""});
    model.OnChanged();
    EXPECT_FALSE(model.okEnabled);
    model.selected = 2;
    model.OnRemove();
    EXPECT_TRUE(model.okEnabled);

    EXPECT_EQ(model.OnOk(), "3枚のカードを区分ごとのデザインにしました。");
    EXPECT_EQ(Key("0002", "1氏名Honorific"), S("様"));
    EXPECT_EQ(Key("0002", "1Frame1Outside"), "255");
    EXPECT_EQ(Key("0001", "1氏名Honorific"), S("さん"));
    EXPECT_EQ(Key("0001", "1Frame"), "-");
    EXPECT_EQ(profile::ProfileService::Instance().Undo(File()), profile::UndoResult::Done);
    EXPECT_EQ(Key("0002", "1氏名Honorific"), "-");
    EXPECT_TRUE(designs::ReadRules(File()).empty()) << "the rules and the cards are one step";
}

TEST_F(CategoryRulesModelTest, OpensOnTheStoredRules) {
    designs::CategoryRule rule{S("区分"), S("スタッフ"), S("来賓 (赤)"), S("殿")};
    ASSERT_TRUE(cards::RecordCards(File(), ItemList({S("区分")})).SetDesigns({}, cards::kAllSlots, {designs::RulesSection({rule})}));
    CategoryRulesModel model = Model();
    model.OnOpen();
    ASSERT_EQ(model.rows.size(), 1u);
    EXPECT_EQ(model.rows[0].value, "スタッフ");
    EXPECT_EQ(model.designs[static_cast<std::size_t>(model.rows[0].design)], "来賓 (赤)");
    EXPECT_EQ(model.rows[0].honorific, "殿");
    model.OnReadCategories();
    EXPECT_EQ(model.rows.size(), 2u);
}

TEST_F(CategoryRulesModelTest, WithoutACategoryItemNothingIsReadAndNeverTheNames) {
    CategoryRulesModel model(settings, cards::RecordCards(File(), ItemList({})), library);
    model.OnOpen();
    EXPECT_TRUE(model.rows.empty());
    model.OnReadCategories();  // from 所属, which these cards leave empty
    EXPECT_TRUE(model.rows.empty());
}

TEST_F(CategoryRulesModelTest, ABlankValueOrMoreRulesThanAFileKeepsCannotBeApplied) {
    CategoryRulesModel model = Model();
    model.OnOpen();
    model.rows.push_back({0, " ", 0, ""});
    model.OnChanged();
    EXPECT_FALSE(model.okEnabled);
    EXPECT_EQ(model.problem, "値が空の行があります");
    model.rows.pop_back();
    while (model.rows.size() <= designs::kMostRules) model.rows.push_back({0, "c" + std::to_string(model.rows.size()), 0, ""});
    model.OnChanged();
    EXPECT_FALSE(model.okEnabled);
    EXPECT_EQ(model.problem, "区分は200件までです");
    const std::string before = ReadBytes(File());
    model.okEnabled = true;  // as if the button were pressed all the same
    EXPECT_NE(model.OnOk().find("保存できません"), std::string::npos);
    EXPECT_EQ(ReadBytes(File()), before);
}
