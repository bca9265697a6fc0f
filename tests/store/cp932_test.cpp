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

namespace {

std::string Utf8Of(const std::u16string& utf16) {
    std::string out;
    for (const char16_t unit : utf16) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

// Stored text for display as iconv converts it: the whole text when it converts, else character
// by character with U+FFFD for each that does not.
std::string ThroughIconv(std::string_view text) {
    std::string utf8, piece;
    if (codec::Cp932ToUtf8(text, utf8)) return utf8;
    utf8.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = cp932::CharLength(text, pos);
        utf8 += codec::Cp932ToUtf8(text.substr(pos, length), piece) ? piece : "\xEF\xBF\xBD";
        pos += length;
    }
    return utf8;
}

std::string ThroughTable(std::string_view text) {
    std::u16string utf16;
    codec::Cp932ToUtf16(text, utf16);
    return Utf8Of(utf16);
}

}  // namespace

TEST(Codec, TheDisplayTableConvertsEveryCharacterAsIconvDoes) {
    for (unsigned first = 0; first < 0x100; ++first) {
        const std::string single(1, static_cast<char>(first));
        ASSERT_EQ(ThroughTable(single), ThroughIconv(single)) << first;
        for (unsigned second = 0; second < 0x100; ++second) {
            const std::string pair = single + static_cast<char>(second);
            ASSERT_EQ(ThroughTable(pair), ThroughIconv(pair)) << first << " " << second;
        }
    }
    // Vendor codes stay as they are; broken bytes in a text become U+FFFD one by one.
    for (const std::string& text : {std::string("\xEE\xE0\xFB\xFC\x87\x40"), S("山田 太郎") + "\x81" + S("様"),
                                    std::string("a\x81\x7F\xFD\x80\xA0z"), S("ゼミ室Ｂ") + "\x9F"}) {
        EXPECT_EQ(ThroughTable(text), ThroughIconv(text));
    }
    EXPECT_EQ(ThroughTable("\x81"), "\xEF\xBF\xBD");
}
