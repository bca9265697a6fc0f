#include "dialogs/character_check_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "store/exact_text.h"
#include "store/font_setting.h"
#include "store/items.h"
#include "tests/support/temp_home.h"

class CharacterCheckModelTest : public TempHomeTest {
protected:
    CharacterCheckModelTest() {
        const std::string name = S("氏名");
        std::string card;
        for (int i = 0; i < 2; ++i) card += "[000" + std::to_string(i) + "]\r\n" + name + "=" + S("〓田") + "\r\n" + name + "Unicode=&#x20bb7;" + S("田") + "\r\n";
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=1\r\n" + card);
    }
    const UnihanVariants variants = UnihanVariants::FromText("U+20BB7\tkSpoofingVariant\tU+5409\n");
    CharacterCheckModel model{cards::RecordCards(PathOf("r.ini"), ItemList({})), [](char32_t c) { return c != 0x20BB7; },
                              variants};
};

TEST_F(CharacterCheckModelTest, ListsTheCharactersAndReplacesOnOneCardOrEvery) {
    model.OnOpen();
    ASSERT_EQ(model.rows.size(), 2u);
    EXPECT_EQ(model.rows[0].code, "U+20BB7");
    EXPECT_EQ(model.rows[0].kinds, "どのフォントにもない・JIS第1・第2水準外・シフトJISにない");
    EXPECT_EQ(model.substitute, "吉");
    EXPECT_TRUE(model.AnyMissingFace());
    ASSERT_TRUE(model.OnReplace(false));
    ASSERT_EQ(model.rows.size(), 1u);
    EXPECT_EQ(model.rows[0].card, "0001");
    model.substitute = "\xff";  // not text: nothing to write
    model.OnSubstituteEdited();
    EXPECT_FALSE(model.replaceEnabled);
    model.OnSelect(0);
    ASSERT_TRUE(model.OnReplace(true));
    EXPECT_TRUE(model.rows.empty());
    EXPECT_EQ(model.summary, "印刷に気をつける文字はありません");
}

// A character some face draws but not the face its card sets the item in: the check says another
// face prints it, naming the card's own face from its keys.
TEST_F(CharacterCheckModelTest, SaysWhenTheDesignsFaceLacksACharacterAnotherFaceDraws) {
    WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=1\r\nLabel=2\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n2" +
                                    S("氏名") + "FontFace=Thin\r\n[0001]\r\n" + S("氏名") + "=" + S("山田") + "\r\n");
    std::vector<std::string> asked;
    CharacterCheckModel check(cards::RecordCards(PathOf("r.ini"), ItemList({})), [](char32_t) { return true; }, variants,
                              CardFaces(PathOf("r.ini"), [&](const std::string& face, char32_t code) {
                                  asked.push_back(face);
                                  return face != "Thin" || code != U'田';
                              }));
    check.OnOpen();
    ASSERT_EQ(check.rows.size(), 1u);
    EXPECT_EQ(check.rows[0].card, "0000");
    EXPECT_EQ(check.rows[0].character, "田");
    EXPECT_EQ(check.rows[0].kinds, "デザインのフォントになく別のフォントで印刷");
    EXPECT_NE(std::find(asked.begin(), asked.end(), DefaultFaceName()), asked.end());  // the card without a face key
}
