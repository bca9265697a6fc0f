#include <gtest/gtest.h>

#include <string>

#include "lists/text_encoding.h"
#include "tests/support/temp_home.h"

namespace {

EncodingGuess Detect(std::string_view bytes) {
    ListError error;
    const auto guess = DetectEncoding(bytes, error);
    EXPECT_TRUE(guess.has_value()) << error.message;
    return guess.value_or(EncodingGuess{});
}

std::string Decode(std::string_view bytes, TextEncoding encoding) {
    std::string text;
    ListError error;
    EXPECT_TRUE(DecodeText(bytes, encoding, text, error)) << error.message;
    return text;
}

}  // namespace

TEST(TextEncoding, AByteOrderMarkDecides) {
    EXPECT_EQ(Detect("\xEF\xBB\xBF氏名").encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(Detect("\xFF\xFE" "A\0" "B\0").encoding, TextEncoding::Utf16Le);
    EXPECT_EQ(Detect("\xFE\xFF" "\0A" "\0B").encoding, TextEncoding::Utf16Be);
    EXPECT_EQ(Decode("\xFF\xFE\x0F\x6C\x0D\x54", TextEncoding::Utf16Le), "氏名");
    EXPECT_EQ(Decode("\xFE\xFF\x6C\x0F\x54\x0D", TextEncoding::Utf16Be), "氏名");
    EXPECT_EQ(Decode("\xEF\xBB\xBF氏名", TextEncoding::Utf8Bom), "氏名");
    // A character beyond the basic plane, as a surrogate pair.
    EXPECT_EQ(Decode("\xFF\xFE\x42\xD8\xB7\xDF", TextEncoding::Utf16Le), "𠮷");
}

TEST(TextEncoding, WithoutAMarkTheOnlyValidReadingIsTaken) {
    // "山田,営業" in code page 932 is not valid UTF-8.
    const std::string cp932 = S("山田,営業\r\n");
    const EncodingGuess fromCp932 = Detect(cp932);
    EXPECT_EQ(fromCp932.encoding, TextEncoding::Cp932);
    EXPECT_FALSE(fromCp932.ambiguous);
    EXPECT_EQ(Decode(cp932, TextEncoding::Cp932), "山田,営業\r\n");

    // Hiragana in UTF-8 ("あ" is E3 81 82) leave a lead byte without its trail in code page 932.
    const EncodingGuess fromUtf8 = Detect("やまだ,営業\r\n");
    EXPECT_EQ(fromUtf8.encoding, TextEncoding::Utf8);
    EXPECT_FALSE(fromUtf8.ambiguous);

    EXPECT_EQ(Detect("Name,Title\r\n").encoding, TextEncoding::Utf8);
    EXPECT_FALSE(Detect("Name,Title\r\n").ambiguous);
}

TEST(TextEncoding, BytesValidInBothAreReadAsUtf8AndFlagged) {
    // "é" in UTF-8 is "ﾃｩ" in code page 932.
    const EncodingGuess guess = Detect("\xC3\xA9");
    EXPECT_EQ(guess.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(guess.ambiguous);
}

TEST(TextEncoding, NeitherEncodingIsRefusedWithWhereEachFails) {
    ListError error;
    // Line 2 has a lone 0xFF (never valid in CP932 or UTF-8) after two characters.
    const std::string bytes = "a,b\r\nxy\xFFz\r\n";
    EXPECT_FALSE(DetectEncoding(bytes, error).has_value());
    EXPECT_NE(error.message.find("UTF-8: 2 行 3 列"), std::string::npos) << error.message;
    EXPECT_NE(error.message.find("CP932: 2 行 3 列"), std::string::npos) << error.message;

    EXPECT_FALSE(DetectEncoding(std::string("a,b\0c", 5), error).has_value());
    EXPECT_EQ(error.message, "テキストの名簿ではありません");
}

TEST(TextEncoding, AForcedEncodingThatDoesNotFitNamesTheLineAndColumn) {
    std::string text;
    ListError error;
    EXPECT_FALSE(DecodeText("ok\nok\r\nab" + S("営"), TextEncoding::Utf8, text, error));
    EXPECT_EQ(error.line, 3u);
    EXPECT_EQ(error.column, 3u);

    EXPECT_FALSE(DecodeText(S("氏名\r\n山") + "\xA0", TextEncoding::Cp932, text, error));
    EXPECT_EQ(error.line, 2u);
    EXPECT_EQ(error.column, 2u);

    // An unpaired surrogate on line 2, and an odd byte count.
    EXPECT_FALSE(DecodeText(std::string("\xFF\xFE" "a\0\n\0b\0\x00\xD8", 10), TextEncoding::Utf16Le, text, error));
    EXPECT_EQ(error.line, 2u);
    EXPECT_EQ(error.column, 2u);
    EXPECT_FALSE(DecodeText(std::string("\xFF\xFE" "a\0b", 5), TextEncoding::Utf16Le, text, error));
    EXPECT_EQ(error.column, 2u);
}
