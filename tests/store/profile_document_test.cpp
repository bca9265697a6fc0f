#include <gtest/gtest.h>

#include "store/profile_document.h"
#include "store/profile_value.h"
#include "tests/support/temp_home.h"

using profile::Lookup;
using profile::ProfileDocument;

namespace {

// A read as the program sees it: the stored value after the read rules, or the default.
std::string Read(const ProfileDocument& doc, std::string_view section, std::string_view key,
                 std::string_view def = "<default>") {
    return profile::StringResult(doc.Find(section, key), def);
}

std::string Read(std::string_view bytes, std::string_view section, std::string_view key,
                 std::string_view def = "<default>") {
    return Read(ProfileDocument::Parse(std::string(bytes)), section, key, def);
}

std::string AfterSet(std::string_view bytes, std::string_view section, std::string_view key, std::string_view value) {
    ProfileDocument doc = ProfileDocument::Parse(std::string(bytes));
    doc.Set(section, key, value);
    return doc.Serialize();
}

}  // namespace

TEST(ProfileRead, AnyRunOfLineEndsEndsALineAndTheLastNeedsNone) {
    const std::string bytes = "[s]\ra=1\r\n\r\nb=2\n\rc=3\n\n\nd=4";
    EXPECT_EQ(Read(bytes, "s", "a"), "1");
    EXPECT_EQ(Read(bytes, "s", "b"), "2");
    EXPECT_EQ(Read(bytes, "s", "c"), "3");
    EXPECT_EQ(Read(bytes, "s", "d"), "4");
}

TEST(ProfileRead, DoubleByteCharactersWithSyntaxTrailBytesAreOrdinaryText) {
    const std::string hyo = S("表"), so = S("ソ"), zo = S("ゾ"), ze = S("ゼ");
    const std::string bytes = "[" + hyo + zo + "]\r\n" + so + ze + "=" + zo + "\r\n[" + ze + "]\r\nk=" + hyo + "\r\n";
    EXPECT_EQ(Read(bytes, hyo + zo, so + ze), zo);
    EXPECT_EQ(Read(bytes, ze, "k"), hyo);
}

TEST(ProfileRead, NamesCompareIgnoringAsciiCaseOnlyAndWhole) {
    const std::string bytes = "[ShadowSec]\r\nShadowX=5\r\n" + S("ＡＢＣ") + "=full\r\n" + S("アイ") + "=kana\r\n";
    EXPECT_EQ(Read(bytes, "shadowsec", "SHADOWX"), "5");
    EXPECT_EQ(Read(bytes, "ShadowSec", "Shadow"), "<default>");
    EXPECT_EQ(Read(bytes, "ShadowSec", S("ａｂｃ")), "<default>");
    EXPECT_EQ(Read(bytes, "ShadowSec", S("ヂツ")), "<default>");
    EXPECT_EQ(Read(bytes, "ShadowSec", S("アイ")), "kana");
}

TEST(ProfileRead, SectionHeaders) {
    EXPECT_EQ(Read("[ S ]\nk=1", "S", "k"), "1");
    EXPECT_EQ(Read("[a]b]\nk=2", "a]b", "k"), "2");
    EXPECT_EQ(Read("[s] trailing text\nk=3", "s", "k"), "3");
    // A "[" line without "]" is an entry of the current section.
    EXPECT_EQ(Read("[s]\n[odd=4\nk=5", "s", "[odd"), "4");
    EXPECT_EQ(Read("[s]\n[odd=4\nk=5", "s", "k"), "5");
    // Lines before the first section belong to none.
    EXPECT_EQ(Read("k=0\n[s]\n", "", "k"), "<default>");
}

TEST(ProfileRead, EntriesCommentsAndBareLines) {
    const std::string bytes = "[s]\n  k = a=b  \n;c=1\n#h=2\nbare\nv=v ; x\n";
    EXPECT_EQ(Read(bytes, "s", "k"), "a=b");
    EXPECT_EQ(Read(bytes, "s", ";c"), "<default>");
    EXPECT_EQ(Read(bytes, "s", "#h"), "2");
    EXPECT_EQ(Read(bytes, "s", "bare"), "<default>");
    EXPECT_EQ(Read(bytes, "s", "v"), "v ; x");
}

TEST(ProfileRead, NulEndsTheNameOrValueItIsIn) {
    const std::string bytes = std::string("[s]\nab\0cd=1\nk=va\0lue\n", 22);
    EXPECT_EQ(Read(bytes, "s", "ab"), "1");
    EXPECT_EQ(Read(bytes, "s", "k"), "va");
}

TEST(ProfileRead, FirstSectionAndFirstKeyWin) {
    const std::string bytes = "[s]\nk=1\nk=2\n[S]\nk=3\nonly=4\n";
    EXPECT_EQ(Read(bytes, "s", "k"), "1");
    EXPECT_EQ(Read(bytes, "s", "only"), "<default>");  // sections of one name are not merged
}

TEST(ProfileRead, QuotesEmptyValuesAndDefaults) {
    const std::string bytes = "[s]\nq=\"  x  \"\nm='a\"\none=\"\nsq='b'\nempty=\n";
    EXPECT_EQ(Read(bytes, "s", "q"), "  x  ");
    EXPECT_EQ(Read(bytes, "s", "m"), "'a\"");
    EXPECT_EQ(Read(bytes, "s", "one"), "\"");
    EXPECT_EQ(Read(bytes, "s", "sq"), "b");
    EXPECT_EQ(Read(bytes, "s", "empty"), "");
    EXPECT_EQ(Read(bytes, "s", "missing", "'dflt'   "), "dflt");
    EXPECT_EQ(Read(bytes, "nosuch", "q", "\" d \""), " d ");
}

TEST(ProfileRead, ResultsStopAt259BytesWithoutSplittingACharacter) {
    const std::string ascii(300, 'x');
    EXPECT_EQ(Read("[s]\nk=" + ascii, "s", "k").size(), 259u);
    const std::string kanji = std::string(258, 'x') + S("漢") + "yy";
    EXPECT_EQ(Read("[s]\nk=" + kanji, "s", "k"), std::string(258, 'x'));
    EXPECT_EQ(Read("", "s", "k", ascii).size(), 259u);
}

TEST(ProfileRead, IntegersFollowTheLeadingNumberRule) {
    const std::string bytes =
        "[s]\na=12abc\nb=abc\nc=-12\nd= 12\ne=+12\nf=1e3\ng=99999999999\nh=\ni=\"7\"\nj=-2147483648\n";
    const ProfileDocument doc = ProfileDocument::Parse(bytes);
    const auto read = [&](const char* key) { return profile::IntResult(doc.Find("s", key), 99); };
    EXPECT_EQ(read("a"), 12);
    EXPECT_EQ(read("b"), 0);
    EXPECT_EQ(read("c"), -12);
    EXPECT_EQ(read("d"), 12);
    EXPECT_EQ(read("e"), 12);
    EXPECT_EQ(read("f"), 1);
    EXPECT_EQ(read("g"), 1215752191);
    EXPECT_EQ(read("h"), 99);
    EXPECT_EQ(read("i"), 7);
    EXPECT_EQ(read("j"), -2147483647 - 1);
    EXPECT_EQ(read("missing"), 99);
}

TEST(ProfileWrite, UpdatesInPlaceKeepingSpellingIndentationAndLineEnds) {
    EXPECT_EQ(AfterSet("[Sec]\n  ShadowX = 5  \r\nY=1", "SEC", "SHADOWX", "7"), "[Sec]\n  ShadowX = 7\r\nY=1");
    EXPECT_EQ(AfterSet("[s]\r\nk=\r\n", "s", "k", "v"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(AfterSet("[s]\r\n  bare  \r\n", "s", "bare", "v"), "[s]\r\n  bare=v\r\n");
}

TEST(ProfileWrite, NewKeysFollowTheLastLineOfTheFirstSection) {
    EXPECT_EQ(AfterSet("[a]\r\nx=1\r\n;note\r\n\r\n[b]\r\n[a]\r\n", "a", "y", "2"),
              "[a]\r\nx=1\r\n;note\r\ny=2\r\n\r\n[b]\r\n[a]\r\n");
    EXPECT_EQ(AfterSet("[a]\nx=1", "a", "y", "2"), "[a]\nx=1\r\ny=2\r\n");
    EXPECT_EQ(AfterSet("[a]", "A", "y", "2"), "[a]\r\ny=2\r\n");
}

TEST(ProfileWrite, NewSectionsGoAtTheEnd) {
    EXPECT_EQ(AfterSet("", "s", "k", "v"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(AfterSet("; only a comment", "s", "k", "v"), "; only a comment\r\n[s]\r\nk=v\r\n");
    EXPECT_EQ(AfterSet("[a]\nx=1\n\n", "s", "k", "v"), "[a]\nx=1\n\n[s]\r\nk=v\r\n");
}

TEST(ProfileWrite, SameValueChangesNothingAndOtherLinesStayByteForByte) {
    const std::string bytes = "junk before\n[a]\r\n\tx=1\r\n;c\n[b]\rk=old\r\n\r\n garbage \n\x81\xFF\n";
    ProfileDocument doc = ProfileDocument::Parse(bytes);
    EXPECT_EQ(doc.Serialize(), bytes);
    EXPECT_FALSE(doc.Set("a", "x", "1"));
    EXPECT_EQ(doc.Serialize(), bytes);
    EXPECT_TRUE(doc.Set("b", "k", "new"));
    std::string expected = bytes;
    expected.replace(expected.find("old"), 3, "new");
    EXPECT_EQ(doc.Serialize(), expected);
    EXPECT_EQ(Read(doc, "b", "k"), "new");
}

TEST(ProfileWrite, RepeatedRewritesReadBackTheLatestValue) {
    ProfileDocument doc = ProfileDocument::Parse("[s]\r\nk=0\r\n");
    for (int i = 1; i <= 50; ++i) doc.Set("s", "k", std::to_string(i));
    EXPECT_EQ(Read(doc, "s", "k"), "50");
    EXPECT_EQ(doc.Serialize(), "[s]\r\nk=50\r\n");
}

TEST(ProfileWrite, KeysThatWouldReadBackAsSomethingElseAreNotStorable) {
    EXPECT_TRUE(ProfileDocument::IsStorableKey(S("氏名")));
    EXPECT_FALSE(ProfileDocument::IsStorableKey(""));
    EXPECT_FALSE(ProfileDocument::IsStorableKey("[x]"));
    EXPECT_FALSE(ProfileDocument::IsStorableKey(";x"));
    EXPECT_FALSE(ProfileDocument::IsStorableKey("a=b"));
}

TEST(ProfileRead, HugeLinesNulsAndBrokenPairsAreReadSafelyAndKept) {
    std::string bytes = "[s]\r\nbig=" + std::string(1 << 20, 'v') + "\r\n";
    bytes += std::string("nul\0=\0\0\r\n", 9);
    bytes += "broken=\x81\r\n\x82\r\n[\x83";  // a lead byte before a line end, and at the very end
    ProfileDocument doc = ProfileDocument::Parse(bytes);
    EXPECT_EQ(doc.Serialize(), bytes);
    EXPECT_EQ(Read(doc, "s", "big").size(), profile::kMaxReadBytes);
    EXPECT_EQ(Read(doc, "s", "nul"), "");
    EXPECT_EQ(Read(doc, "s", "broken"), "\x81");
    EXPECT_TRUE(doc.Set("s", "after", "1"));
    EXPECT_EQ(Read(ProfileDocument::Parse(doc.Serialize()), "s", "after"), "1");
}

TEST(ProfileWrite, SectionsWhoseHeaderWouldReadBackAsAnotherNameAreNotStorable) {
    EXPECT_TRUE(ProfileDocument::IsStorableSection(S("表") + "]x"));
    EXPECT_TRUE(ProfileDocument::IsStorableSection(""));
    EXPECT_FALSE(ProfileDocument::IsStorableSection("\x81"));  // would take "]" as its trail byte
    EXPECT_FALSE(ProfileDocument::IsStorableSection(std::string("a\0b", 3)));
}

TEST(ProfileRead, ASectionFoundOnceReadsAsFindDoes) {
    const std::string bytes = "[c]\r\nk=1\r\nK=2\r\nbare\r\n[C]\r\nk=3\r\nz=4\r\n[d]\r\nk=5\r\n";
    const ProfileDocument doc = ProfileDocument::Parse(bytes);
    const std::size_t c = doc.FindSection("C");
    ASSERT_EQ(c, doc.FindSection("c"));
    EXPECT_EQ(doc.FindSection("e"), ProfileDocument::kNoSection);
    EXPECT_EQ(doc.FindSection(""), ProfileDocument::kNoSection);  // the lines before the first header
    const profile::KeyName k("K"), z("z"), bare("BARE");
    // The same name looked up in turn in several sections: each keeps its own keys.
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(doc.FindIn(c, k).value, "1");
        EXPECT_EQ(doc.FindIn(c, z).kind, Lookup::Kind::Missing);  // the second [C] is never read
        EXPECT_EQ(doc.FindIn(c, bare).kind, Lookup::Kind::NoValue);
        EXPECT_EQ(doc.FindIn(doc.FindSection("d"), k).value, "5");
    }
}

// The document keeps the file's bytes once and indexes sections, not lines: what it holds
// besides the text stays a small part of it (a line index alone would outweigh the text), also
// after many cards have been read.
TEST(ProfileRead, TheIndexCostsAFractionOfTheText) {
    std::string bytes;
    for (int card = 0; card < 2000; ++card) {
        bytes += "[" + std::to_string(10000 + card) + "]\r\n";
        for (const char* item : {"Name", "Reading", "Title", "Group"})
            for (const char* suffix : {"", "Xpos", "Ypos", "PrintPos", "Font", "FontFace"})
                bytes += std::string("1") + item + suffix + "=" + std::to_string(card) + "\r\n";
    }
    ProfileDocument doc = ProfileDocument::Parse(bytes);
    for (int card = 0; card < 2000; ++card)
        ASSERT_EQ(Read(doc, std::to_string(10000 + card), "1groupypos"), std::to_string(card));
    EXPECT_LT(doc.IndexBytes() * 4, doc.HeldBytes());
    // Written sections keep their lines apart; the others stay as read.
    doc.Set("10007", "1NameXpos", "x");
    doc.Set("new", "k", "v");
    EXPECT_EQ(Read(doc, "10007", "1NameXpos"), "x");
    EXPECT_EQ(Read(doc, "10008", "1NameXpos"), "8");
    EXPECT_LT(doc.IndexBytes() * 4, doc.HeldBytes());
    EXPECT_EQ(ProfileDocument::Parse(doc.Serialize()).Serialize(), doc.Serialize());
}

// The first read of a section looks through its lines; reads after it use the section's index.
// Both find the same: the first of repeated keys, names without ASCII case, bare keys, nothing for
// comments, also once the section has been written.
TEST(ProfileRead, AKeyReadsAlikeLookedThroughOnceAndIndexedAfter) {
    const std::string bytes = "[c]\r\nk=1\r\nK=2\r\n;z=c\r\nbare\r\n" + S("表") + "=x\r\n  Key2 = v \r\n[d]\r\nk=5\r\n";
    for (const bool written : {false, true}) {
        for (const std::string& name : {std::string("K"), std::string("bare"), S("表"), std::string("key2"),
                                        std::string("z"), std::string(";z"), std::string("missing")}) {
            ProfileDocument doc = ProfileDocument::Parse(bytes);
            if (written) doc.Set("c", "new", "1");
            const std::size_t c = doc.FindSection("c");
            const profile::KeyName key(name);
            const Lookup first = doc.FindIn(c, key), again = doc.FindIn(c, key);
            EXPECT_EQ(first.kind, again.kind) << name;
            EXPECT_EQ(first.value, again.value) << name;
        }
    }
    const ProfileDocument doc = ProfileDocument::Parse(bytes);
    EXPECT_EQ(Read(doc, "c", "K"), "1");
    EXPECT_EQ(Read(doc, "c", "key2"), "v");
    EXPECT_EQ(doc.FindIn(doc.FindSection("c"), profile::KeyName("BARE")).kind, Lookup::Kind::NoValue);
    EXPECT_EQ(doc.FindIn(doc.FindSection("c"), profile::KeyName("z")).kind, Lookup::Kind::Missing);
}

// A list of cards reads one key of each card once: no card's keys are indexed for it.
TEST(ProfileRead, SectionsReadOnceAreNotIndexed) {
    std::string bytes;
    for (int card = 0; card < 500; ++card)
        bytes += "[" + std::to_string(card) + "]\r\nName=n\r\nXpos=1\r\nYpos=2\r\nFont=-16\r\n";
    const ProfileDocument doc = ProfileDocument::Parse(bytes);
    const std::size_t before = doc.IndexBytes();
    for (int card = 0; card < 500; ++card) ASSERT_EQ(Read(doc, std::to_string(card), "name"), "n");
    EXPECT_EQ(doc.IndexBytes(), before);
    EXPECT_EQ(Read(doc, "499", "ypos"), "2");  // read again while still remembered: now indexed
    EXPECT_GT(doc.IndexBytes(), before);
}
