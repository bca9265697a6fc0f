#include <gtest/gtest.h>

#include "dialogs/romaji_model.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "tests/support/temp_home.h"

namespace {

class RomajiModelTest : public TempHomeTest {
protected:
    RomajiModelTest() {
        WriteBytes(File(), "[#Setting#]\r\nMax=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n[0001]\r\n" + S("読み") + "=" +
                               S("やまだ たろう") + "\r\n");
    }
    std::string File() const { return PathOf("r.ini"); }
    RomajiModel Model() const { return RomajiModel(settings, cards::RecordCards(File(), ItemList({}))); }
    int Index(const RomajiModel& model, const char* item) const {
        for (std::size_t index = 0; index < model.items.size(); ++index)
            if (model.items[index] == item) return static_cast<int>(index);
        return -1;
    }

    SettingsProfile settings;
};

}  // namespace

TEST_F(RomajiModelTest, OpensOnTheReadingAndShowsTheFirstNameItWillWrite) {
    RomajiModel model = Model();
    model.OnOpen();
    EXPECT_EQ(model.from, Index(model, "読み"));
    EXPECT_EQ(model.to, Index(model, "その他1"));
    EXPECT_TRUE(model.givenFirst);
    EXPECT_EQ(model.example, "やまだ たろう → Taro YAMADA") << "the first card has no reading";
    EXPECT_TRUE(model.okEnabled);
    model.givenFirst = false;
    model.OnChanged();
    EXPECT_EQ(model.example, "やまだ たろう → YAMADA Taro");
    model.to = model.from;
    model.OnChanged();
    EXPECT_FALSE(model.okEnabled) << "an item cannot be written from itself";
    model.from = Index(model, "氏名");
    model.OnChanged();
    EXPECT_EQ(model.example, "読みのあるカードがありません") << "names in kanji are no readings";
}

TEST_F(RomajiModelTest, OkWritesEveryCardAndTheChoiceIsOfferedNextTime) {
    RomajiModel model = Model();
    model.OnOpen();
    model.to = Index(model, "その他2");
    model.givenFirst = false;
    model.OnChanged();
    EXPECT_EQ(model.OnOk(), "1枚のカードの「その他2」に書き込みました。");
    EXPECT_EQ(ProfileFile(File()).ReadString("0001", S("その他2"), ""), "YAMADA Taro");
    EXPECT_EQ(ProfileFile(File()).ReadString("0000", S("その他2"), "none"), "none");
    profile::ProfileService::Instance().EndUndoStep();
    EXPECT_EQ(profile::ProfileService::Instance().Undo(File()), profile::UndoResult::Done) << "one step of undo";
    EXPECT_EQ(ProfileFile(File()).ReadString("0001", S("その他2"), "none"), "none");
    profile::ProfileService::Instance().ForgetUndo(File());

    RomajiModel again = Model();
    again.OnOpen();
    EXPECT_EQ(again.to, Index(again, "その他2"));
    EXPECT_FALSE(again.givenFirst);
}
