#include "store/exact_text.h"

#include <gtest/gtest.h>

#include "store/card_design.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"

namespace {

std::string Exact(std::string_view utf8) {
    std::string exact;
    EXPECT_TRUE(exact_text::FromUtf8(utf8, exact));
    return exact;
}

}  // namespace

TEST(ExactText, CharactersBeyondCodePage932AreEscapedAndComeBackExactly) {
    const std::string yoshida = Exact("𠮷田\u3000葛\U000E0100");  // with an IVS variation selector
    EXPECT_EQ(yoshida, "&#x20bb7;" + S("田\u3000葛") + "&#xe0100;");
    EXPECT_EQ(exact_text::Plain(yoshida), S("〓田\u3000葛〓"));
    EXPECT_EQ(exact_text::ToUtf8(yoshida), "𠮷田\u3000葛\U000E0100");
    EXPECT_TRUE(exact_text::HasEscapes(yoshida));
    // Composed first: か + combining dakuten is が, which needs no escape.
    EXPECT_EQ(Exact("\u304B\u3099"), S("が"));
    // Text that looks like an escape stays text.
    const std::string literal = Exact("A&#x41;");
    EXPECT_EQ(exact_text::ToUtf8(literal), "A&#x41;");
    EXPECT_EQ(exact_text::Plain(literal), "A&#x41;");
    EXPECT_EQ(exact_text::FromStored("A&#x41;", ""), literal);
    std::string bad;
    EXPECT_FALSE(exact_text::FromUtf8("\xff", bad));
}

TEST(ExactText, TheExactKeyCountsOnlyWhileTheItemKeyStillReadsAsItsGetaForm) {
    const std::string exact = "&#x20bb7;" + S("田");
    EXPECT_EQ(exact_text::FromStored(S("〓田"), exact), exact);
    EXPECT_EQ(exact_text::FromStored(S("吉田"), exact), S("吉田"));  // edited elsewhere: that wins
    EXPECT_EQ(exact_text::FromStored(S("山田"), ""), S("山田"));
}

class ExactTextFileTest : public TempHomeTest {};

TEST_F(ExactTextFileTest, WritingKeepsTheFileCodePage932AndTheKeyIsTextNotDesign) {
    const ProfileFile file(PathOf("r.ini"));
    const std::string name = S("氏名");
    ASSERT_TRUE(exact_text::Write(file, "0000", name, Exact("𠮷田")));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(ReadBytes(PathOf("r.ini")), "[0000]\r\n" + name + "=" + S("〓田") + "\r\n" + name + "Unicode=&#x20bb7;" + S("田") + "\r\n");
    EXPECT_EQ(exact_text::ToUtf8(exact_text::Read(file, "0000", name)), "𠮷田");
    // Back to text code page 932 holds: the exact key is emptied, not left to contradict it.
    ASSERT_TRUE(exact_text::Write(file, "0000", name, S("吉田")));
    EXPECT_EQ(file.ReadString("0000", name + "Unicode", "(none)"), "");
    EXPECT_TRUE(cards::TextKeys({name}).IsText(name + "unicode"));
}

// NUL, halves of surrogate pairs and noncharacters stand in no text: an escape of one is text as
// it is written, and such a character typed or imported becomes the replacement character.
TEST(ExactText, AnEscapeOfACodePointNoTextHoldsIsNotAnEscape) {
    for (const std::string escape : {"&#x0;", "&#xd800;", "&#xdfff;", "&#xfffe;", "&#xffff;", "&#xfdd0;", "&#x10ffff;",
                                     "&#x110000;", "&#x0000041;"}) {
        EXPECT_FALSE(exact_text::HasEscapes(escape)) << escape;
        EXPECT_EQ(exact_text::ToUtf8(escape), escape);
        EXPECT_EQ(exact_text::Plain(escape), escape);
    }
    EXPECT_EQ(exact_text::ToUtf8("&#xfffd;&#x1f600;"), "\uFFFD\U0001F600");
    EXPECT_EQ(exact_text::ToUtf8(Exact(std::string("a\0b\uFFFE\U0010FFFF", 10))), "a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(exact_text::ToUtf8(std::string("a\0b", 3)), "a\uFFFDb");  // a NUL byte stored in a file
    // A character the code page converter would leave out is escaped, not lost, and cannot join
    // its neighbours into an escape.
    EXPECT_EQ(exact_text::ToUtf8(Exact("&#\U000E0004xf;")), "&#\U000E0004xf;");
}

// An "&#x" that never closes is looked at only as far as an escape reaches: 4 MB of them read in
// a moment rather than minutes.
TEST(ExactText, UnclosedEscapesAreWalkedInLinearTime) {
    std::string open;
    for (int i = 0; i < 1'000'000; ++i) open += "&#x1";
    EXPECT_EQ(exact_text::Plain(open), open);
    EXPECT_FALSE(exact_text::HasEscapes(open));
    EXPECT_EQ(exact_text::ToUtf8(open + "&#x20bb7;").size(), open.size() + 4);
}
