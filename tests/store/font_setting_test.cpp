#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <tuple>

#include "store/color_setting.h"
#include "store/font_setting.h"
#include "store/locations.h"
#include "tests/support/temp_home.h"

namespace {

auto Fields(const LogFont& f) {
    return std::tie(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
                    f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily,
                    f.lfFaceName);
}

// A font whose every field differs from what any stored text below would give.
LogFont Sentinel() { return LogFont{77, 77, 77, 77, 77, 99, 99, 99, 99, 99, 99, 99, 99, "Sentinel"}; }

class FontSettingTest : public TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        recordFs_ = PathOf("rec.ini");
        ASSERT_TRUE(locations::FsPathToStored(recordFs_, record_));
    }
    std::string recordFs_;
    std::string record_;  // the stored path
};

}  // namespace

TEST_F(FontSettingTest, StoresTheDefaultFontChangedToBoldItalicBlueAsFourteenNumbers) {
    LogFont font;
    ColorRef color = 7;
    ASSERT_TRUE(CFontSetting::Load("0000", S("1氏名"), font, color, record_));
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfFaceName, S("ＭＳ ゴシック"));
    EXPECT_EQ(color, 0u);

    font.lfHeight = -24;
    font.lfWeight = 700;
    font.lfItalic = 1;
    EXPECT_TRUE(CFontSetting::Save("0000", S("1氏名"), font, Rgb(0, 0, 255), record_));
    EXPECT_TRUE(ProfileFile(recordFs_).Flush());
    EXPECT_EQ(ReadBytes(recordFs_), S("[0000]\r\n1氏名Font=-24 0 0 0 700 1 0 0 128 3 2 1 49 16711680\r\n"
                                      "1氏名FontFace=ＭＳ ゴシック\r\n"));
    EXPECT_FALSE(std::filesystem::exists(locations::SettingsFilePath()));
}

TEST_F(FontSettingTest, AnEmptyRecordPathMeansTheSettingsFile) {
    LogFont font = Sentinel();
    EXPECT_TRUE(CFontSetting::Save("Default", "1x", font, 5, ""));
    EXPECT_TRUE(SettingsProfile().Flush());
    EXPECT_EQ(ReadBytes(locations::SettingsFilePath()),
              "[Default]\r\n1xFont=77 77 77 77 77 99 99 99 99 99 99 99 99 5\r\n1xFontFace=Sentinel\r\n");
    LogFont back;
    ColorRef color = 0;
    EXPECT_TRUE(CFontSetting::LoadFromSettings("Default", "1x", back, color));
    EXPECT_EQ(Fields(back), Fields(font));
    EXPECT_EQ(color, 5u);
    EXPECT_FALSE(std::filesystem::exists(recordFs_));
}

TEST_F(FontSettingTest, ReadsFourteenNumbersAndKeepsFieldsWhoseNumbersAreMissing) {
    WriteBytes(locations::SettingsFilePath(),
               "[s]\r\n"
               "aFont=1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\r\n"
               "bFont=-20 0 3 x 9\r\nbFontFace=Face\r\n"
               "cFont=99999999999 0 0 0 0 -1 257 0 0 0 0 0 0 -16777216\r\n"
               "emptyFont=\r\n");
    LogFont font = Sentinel();
    ColorRef color = 5;
    ASSERT_TRUE(CFontSetting::LoadFromSettings("s", "a", font, color));
    EXPECT_EQ(std::make_tuple(font.lfHeight, font.lfWeight, font.lfItalic, font.lfPitchAndFamily), std::make_tuple(1, 5, 6, 13));
    EXPECT_EQ(color, 14u);
    EXPECT_EQ(font.lfFaceName, DefaultFaceName());

    font = Sentinel();
    color = 5;
    ASSERT_TRUE(CFontSetting::LoadFromSettings("s", "b", font, color));
    EXPECT_EQ(Fields(font), Fields(LogFont{-20, 0, 3, 77, 77, 99, 99, 99, 99, 99, 99, 99, 99, "Face"}));
    EXPECT_EQ(color, 5u);

    ASSERT_TRUE(CFontSetting::LoadFromSettings("s", "c", font, color));
    EXPECT_EQ(font.lfHeight, 1215752191);  // 32-bit wrap
    EXPECT_EQ(font.lfItalic, 255);         // low bytes
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(color, 0xFF000000u);

    font = Sentinel();
    color = 5;
    EXPECT_FALSE(CFontSetting::LoadFromSettings("s", "empty", font, color));
    EXPECT_EQ(Fields(font), Fields(Sentinel()));
    EXPECT_EQ(color, 5u);
}

TEST_F(FontSettingTest, EveryFieldSurvivesARoundTrip) {
    const LogFont font{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 900, -450,
                       700, 1, 200, 255, 128, 3, 130, 4, 49, S("ＭＳ Ｐ明朝")};
    const ColorRef color = 0xFFFFFFFFu;
    ASSERT_TRUE(CFontSetting::Save("0001", "2", font, color, record_));
    ASSERT_TRUE(ProfileFile(recordFs_).Flush());
    LogFont back;
    ColorRef backColor = 0;
    ASSERT_TRUE(CFontSetting::Load("0001", "2", back, backColor, record_));
    EXPECT_EQ(Fields(back), Fields(font));
    EXPECT_EQ(backColor, color);
}

TEST_F(FontSettingTest, LongFaceNamesAreCutWithoutSplittingACharacter) {
    std::string kanji;
    for (int i = 0; i < 16; ++i) kanji += S("漢");
    WriteBytes(locations::SettingsFilePath(), "[s]\r\naFontFace=A" + kanji + "\r\nbFontFace=" + kanji + "\r\n");
    LogFont font;
    ColorRef color = 0;
    ASSERT_TRUE(CFontSetting::LoadFromSettings("s", "a", font, color));
    EXPECT_EQ(font.lfFaceName, "A" + kanji.substr(0, 30));
    ASSERT_TRUE(CFontSetting::LoadFromSettings("s", "b", font, color));
    EXPECT_EQ(font.lfFaceName, kanji.substr(0, 30));
}

TEST_F(FontSettingTest, TextColoursFollowTheirFirstCharacter) {
    WriteBytes(locations::SettingsFilePath(),
               "[c]\r\nplain= 255 0 0\r\nspaced=\" 0 0 255\"\r\nbytes=\" 256 511 -1\"\r\nshort=\" 1 2\"\r\n"
               "minus=-1\r\nhex=0x0000FF\r\noctal=010\r\nword=red\r\n");
    const auto load = [](const char* key) {
        ColorRef color = 42;
        EXPECT_TRUE(CColorSetting::LoadTextFromSettings("c", key, color, 1, 2, 3));
        return color;
    };
    EXPECT_EQ(load("plain"), 255u);
    EXPECT_EQ(load("spaced"), Rgb(0, 0, 255));
    EXPECT_EQ(load("bytes"), Rgb(0, 255, 255));
    EXPECT_EQ(load("short"), 42u);
    EXPECT_EQ(load("minus"), 42u);
    EXPECT_EQ(load("hex"), 255u);
    EXPECT_EQ(load("octal"), 8u);
    EXPECT_EQ(load("word"), 42u);
    EXPECT_EQ(load("missing"), Rgb(1, 2, 3));
}

TEST_F(FontSettingTest, ColoursAreStoredAsSignedDecimals) {
    ColorRef color = 0;
    EXPECT_TRUE(CColorSetting::LoadFromRecord("s", "k", color, Rgb(10, 20, 30), record_));
    EXPECT_EQ(color, Rgb(10, 20, 30));
    EXPECT_TRUE(CColorSetting::SaveToRecord("s", "k", 0xFFFFFFFFu, record_));
    EXPECT_TRUE(CColorSetting::SaveToRecord("s", "k", Rgb(0, 0, 255), ""));
    EXPECT_TRUE(CColorSetting::SaveToSettings("s", "n", Rgb(255, 0, 0)));
    EXPECT_TRUE(ProfileFile(recordFs_).Flush());
    EXPECT_TRUE(SettingsProfile().Flush());
    EXPECT_EQ(ReadBytes(recordFs_), "[s]\r\nk=-1\r\n");
    EXPECT_EQ(ReadBytes(locations::SettingsFilePath()), "[s]\r\nk=16711680\r\nn=255\r\n");
    EXPECT_TRUE(CColorSetting::LoadFromRecord("s", "k", color, 0, record_));
    EXPECT_EQ(color, 0xFFFFFFFFu);
    EXPECT_EQ(SettingsProfile().ReadInt("s", "k", 0), static_cast<std::int32_t>(Rgb(0, 0, 255)));
}
