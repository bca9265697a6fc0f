#include <gtest/gtest.h>

#include "lists/romaji.h"
#include "store/codec.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"

TEST(RomanisedNameTest, ReadingsBecomePassportStyleNames) {
    const struct {
        const char* reading;
        const char* name;
    } names[] = {
        {"やまだ たろう", "Taro YAMADA"},       // long vowels are not doubled
        {"さとう　ゆうこ", "Yuko SATO"},        // a full-width space
        {"おおの しんいち", "Shinichi ONO"},    // no apostrophe between n and a vowel
        {"ほんま けんぶ", "Kembu HOMMA"},       // n before b and m
        {"はっとり じゅん", "Jun HATTORI"},
        {"いのうえ こういち", "Koichi INOUE"},  // the う of うえ begins a syllable; こう is long
        {"おおうち ゆうい", "Yui OUCHI"},
        {"こうち おおい", "Oi KOCHI"},
        {"ｽｽﾞｷ ｲﾁﾛｰ", "Ichiro SUZUKI"},       // half-width katakana and the long mark
        {"スミス・ジョン", "Jon SUMISU"},         // a middle dot; katakana are read as they are written
        {"ゔぃくとる", "VIKUTORU"},             // one word: the family name; no mark for the small kana
        {"  ", ""},
        {"株式会社ゼロワン", ""},                // kanji: not a reading
        {"やまだ 太郎", ""},
    };
    for (const auto& [reading, name] : names) EXPECT_EQ(RomanisedName(reading, NameOrder::GivenFirst), name) << reading;
    EXPECT_EQ(RomanisedName("やまだ たろう", NameOrder::FamilyFirst), "YAMADA Taro");
    EXPECT_EQ(RomanisedName("Smith john", NameOrder::GivenFirst), "John SMITH") << "Latin letters are kept";
}

class FillRomanisedNamesTest : public TempHomeTest {};

TEST_F(FillRomanisedNamesTest, EveryCardWithAReadingGetsItsNameInOneWrite) {
    const std::string file = PathOf("r.ini");
    WriteBytes(file, "[#Setting#]\r\nMax=3\r\n[0000]\r\n" + S("読み") + "=" + S("やまだ たろう") + "\r\n[0001]\r\n" + S("その他1") +
                         "=keep\r\n[0002]\r\n" + S("読み") + "=" + S("さとう はなこ") + "\r\n[0003]\r\n" + S("読み") + "=" +
                         S("佐藤 はなこ") + "\r\n" + S("その他1") + "=" + S("佐藤") + "\r\n");
    const cards::RecordCards cards(file, {S("読み"), S("その他1")});
    const cards::Outcome outcome = FillRomanisedNames(cards, S("読み"), S("その他1"), NameOrder::FamilyFirst);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.changed, 2);
    EXPECT_EQ(cards.Text(0, S("その他1")), "YAMADA Taro");
    EXPECT_EQ(cards.Text(1, S("その他1")), "keep") << "no reading: the text stays";
    EXPECT_EQ(cards.Text(2, S("その他1")), "SATO Hanako");
    EXPECT_EQ(cards.Text(3, S("その他1")), S("佐藤")) << "a reading with kanji: the text stays";
    EXPECT_NE(ReadBytes(file).find("SATO Hanako"), std::string::npos) << "on disk at once";
    EXPECT_EQ(FillRomanisedNames(cards, S("読み"), S("その他1"), NameOrder::FamilyFirst).changed, 0) << "nothing new";
    EXPECT_EQ(FillRomanisedNames(cards, S("読み"), S("ない"), NameOrder::FamilyFirst).failure, cards::Failure::UnknownItem);
}
