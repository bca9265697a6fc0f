#include "lists/character_check.h"

#include <gtest/gtest.h>

#include "store/exact_text.h"
#include "store/items.h"
#include "tests/support/temp_home.h"

namespace {

class CharacterCheckTest : public TempHomeTest {
protected:
    CharacterCheckTest() {
        std::string yoshida, tsuji;
        exact_text::FromUtf8("𠮷田 髙子", yoshida);
        exact_text::FromUtf8("辻\U000E0101", tsuji);
        const std::string name = S("氏名");
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + name + "=" + exact_text::Plain(yoshida) + "\r\n" + name +
                                        "Unicode=" + yoshida + "\r\n[0001]\r\n" + name + "=" + S("山田") + "\r\n[0002]\r\n" + name +
                                        "=" + exact_text::Plain(tsuji) + "\r\n" + name + "Unicode=" + tsuji + "\r\n");
    }

    cards::RecordCards cards{PathOf("r.ini"), ItemList({})};
    const UnihanVariants variants = UnihanVariants::FromText(
        "U+20BB7\tkSpoofingVariant\tU+5409\nU+9AD9\tkSemanticVariant\tU+9AD8<kFenn\nU+9AD9\tkSimplifiedVariant\tU+4E00\n");
};

}  // namespace

TEST_F(CharacterCheckTest, NamesEachCharacterThatMayPrintWrongWithItsUsualSubstitutes) {
    const auto findings = character_check::Check(cards, [](char32_t code) { return code != 0x20BB7; }, variants);
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].character, "𠮷");
    EXPECT_EQ(findings[0].kinds, character_check::kNoFace | character_check::kBeyondJis0208 | character_check::kExactOnly);
    EXPECT_EQ(findings[0].substitutes, std::vector<std::string>{"吉"});
    EXPECT_EQ(character_check::CodePoint(findings[0].code), "U+20BB7");
    // 髙 is code page 932's (an IBM extension), outside JIS X 0208; its simplified form is no substitute.
    EXPECT_EQ(findings[1].kinds, character_check::kBeyondJis0208);
    EXPECT_EQ(findings[1].substitutes, std::vector<std::string>{"高"});
    // A variation selector goes with its character; the plain character is the substitute.
    EXPECT_EQ(findings[2].card, 2);
    EXPECT_EQ(findings[2].character, "辻\U000E0101");
    EXPECT_EQ(findings[2].substitutes, std::vector<std::string>{"辻"});
}

TEST_F(CharacterCheckTest, ReplacingGoesToOneCardOrToAllInOneWrite) {
    ASSERT_TRUE(character_check::Replace(cards, S("氏名"), "𠮷", "吉", 0));
    EXPECT_EQ(exact_text::ToUtf8(cards.Text(0, S("氏名"))), "吉田 髙子");
    EXPECT_EQ(ReadBytes(PathOf("r.ini")).find(S("氏名") + "Unicode=&#x20bb7;"), std::string::npos);
    const cards::Outcome all = character_check::Replace(cards, S("氏名"), "辻\U000E0101", "辻", std::nullopt);
    EXPECT_EQ(all.changed, 1);
    EXPECT_EQ(cards.Text(2, S("氏名")), S("辻"));
}

// 﨑's variants name 埼 before 崎, which the source marks as the same character (":Z"): 崎 comes
// first. A variant of a code page 932 character is not reported as beyond it: the character is
// stored, and only its shape needs the exact key.
TEST_F(CharacterCheckTest, HintsOfferTheSameCharacterFirstAndTellAVariantFromAMissingCharacter) {
    const UnihanVariants saki = UnihanVariants::FromText(
        "U+FA11\tkSemanticVariant\tU+37E2 U+57FC U+5D0E<kMorohashi:Z U+5D5C\n");
    EXPECT_EQ(character_check::Substitutes(0xFA11, saki), (std::vector<std::string>{"崎", "埼", "嵜"}));

    const auto findings = character_check::Check(cards, [](char32_t) { return true; }, variants);
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[2].kinds, character_check::kVariantExact);
    const std::string words = character_check::KindWords(findings[2].kinds);
    EXPECT_EQ(words.find("シフトJISにない"), std::string::npos) << words;
    EXPECT_NE(words.find("字はシフトJISに保存"), std::string::npos) << words;
}
