#include <gtest/gtest.h>

#include "store/codec.h"
#include "store/cp932.h"
#include "tests/support/temp_home.h"

TEST(Cp932, TrailBytesAreNeverSyntaxOrFolded) {
    const std::string so = "\x83\x5C";  // ソ: its trail byte is a backslash
    EXPECT_EQ(cp932::FindChar(so + "\\", '\\'), 2u);
    EXPECT_EQ(cp932::FindLastChar("a]" + std::string("\x83\x5D"), ']'), 1u);  // ゾ ends in "]"
    EXPECT_EQ(cp932::FoldAsciiCase("AB\x83\x41"), "ab\x83\x41");                // ア keeps its trail "A"
    EXPECT_EQ(cp932::TrimBlanks(" \t\x1A x \r\n"), "x");
}

TEST(Cp932, CutNeverSplitsADoubleByteCharacter) {
    const std::string text = "ab" + S("漢字");
    EXPECT_EQ(cp932::CutToBytes(text, 3), "ab");
    EXPECT_EQ(cp932::CutToBytes(text, 4), "ab" + S("漢"));
    EXPECT_EQ(cp932::CutToBytes(text, 100), text);
    // A stray lead byte at the end stands alone and can be cut after.
    EXPECT_EQ(cp932::CutToBytes("a\x81", 2), "a\x81");
}

TEST(Codec, RoundTripsJapaneseIncludingVendorCodes) {
    std::string sjis, utf8;
    ASSERT_TRUE(codec::Utf8ToCp932("髙①～氏名", sjis));
    EXPECT_EQ(sjis, "\xFB\xFC\x87\x40\x81\x60\x8E\x81\x96\xBC");
    ASSERT_TRUE(codec::Cp932ToUtf8(sjis, utf8));
    EXPECT_EQ(utf8, "髙①～氏名");
}

TEST(Codec, ReportsWhatTheOtherSideCannotHold) {
    std::string out;
    EXPECT_FALSE(codec::Utf8ToCp932("emoji 😀", out));
    EXPECT_FALSE(codec::Utf8ToCp932("ä", out));
    EXPECT_FALSE(codec::Cp932ToUtf8("\x81", out));  // a lead byte without its trail byte
    EXPECT_TRUE(codec::IsValidUtf8("ascii and 漢字"));
    EXPECT_FALSE(codec::IsValidUtf8("\x8E\x81"));
    EXPECT_FALSE(codec::IsValidUtf8("\xE6\xBC"));          // cut short
    EXPECT_FALSE(codec::IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(codec::IsValidUtf8("\xC0\xAF"));          // overlong
}
