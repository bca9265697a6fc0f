#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/card_operations.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/profiles.h"
#include "store/typesetting.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"

namespace {

using cards::CardTexts;
using cards::Failure;

class CardOperationsTest : public TempHomeTest {
protected:
    std::string File() const { return PathOf("record.ini"); }
    cards::RecordCards Cards() const { return cards::RecordCards(File(), ItemList({S("学年")})); }
    ProfileFile Record() const { return ProfileFile(File()); }

    std::string NameOf(std::int32_t card) const { return Record().ReadString(CardSectionName(card), S("氏名"), ""); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        const std::int32_t count = Cards().Count();
        for (std::int32_t card = 0; card < count; ++card) names.push_back(NameOf(card));
        return names;
    }
    // A record file of cards named by the texts, CRLF lines, with "#Setting#" first.
    void WriteNamed(const std::vector<std::string>& names, const std::string& setting, const std::string& tail = "") {
        std::string text = "[#Setting#]\r\n" + setting;
        for (std::size_t card = 0; card < names.size(); ++card)
            text += "[" + CardSectionName(static_cast<std::int32_t>(card)) + "]\r\n" + S("氏名") + "=" + S(names[card]) + "\r\n";
        WriteBytes(File(), text + tail);
    }
    std::string Setting(const char* key) const { return Record().ReadString("#Setting#", key, "none"); }
    std::string PrintOrder() const { return Record().ReadFullString("Current", "PrintOrder", "none"); }
};

// A card with every kind of design key in slots 1 and 2, and texts of a fixed and a user item.
std::string DesignedCard(const std::string& name, const std::string& x) {
    return S("氏名") + "=" + S(name) + "\r\n" + S("学年") + "=" + S("三年") + "\r\n" +  //
           "1" + S("氏名") + "Xpos=" + x + "\r\n1IsPrint" + S("氏名") + "=1\r\n" +          //
           "1" + S("氏名") + "Font=-20 0 0 0 700 0 0 0 128 3 2 1 49 255\r\n" +              //
           "1" + S("氏名") + "FontFace=" + S("ＭＳ 明朝") + "\r\n" +                          //
           "1" + S("氏名") + "bShadow=2\r\n1" + S("氏名") + "shadowx=30\r\n" +              //
           "1" + S("学年") + "PrintVPos=2\r\n" +                                             //
           "1Line1sx=10\r\n1Line1ex=" + x + "\r\n1Line1Col=255\r\n" +                        //
           "1BMP=/tmp/logo.bmp\r\n1BMPZoom=50\r\n" +                                         //
           "2" + S("氏名") + "Xpos=7\r\n2BMP=/tmp/other.bmp\r\n";
}

}  // namespace

TEST_F(CardOperationsTest, TheDesignIsEveryKeyButTheTextsPerSlotOrAll) {
    WriteBytes(File(), "[0000]\r\n" + DesignedCard("山田", "100"));
    const cards::Design slot1 = Cards().DesignOf(0, 1);
    std::vector<std::string> names;
    for (const cards::DesignKey& key : slot1) names.push_back(key.name);
    EXPECT_EQ(names, (std::vector<std::string>{"1" + S("氏名") + "Xpos", "1IsPrint" + S("氏名"), "1" + S("氏名") + "Font",
                                               "1" + S("氏名") + "FontFace", "1" + S("氏名") + "bShadow",
                                               "1" + S("氏名") + "shadowx", "1" + S("学年") + "PrintVPos", "1Line1sx",
                                               "1Line1ex", "1Line1Col", "1BMP", "1BMPZoom"}));
    EXPECT_EQ(Cards().DesignOf(0, 2).size(), 2u);
    EXPECT_EQ(Cards().DesignOf(0, cards::kAllSlots).size(), 14u);
    EXPECT_TRUE(Cards().DesignOf(0, 3).empty());
    EXPECT_TRUE(Cards().DesignOf(5, 1).empty());
}

TEST_F(CardOperationsTest, ApplyingADesignCopiesItsKeysAndKeepsTextsOtherSlotsAndTheFrame) {
    const std::string frame = "[1Frame]\r\nFrame=3\r\nFrame3Inside=255\r\n";
    WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + DesignedCard("山田", "100") + frame +
                           "[0001]\r\n" + S("氏名") + "=" + S("佐藤") + "\r\n; kept\r\n1" + S("氏名") +
                           "Nakanuki=1\r\n2Line1sx=9\r\n[0002]\r\n" + DesignedCard("鈴木", "100"));
    EXPECT_EQ(Cards().DesignChanges(0, {0, 1, 2}, 1), 1);
    const cards::Outcome outcome = Cards().ApplyDesign(0, {1, 2}, 1);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.changed, 1);
    const ProfileFile record = Record();
    EXPECT_EQ(record.ReadString("0001", S("氏名"), ""), S("佐藤"));
    EXPECT_EQ(record.ReadString("0001", "1" + S("氏名") + "Xpos", ""), "100");
    EXPECT_EQ(record.ReadString("0001", "1" + S("氏名") + "ShadowX", ""), "30");
    EXPECT_EQ(record.ReadString("0001", "1Line1ex", ""), "100");
    EXPECT_EQ(record.ReadString("0001", "1BMP", ""), "/tmp/logo.bmp");
    EXPECT_EQ(record.ReadString("0001", "1" + S("学年") + "PrintVPos", ""), "2");
    // The target's own slot-1 effect goes (it would not look the same otherwise); slot 2 stays.
    EXPECT_EQ(record.ReadString("0001", "1" + S("氏名") + "Nakanuki", "none"), "none");
    EXPECT_EQ(record.ReadString("0001", "2Line1sx", ""), "9");
    EXPECT_EQ(record.ReadString("0001", "2BMP", "none"), "none");
    EXPECT_EQ(record.ReadString("0001", S("学年"), "none"), "none");
    EXPECT_NE(ReadBytes(File()).find("; kept\r\n"), std::string::npos);
    // The frame belongs to the file and slot, so every card already shares it.
    EXPECT_NE(ReadBytes(File()).find(frame), std::string::npos);

    ASSERT_TRUE(Cards().ApplyDesign(0, {1}, cards::kAllSlots));
    EXPECT_EQ(record.ReadString("0001", "2BMP", ""), "/tmp/other.bmp");
    EXPECT_EQ(record.ReadString("0001", "2Line1sx", "none"), "none");
    EXPECT_EQ(Cards().DesignChanges(0, {1, 2}, cards::kAllSlots), 0);
}

TEST_F(CardOperationsTest, ADesignAppliedToUnwrittenCardsGivesThemSections) {
    WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + DesignedCard("山田", "40"));
    const cards::Outcome outcome = Cards().ApplyDesign(0, {1, 2}, cards::kAllSlots);
    EXPECT_EQ(outcome.changed, 2);
    EXPECT_EQ(Record().ReadString("0002", "1Line1ex", ""), "40");
    EXPECT_EQ(Record().ReadString("0002", S("氏名"), "none"), "none");
}

TEST_F(CardOperationsTest, NewCardsTakeTextsInItemOrderAndTheGivenDesign) {
    WriteBytes(File(), "[#Setting#]\r\nMax=1\r\nCurID=1\r\n[0000]\r\n" + DesignedCard("山田", "100") + "[0001]\r\n" +
                           S("氏名") + "=" + S("佐藤") + "\r\n");
    const cards::RecordCards list = Cards();
    const std::optional<cards::Design> design = list.DesignOf(0, cards::kAllSlots);
    CardTexts texts(9);
    texts[0] = S("高橋");
    texts[3] = S("たかはし");
    texts[8] = S("二年\r\n[0000]");  // a line break must not make a section
    ASSERT_TRUE(list.Insert(1, {texts, {S("林")}}, design));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("山田"), S("高橋"), S("林"), S("佐藤")}));
    EXPECT_EQ(Setting("Max"), "3");
    EXPECT_EQ(Setting("CurID"), "3");  // still 佐藤
    EXPECT_EQ(Record().ReadString("0001", S("読み"), ""), S("たかはし"));
    EXPECT_EQ(Record().ReadString("0001", S("学年"), ""), S("二年  [0000]"));
    EXPECT_EQ(Record().ReadString("0002", "1Line1ex", ""), "100");
    EXPECT_EQ(Record().ReadString("0002", S("学年"), "none"), "none");

    ASSERT_TRUE(list.Append({{S("末尾")}}, std::nullopt));
    EXPECT_EQ(NameOf(4), S("末尾"));
    EXPECT_EQ(Record().ReadString("0004", "1Line1ex", "none"), "none");
    EXPECT_EQ(list.Insert(6, {{S("x")}}, std::nullopt).failure, Failure::NoSuchCard);
}

TEST_F(CardOperationsTest, NewCardsInheritTheDesignBeforeThemUnlessTheSettingsSayNo) {
    WriteBytes(File(), "[0000]\r\n" + DesignedCard("山田", "100") + "[0001]\r\n" + DesignedCard("佐藤", "200"));
    const SettingsProfile settings;
    const cards::RecordCards list = Cards();
    const std::optional<cards::Design> atEnd = cards::InheritedDesign(settings, list, 2);
    ASSERT_TRUE(atEnd);
    EXPECT_TRUE(cards::SameDesign(*atEnd, list.DesignOf(1, cards::kAllSlots)));
    EXPECT_FALSE(cards::SameDesign(*atEnd, list.DesignOf(0, cards::kAllSlots)));
    ASSERT_TRUE(list.Insert(0, {{S("先頭")}}, cards::InheritedDesign(settings, list, 0)));
    EXPECT_EQ(Record().ReadString("0000", "1Line1ex", ""), "100");
    settings.WriteInt("Option", "InheritDesign", 0);
    settings.Flush();
    EXPECT_FALSE(cards::InheritedDesign(settings, list, 3));
}

TEST_F(CardOperationsTest, DeletingRenumbersAndTheCurrentCardAndPrintOrderFollowThePeople) {
    WriteNamed({"A", "B", "C", "D", "E"}, "Max=4\r\nCurID=3\r\n", "[Current]\r\nPrintOrder=0004|0001|0003|0001|\r\n");
    const cards::Outcome outcome = Cards().Delete({1, 2, 1});
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.changed, 2);
    EXPECT_EQ(outcome.count, 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{S("A"), S("D"), S("E")}));
    EXPECT_EQ(Setting("Max"), "2");
    EXPECT_EQ(Setting("CurID"), "1");
    EXPECT_EQ(PrintOrder(), "0002|0001|");
    EXPECT_EQ(Record().ReadString("0003", S("氏名"), "gone"), "gone");

    // The current card itself deleted: the card now in its place becomes current.
    ASSERT_TRUE(Cards().Delete({1}));
    EXPECT_EQ(Setting("CurID"), "1");
    ASSERT_TRUE(Cards().Delete({1}));
    EXPECT_EQ(Setting("CurID"), "0");
    EXPECT_EQ(PrintOrder(), "");
    const cards::Outcome gone = Cards().Delete({0, 1});
    EXPECT_EQ(gone.failure, Failure::NoSuchCard);
    EXPECT_EQ(gone.missing, 1);  // named for the message
    EXPECT_EQ(gone.count, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{S("A")}));
}

TEST_F(CardOperationsTest, MovingAndDuplicatingKeepThePrintOrderOnThePeople) {
    WriteNamed({"A", "B", "C", "D"}, "Max=3\r\nCurID=0\r\n", "[Current]\r\nPrintOrder=0000|0003|\r\n");
    ASSERT_TRUE(Cards().Move(0, 2));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("B"), S("C"), S("A"), S("D")}));
    EXPECT_EQ(Setting("CurID"), "2");
    EXPECT_EQ(PrintOrder(), "0002|0003|");
    ASSERT_TRUE(Cards().Move(3, 0));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("D"), S("B"), S("C"), S("A")}));
    EXPECT_EQ(PrintOrder(), "0003|0000|");

    ASSERT_TRUE(Cards().Duplicate({3, 1}));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("D"), S("B"), S("B"), S("C"), S("A"), S("A")}));
    EXPECT_EQ(PrintOrder(), "0004|0000|");  // a copy is a new card, not in the order
    EXPECT_EQ(Setting("CurID"), "4");
    EXPECT_EQ(Cards().Move(0, 6).failure, Failure::NoSuchCard);
}

TEST_F(CardOperationsTest, SortingByTheReadingFollowsTheSyllabaryAcrossKanaForms) {
    WriteNamed({"一", "二", "三", "四", "五", "六"}, "Max=5\r\nCurID=1\r\n");
    const std::vector<std::pair<int, const char*>> readings = {
        {0, "わたなべ"}, {1, "イトウ"}, {2, "ｱｵｷ"}, {4, "かとう"}, {5, "あおやま"}};
    for (const auto& [card, reading] : readings) Record().WriteString(CardSectionName(card), S("読み"), S(reading));
    Record().Flush();
    const cards::Outcome outcome = Cards().Sort(S("読み"));
    ASSERT_TRUE(outcome);
    // あおき < あおやま < いとう < かとう < わたなべ, whatever the kana form; no reading last.
    EXPECT_EQ(Names(), (std::vector<std::string>{S("三"), S("六"), S("二"), S("五"), S("一"), S("四")}));
    EXPECT_EQ(Setting("CurID"), "2");
    const std::string before = ReadBytes(File());
    EXPECT_EQ(Cards().Sort(S("ふりがな")).failure, Failure::UnknownItem);
    ASSERT_TRUE(Cards().Sort(S("読み")));
    EXPECT_EQ(ReadBytes(File()), before);  // already sorted: nothing written
}

// A name beyond code page 932 sorts by its exact text, among the kanji after the kana, not as the
// 〓 of its plain form before them.
TEST_F(CardOperationsTest, SortingByANameGoesByItsExactText) {
    WriteNamed({"〓田", "わたなべ", "あおき"}, "Max=2\r\n");
    Record().WriteString(CardSectionName(0), S("氏名") + "Unicode", "&#x20bb7;" + S("田"));
    Record().Flush();
    ASSERT_TRUE(Cards().Sort(S("氏名")));
    EXPECT_EQ(Names(), (std::vector<std::string>{S("あおき"), S("わたなべ"), S("〓田")}));
}

TEST_F(CardOperationsTest, GapsAndAMaxThatDisagreesNeverLoseACard) {
    // Sections 0000, 0001 and 0005, "Max" 2: cards 2 to 4 exist but were never written.
    WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + S("氏名") + "=A\r\n[0001]\r\n" + S("氏名") +
                           "=B\r\n[0005]\r\n" + S("氏名") + "=F\r\n");
    EXPECT_EQ(Cards().Count(), 6);
    ASSERT_TRUE(Cards().Delete({0}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "", "", "", "F"}));
    EXPECT_EQ(Setting("Max"), "4");
    // A "Max" beyond the sections: the empty cards are kept.
    WriteBytes(File(), "[#Setting#]\r\nMax=3\r\n[0000]\r\n" + S("氏名") + "=A\r\n");
    ASSERT_TRUE(Cards().Move(0, 3));
    EXPECT_EQ(Names(), (std::vector<std::string>{"", "", "", "A"}));
    // Card numbers of other widths are not cards; a second section of a card's name is never
    // read, so it is left alone.
    WriteBytes(File(), "[0000]\r\n" + S("氏名") + "=A\r\n[12]\r\nk=1\r\n[0001]\r\n" + S("氏名") +
                           "=B\r\n[0000]\r\n" + S("氏名") + "=hidden\r\n");
    EXPECT_EQ(Cards().Count(), 2);
    ASSERT_TRUE(Cards().Move(1, 0));
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(Record().ReadString("12", "k", ""), "1");
    EXPECT_NE(ReadBytes(File()).find("[0000]\r\n" + S("氏名") + "=hidden\r\n"), std::string::npos);
}

TEST_F(CardOperationsTest, MoreThanTenThousandCardsKeepNumericOrder) {
    std::string text = "[Current]\r\nPrintOrder=10001|0000|9999|\r\n";
    for (int card = 0; card <= 10001; ++card) text += "[" + CardSectionName(card) + "]\r\nk=" + std::to_string(card) + "\r\n";
    WriteBytes(File(), text);
    EXPECT_EQ(Cards().Count(), 10002);
    ASSERT_TRUE(Cards().Delete({0}));
    EXPECT_EQ(Cards().Count(), 10001);
    EXPECT_EQ(Record().ReadString("9999", "k", ""), "10000");
    EXPECT_EQ(Record().ReadString("10000", "k", ""), "10001");
    EXPECT_EQ(Record().ReadString("10001", "k", "gone"), "gone");
    EXPECT_EQ(PrintOrder(), "10000|9998|");
    ASSERT_TRUE(Cards().Move(10000, 0));
    EXPECT_EQ(Record().ReadString("0000", "k", ""), "10001");
    EXPECT_EQ(Record().ReadString("10000", "k", ""), "10000");
    EXPECT_EQ(PrintOrder(), "0000|9999|");
}

TEST_F(CardOperationsTest, OtherSectionsCommentsAndPendingWritesSurviveARewrite) {
    WriteBytes(File(), "; made by hand\n[#Setting#]\nMax=1\n[0000]\nk=a\n\n[Option]\nTop=10\n[0001]\nk=b");
    ASSERT_TRUE(Record().WriteString("Option", "Left", "5"));  // not flushed yet
    ASSERT_TRUE(Cards().Move(1, 0));
    EXPECT_EQ(ReadBytes(File()),
              "; made by hand\n[#Setting#]\nMax=1\nCurID=1\r\n[0000]\nk=b\r\n[0001]\nk=a\n\n[Option]\nTop=10\nLeft=5\r\n");
}

TEST_F(CardOperationsTest, AFileThatCannotBeWrittenOrClaimsTooManyCardsIsLeftAlone) {
    WriteBytes(File(), "[#Setting#]\r\nMax=5000000\r\n[0000]\r\nk=a\r\n");
    EXPECT_EQ(Cards().Delete({0}).failure, Failure::TooManyCards);
    EXPECT_EQ(Cards().Count(), 0);
    const cards::RecordCards gone(PathOf("missing/record.ini"), FixedItems());
    EXPECT_EQ(gone.Append({{"x"}}, std::nullopt).failure, Failure::NotWritten);
    EXPECT_FALSE(std::filesystem::exists(PathOf("missing")));
}

// A crash at any moment of an operation leaves the old file or the new one, never a mixture or
// a half-renumbered file.
TEST_F(CardOperationsTest, AnInterruptedOperationLeavesTheOldOrTheNewFile) {
    std::string text = "[#Setting#]\r\nMax=2999\r\n";
    for (int card = 0; card < 3000; ++card)
        text += "[" + CardSectionName(card) + "]\r\n" + S("氏名") + "=" + std::to_string(card) + std::string(200, 'x') + "\r\n";
    WriteBytes(File(), text);
    std::filesystem::copy_file(File(), PathOf("old"));
    ASSERT_TRUE(Cards().Delete({0}));
    const std::string deleted = ReadBytes(File());
    for (const int delayMicroseconds : {0, 2000, 5000, 10000, 20000, 40000}) {
        std::filesystem::copy_file(PathOf("old"), File(), std::filesystem::copy_options::overwrite_existing);
        const pid_t child = fork();
        if (child == 0) _exit(Cards().Delete({0}) ? 0 : 1);
        usleep(static_cast<useconds_t>(delayMicroseconds));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string now = ReadBytes(File());
        EXPECT_TRUE(now == text || now == deleted) << "killed after " << delayMicroseconds << " us";
    }
}

TEST_F(CardOperationsTest, ReplacingPutsNewCardsInPlaceOfAllInOneWrite) {
    WriteNamed({"A", "B", "C"}, "Max=2\r\nCurID=2\r\n", "[Current]\r\nPrintOrder=0002|0000|\r\n[Option]\r\nTop=5\r\n");
    const cards::Design design = {{"1" + S("氏名") + "Xpos", "40"}};
    const cards::Outcome outcome = Cards().Replace({{S("山田")}, {S("佐藤"), "", "", S("さとう")}}, design);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.count, 2);
    EXPECT_EQ(outcome.changed, 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{S("山田"), S("佐藤")}));
    EXPECT_EQ(Record().ReadString("0001", S("読み"), ""), S("さとう"));
    EXPECT_EQ(Record().ReadString("0001", "1" + S("氏名") + "Xpos", ""), "40");
    EXPECT_EQ(Record().ReadString("0002", S("氏名"), "gone"), "gone");
    EXPECT_EQ(Setting("Max"), "1");
    EXPECT_EQ(PrintOrder(), "");  // the people it named are gone
    EXPECT_EQ(Record().ReadString("Option", "Top", ""), "5");
}

TEST_F(CardOperationsTest, ADesignCarriesTheTypesettingKeys) {
    const std::string name = "1" + S("氏名");
    WriteBytes(File(), "[#Setting#]\r\nMax=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n" + name +
                           "FitWidth=250\r\n" + name + "FitMin=60\r\n" + name + "Ruby=1\r\n" + name + "RubySize=35\r\n1" +
                           S("その他1") + "QR=1\r\n1" + S("その他1") + "QRLevel=H\r\n" + name + "Vertical=1\r\n");
    ASSERT_TRUE(Cards().ApplyDesign(0, {1}, 1));
    RecordProfile record;
    record.SetPath(File());
    const ItemTypesetting copied = ReadItemTypesetting(record, "0001", "1", S("氏名"));
    EXPECT_EQ(copied, ReadItemTypesetting(record, "0000", "1", S("氏名")));
    EXPECT_EQ(copied.fitWidth, 250);
    EXPECT_TRUE(copied.ruby && copied.vertical);
    EXPECT_EQ(ReadItemTypesetting(record, "0001", "1", S("その他1")).qrLevel, 'H');
}
