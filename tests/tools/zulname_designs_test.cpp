#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

class ZulnameDesignsTest : public TempHomeTest {
protected:
    ZulnameDesignsTest() {
        WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n1h=216\r\n2w=339\r\n2h=213\r\n");
        WriteBytes(File(), "[#Setting#]\r\nMax=1\r\nCurID=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n[0001]\r\n" +
                               S("氏名") + "=" + S("佐藤") + "\r\n");
    }
    std::string File() const { return PathOf("record.ini"); }
    ToolOutcome Designs(const std::vector<std::string>& args) const { return RunTool(ZULNAME_DESIGNS_PATH, args, Home()); }
    ToolOutcome Cards(const std::vector<std::string>& args) const { return RunTool(ZULNAME_CARDS_PATH, args, Home()); }
    ToolOutcome Export(const std::string& record) const {
        return RunTool(ZULNAME_EXPORT_PATH, {"--record", record, "--format", "trace"}, Home());
    }
    std::string Read(const std::string& section, const std::string& key) const {
        const std::string bytes = ReadBytes(File());
        const std::size_t at = bytes.find("[" + section + "]");
        const std::size_t found = bytes.find("\n" + S(key) + "=", at);
        if (at == std::string::npos || found == std::string::npos || found > bytes.find("\n[", at)) return "(missing)";
        const std::size_t begin = found + 1 + S(key).size() + 1;
        return bytes.substr(begin, bytes.find('\r', begin) - begin);
    }
};

}  // namespace

TEST_F(ZulnameDesignsTest, ListsTheBuiltInDesignsAndAppliesOneToTheCards) {
    const ToolOutcome listed = Designs({"list"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out.find("シンプル\t内蔵\t"), 0u);
    EXPECT_GE(std::count(listed.out.begin(), listed.out.end(), '\n'), 12);
    EXPECT_NE(Designs({"show", "縦書き"}).out.find("\n氏名Vertical=1\n"), std::string::npos);

    const ToolOutcome applied = Designs({"apply", "シンプル", "--record", File(), "--to", "1-1", "--slot", "2"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "applied シンプル to 1 card, slot 2\n");
    EXPECT_EQ(Read("0001", "2IsPrint氏名"), "1");
    EXPECT_EQ(Read("0001", "2氏名FitWidth"), "309");  // 326 on 91 mm, scaled to 86 mm
    EXPECT_EQ(Read("0000", "2IsPrint氏名"), "(missing)");
    EXPECT_EQ(Designs({"apply", "シンプル", "--record", File()}).out, "applied シンプル to 2 cards, all slots\n");
    EXPECT_NE(Export(File()).out.find("\"山田\""), std::string::npos);

    ExpectFailure(Designs({"apply", "無い", "--record", File()}), 1, "no design \"無い\"");
    ExpectFailure(Designs({"apply", "シンプル", "--record", File(), "--to", "0-5"}), 2, "out of range");
    EXPECT_EQ(Designs({"apply", "シンプル", "--slot", "4"}).status, 2);
    EXPECT_EQ(Designs({"frobnicate"}).status, 2);
}

TEST_F(ZulnameDesignsTest, GivesASlotABackFromTheGalleryOrACardAndTakesItOff) {
    const ToolOutcome back = Designs({"back", "裏面 QRコード", "--slot", "2", "--record", File()});
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.out, "the back of slot 2 is 裏面 QRコード\n");
    EXPECT_EQ(Read("2Back", "2その他1QR"), "1");
    EXPECT_EQ(Read("2Back", "2IsPrint所属"), "0");
    ASSERT_EQ(Designs({"apply", "シンプル", "--record", File(), "--to", "0-0", "--slot", "1"}).status, 0);
    EXPECT_EQ(Designs({"back", "--from-card", "0", "--record", File()}).out, "the back of slot 1 is the design of card 0000\n");
    EXPECT_EQ(Read("1Back", "1氏名Ypos"), Read("0000", "1氏名Ypos"));
    EXPECT_EQ(Designs({"back", "--none", "--slot", "2", "--record", File()}).out, "removed the back of slot 2\n");
    EXPECT_EQ(Read("2Back", "2その他1QR"), "(missing)");

    EXPECT_EQ(Designs({"back", "シンプル", "--none", "--record", File()}).status, 2);
    EXPECT_EQ(Designs({"back", "--from-card", "0", "--slot", "2", "--record", File()}).status, 2);
    ExpectFailure(Designs({"back", "--from-card", "7", "--record", File()}), 2, "out of range");
    EXPECT_EQ(Designs({"apply", "シンプル", "--none"}).status, 2);
}

TEST_F(ZulnameDesignsTest, SavesACardsDesignAndSharesItAsAFile) {
    ASSERT_EQ(Designs({"apply", "来賓 (金)", "--record", File(), "--to", "0-0"}).status, 0);
    const ToolOutcome saved = Designs({"save", "金の枠", "--from", "0", "--description", "式典用", "--record", File()});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "saved the design of card 0000 as 金の枠\n");
    EXPECT_NE(Designs({"list"}).out.find("金の枠\tユーザー\t式典用\n"), std::string::npos);
    ExpectFailure(Designs({"save", "シンプル", "--record", File()}), 1, "already a design \"シンプル\"");
    ExpectFailure(Designs({"delete", "シンプル"}), 1, "built in");

    ASSERT_EQ(Designs({"apply", "金の枠", "--record", File(), "--to", "1-1", "--slot", "1"}).status, 0);
    EXPECT_EQ(Read("0001", "1氏名Font"), Read("0000", "1氏名Font"));

    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    ExpectFailure(Designs({"export", "金の枠", "-o", PathOf("fifo")}), 1, "」に書き込めません。通常のファイルではありません。");
    EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo")));
    EXPECT_EQ(Designs({"export", "金の枠", "-o", PathOf("shared.ini")}).status, 0);
    EXPECT_EQ(Designs({"rename", "金の枠", "式典"}).out, "renamed 金の枠 to 式典\n");
    EXPECT_EQ(Designs({"import", PathOf("shared.ini")}).out, "imported 金の枠\n");
    EXPECT_EQ(Designs({"import", PathOf("shared.ini")}).out, "imported 金の枠 (2)\n");
    EXPECT_EQ(Designs({"delete", "式典"}).status, 0);
    ExpectFailure(Designs({"import", File()}), 1, "not a design");
}

TEST_F(ZulnameDesignsTest, AnImportStartsAMissingRecordFileInTheDefaultDesign) {
    WriteBytes(PathOf("list.csv"), "氏名,所属\n高橋 一郎,株式会社見本\n田中 花子,市立小学校\n");
    const std::string fresh = PathOf("new.ini");
    const ToolOutcome imported = Cards({"--record", fresh, "import", PathOf("list.csv")});
    EXPECT_EQ(imported.status, 0) << imported.err;
    const ToolOutcome listed = Cards({"--record", fresh, "list"});
    EXPECT_NE(listed.out.find("\n0000\t高橋 一郎\t"), std::string::npos);
    EXPECT_EQ(listed.out.find("0002"), std::string::npos);
    const ToolOutcome drawn = Export(fresh);
    EXPECT_NE(drawn.out.find("\"株式会社見本\""), std::string::npos);
    EXPECT_EQ(drawn.err, "");

    // A job of blank tags is told, and still drawn.
    WriteBytes(PathOf("blank.ini"), "[#Setting#]\r\nMax=1\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n");
    const ToolOutcome blank = Export(PathOf("blank.ini"));
    EXPECT_EQ(blank.status, 0);
    EXPECT_NE(blank.err.find("no tag of blank shows any text"), std::string::npos);
}

TEST_F(ZulnameDesignsTest, RulesGiveEachCategoryItsDesignHonorificAndFrame) {
    WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n1h=216\r\n[UserDef]\r\nItems=" + S("区分") + "\r\n");
    WriteBytes(File(), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n" + S("区分") + "=" +
                           S("来賓") + "\r\n[0001]\r\n" + S("氏名") + "=" + S("佐藤") + "\r\n" + S("区分") + "=" +
                           S("スタッフ") + "\r\n[0002]\r\n" + S("氏名") + "=" + S("鈴木") + "\r\n");
    const ToolOutcome guests = Designs({"rule", "区分", "来賓", "来賓 (赤)", "--honorific", "様", "--record", File()});
    EXPECT_EQ(guests.status, 0) << guests.err;
    EXPECT_EQ(guests.out, "applied 1 rule to 1 card\n");
    EXPECT_EQ(Designs({"rule", "区分", "スタッフ", "-", "--honorific", "さん", "--record", File()}).out,
              "applied 2 rules to 1 card\n");  // the guest's card is as its rule makes it already
    EXPECT_EQ(Designs({"rules", "--record", File()}).out, "区分\t来賓\t来賓 (赤)\t様\n区分\tスタッフ\t-\tさん\n");

    // The guest's card carries the red design's frame as its own; the others draw the slot's.
    EXPECT_EQ(Read("0000", "1Frame"), "1");
    EXPECT_EQ(Read("0000", "1Frame1Outside"), "2103472");
    EXPECT_EQ(Read("0001", "1Frame"), "(missing)");
    EXPECT_EQ(Read("0001", "1氏名Honorific"), S("さん"));
    EXPECT_EQ(Read("0002", "1氏名Honorific"), "(missing)");
    const std::string trace = Export(File()).out;
    EXPECT_NE(trace.find("\"様\""), std::string::npos);
    EXPECT_NE(trace.find("brush=solid:b01820"), std::string::npos);  // the red band, 2103472

    // A category changed by hand takes its rule when the rules are applied again.
    ASSERT_EQ(RunTool(ZULNAME_INI_PATH, {"set", File(), "0002", "区分", "来賓"}, Home()).status, 0);
    EXPECT_EQ(Designs({"apply", "--by-rules", "--record", File()}).out, "applied 2 rules to 1 card\n");
    EXPECT_EQ(Read("0002", "1氏名Honorific"), S("様"));
    // Imported people take the rules of their category (over the design new cards inherit).
    WriteBytes(PathOf("list.csv"), "氏名,種別\n高橋,スタッフ\n");
    const ToolOutcome imported = Cards({"--record", File(), "import", PathOf("list.csv")});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("gave 1 card the design of its category"), std::string::npos) << imported.out;
    EXPECT_EQ(Read("0003", "1氏名Honorific"), S("さん"));
    ExpectFailure(Designs({"rule", "区分", "来賓", "無い", "--record", File()}), 1, "no design \"無い\"");
    ExpectFailure(Designs({"rule", "部門", "来賓", "-", "--record", File()}), 2, "no item \"部門\"");
}

namespace {

// Three categories, a red design with 様 for the guests and さん over their own for the staff.
class RuleKeysTest : public ZulnameDesignsTest {
protected:
    RuleKeysTest() {
        WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n1h=216\r\n[UserDef]\r\nItems=" + S("区分") + "\r\n");
        std::string cards = "[#Setting#]\r\nMax=" + std::to_string(kCards - 1) + "\r\nCurID=0\r\n";
        for (int card = 0; card < kCards; ++card)
            cards += "[" + Section(card) + "]\r\n" + S("氏名") + "=p" + std::to_string(card) + "\r\n" + S("区分") + "=" +
                     S(card % 2 == 0 ? "来賓" : "スタッフ") + "\r\n";
        WriteBytes(File(), cards);
        EXPECT_EQ(Designs({"rule", "区分", "来賓", "来賓 (赤)", "--honorific", "様", "--record", File()}).status, 0);
        EXPECT_EQ(Designs({"rule", "区分", "スタッフ", "-", "--honorific", "さん", "--record", File()}).status, 0);
    }
    static std::string Section(int card) {
        const std::string number = std::to_string(card);
        return std::string(4 - number.size(), '0') + number;
    }
    // Each card's honorific and frame are those of its category's rule, none for another category.
    void ExpectKeysOfCategories() const {
        for (int card = 0; Read(Section(card), "氏名") != "(missing)"; ++card) {
            const std::string category = Read(Section(card), "区分");
            const bool guest = category == S("来賓"), staff = category == S("スタッフ");
            EXPECT_EQ(Read(Section(card), "1氏名Honorific"), guest ? S("様") : staff ? S("さん") : "(missing)") << card;
            EXPECT_EQ(Read(Section(card), "1Frame"), guest ? "1" : "(missing)") << card;
        }
    }
    static constexpr int kCards = 20;
};

}  // namespace

TEST_F(RuleKeysTest, NewcomersAndChangedCategoriesHaveOnlyTheirOwnRulesKeys) {
    ExpectKeysOfCategories();
    // Added after a guest, inheriting its design: not a guest.
    ASSERT_EQ(Cards({"--record", File(), "add", "--after", "0", "new"}).status, 0);
    ExpectKeysOfCategories();
    EXPECT_EQ(Read("0001", "1氏名Xpos"), Read("0000", "1氏名Xpos"));  // the rest of the design is inherited
    // Imported after the current card (a guest): each takes its own category's keys, or none.
    WriteBytes(PathOf("list.csv"), "氏名,区分\n来賓者,来賓\n一般者,一般\n職員,スタッフ\n");
    const ToolOutcome imported = Cards({"--record", File(), "import", PathOf("list.csv")});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("gave 2 cards the design of its category"), std::string::npos) << imported.out;
    ExpectKeysOfCategories();
    // A guest who becomes one of the public loses the guest's honorific and frame.
    ASSERT_EQ(RunTool(ZULNAME_INI_PATH, {"set", File(), "0000", "区分", "一般"}, Home()).status, 0);
    ASSERT_EQ(RunTool(ZULNAME_INI_PATH, {"set", File(), "0002", "区分", "スタッフ"}, Home()).status, 0);
    EXPECT_EQ(Designs({"apply", "--by-rules", "--record", File()}).status, 0);
    ExpectKeysOfCategories();
}

TEST_F(RuleKeysTest, ABlankValueAndARuleTooManyAreRefusedWithNothingChanged) {
    const std::string before = ReadBytes(File());
    ExpectFailure(Designs({"rule", "区分", " ", "-", "--honorific", "様", "--record", File()}), 2, "VALUE");
    std::string rules = "[CategoryDesigns]\r\nCount=200\r\n";
    for (int rule = 1; rule <= 200; ++rule)
        rules += "Item" + std::to_string(rule) + "=" + S("区分") + "\r\nValue" + std::to_string(rule) + "=c" +
                 std::to_string(rule) + "\r\n";
    const std::string cards = before.substr(0, before.find("[CategoryDesigns]"));
    WriteBytes(File(), cards + rules);
    const std::string full = ReadBytes(File());
    ExpectFailure(Designs({"rule", "区分", "c201", "-", "--record", File()}), 1, "at most 200 rules");
    EXPECT_EQ(ReadBytes(File()), full);
    // Changing a kept rule is still possible.
    EXPECT_EQ(Designs({"rule", "区分", "c200", "-", "--honorific", "殿", "--record", File()}).status, 0);
    EXPECT_NE(Designs({"rules", "--record", File()}).out.find("区分\tc200\t-\t殿\n"), std::string::npos);
    EXPECT_NE(before, full);
}

TEST_F(RuleKeysTest, ConcurrentRuleChangesAndAddsLoseNothing) {
    constexpr int kRuns = 12;
    const auto rules = [this](const std::string& prefix) {
        return RunToolRepeatedly(ZULNAME_DESIGNS_PATH, kRuns, [this, prefix](int run) {
            return std::vector<std::string>{"rule", "区分", prefix + std::to_string(run), "-", "--record", File()};
        });
    };
    const pid_t first = rules("a"), second = rules("b");
    EXPECT_EQ(FailedRuns(first), 0);
    EXPECT_EQ(FailedRuns(second), 0);
    const std::string listed = Designs({"rules", "--record", File()}).out;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2 + 2 * kRuns) << listed;

    const pid_t applying = RunToolRepeatedly(ZULNAME_DESIGNS_PATH, kRuns, [this](int) {
        return std::vector<std::string>{"apply", "--by-rules", "--record", File()};
    });
    const pid_t adding = RunToolRepeatedly(ZULNAME_CARDS_PATH, kRuns, [this](int run) {
        return std::vector<std::string>{"--record", File(), "add", "--after", "0", "n" + std::to_string(run)};
    });
    EXPECT_EQ(FailedRuns(applying), 0);
    EXPECT_EQ(FailedRuns(adding), 0);
    ExpectKeysOfCategories();
}

TEST_F(ZulnameDesignsTest, AnImportRefusesAHugeDesignAndAFileThatIsNotRegular) {
    std::string huge = "[Design]\r\nName=huge\r\nWidth=358\r\nHeight=216\r\n[Card]\r\n";
    for (int key = 0; key <= 4000; ++key) huge += "1k" + std::to_string(key) + "=1\r\n";
    WriteBytes(PathOf("huge.ini"), huge);
    ExpectFailure(Designs({"import", PathOf("huge.ini")}), 1, "more than 4000 keys");
    WriteBytes(PathOf("large.ini"), "[Design]\r\nName=large\r\nWidth=358\r\nHeight=216\r\n; " +
                                        std::string(300 << 10, 'x') + "\r\n");
    ExpectFailure(Designs({"import", PathOf("large.ini")}), 1, "larger than a design file can be");
    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    ExpectFailure(Designs({"import", PathOf("fifo")}), 1, "通常のファイルではありません");
    EXPECT_EQ(Designs({"list"}).out.find("huge"), std::string::npos);
}

TEST_F(RuleKeysTest, AnImportAndItsCategoryDesignsAreOneWrite) {
    // Guests imported after a staff card: their red design makes the file larger than the cards
    // alone would. With the file size limited just below the whole, nothing may be written.
    ASSERT_EQ(RunTool(ZULNAME_INI_PATH, {"set", File(), "#Setting#", "CurID", "1"}, Home()).status, 0);
    WriteBytes(PathOf("list.csv"), "氏名,区分\n来賓一,来賓\n来賓二,来賓\n");
    const std::string before = ReadBytes(File());
    WriteBytes(PathOf("copy.ini"), before);
    ASSERT_EQ(Cards({"--record", PathOf("copy.ini"), "import", PathOf("list.csv")}).status, 0);
    const std::size_t whole = ReadBytes(PathOf("copy.ini")).size();
    const ToolOutcome limited = RunToolWithFileSizeLimit(ZULNAME_CARDS_PATH, {"--record", File(), "import", PathOf("list.csv")},
                                                         Home(), whole - 1);
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(ReadBytes(File()), before);
}
