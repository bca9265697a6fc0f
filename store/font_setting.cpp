#include "store/font_setting.h"

#include <iterator>
#include <vector>

#include "store/codec.h"
#include "store/cp932.h"

namespace {

constexpr std::size_t kFontNumbers = 14;

std::string FontKey(std::string_view prefix) { return std::string(prefix) + "Font"; }
std::string FaceKey(std::string_view prefix) { return std::string(prefix) + "FontFace"; }

// The font as the stored texts give it (see CFontSetting::Load).
bool FontFrom(const std::string& text, const std::string& face, LogFont& font, ColorRef& color) {
    if (text.empty()) return false;

    // Numbers after the fourteenth are ignored (older files store two more). A field whose
    // number is missing keeps the value the caller passed in.
    const std::vector<std::int32_t> numbers = LeadingNumbers(text, kFontNumbers);
    std::int32_t* const wide[] = {&font.lfHeight, &font.lfWidth, &font.lfEscapement, &font.lfOrientation,
                                  &font.lfWeight};
    std::uint8_t* const narrow[] = {&font.lfItalic,   &font.lfUnderline,    &font.lfStrikeOut,     &font.lfCharSet,
                                    &font.lfOutPrecision, &font.lfClipPrecision, &font.lfQuality, &font.lfPitchAndFamily};
    constexpr std::size_t kWide = std::size(wide);
    constexpr std::size_t kNarrow = std::size(narrow);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i < kWide)
            *wide[i] = numbers[i];
        else if (i < kWide + kNarrow)
            *narrow[i - kWide] = static_cast<std::uint8_t>(numbers[i] & 0xFF);
        else
            color = static_cast<ColorRef>(numbers[i]);
    }
    font.lfFaceName = std::string(cp932::CutToBytes(face, kMaxFaceNameBytes));
    return true;
}

bool LoadFrom(const ProfileFile& file, std::string_view section, std::string_view prefix, LogFont& font,
              ColorRef& color) {
    return FontFrom(file.ReadString(section, FontKey(prefix), kDefaultFontRecord),
                    file.ReadString(section, FaceKey(prefix), DefaultFaceName()), font, color);
}

// The fourteen numbers: byte fields as 0-255, the colour as the signed decimal of its 32 bits.
std::string FontRecordText(const LogFont& font, ColorRef color) {
    const std::int32_t numbers[kFontNumbers] = {
        font.lfHeight,    font.lfWidth,       font.lfEscapement,    font.lfOrientation, font.lfWeight,
        font.lfItalic,    font.lfUnderline,   font.lfStrikeOut,     font.lfCharSet,     font.lfOutPrecision,
        font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily, static_cast<std::int32_t>(color)};
    std::string text;
    for (const std::int32_t number : numbers) {
        if (!text.empty()) text += ' ';
        text += std::to_string(number);
    }
    return text;
}

bool SaveTo(const ProfileFile& file, std::string_view section, std::string_view prefix, const LogFont& font,
            ColorRef color) {
    const bool record = file.WriteString(section, FontKey(prefix), FontRecordText(font, color));
    const bool face = file.WriteString(section, FaceKey(prefix), cp932::CutToBytes(font.lfFaceName, kMaxFaceNameBytes));
    return record && face;
}

}  // namespace

const std::string& DefaultFaceName() {
    static const std::string face = codec::Sjis("ＭＳ ゴシック");
    return face;
}

LogFont DefaultItemFont() {
    LogFont font;
    ColorRef color = 0;
    LoadFrom(ProfileFile(), "", "", font, color);  // no file: every key reads as its default
    return font;
}

bool CFontSetting::Load(std::string_view section, std::string_view keyPrefix, LogFont& font, ColorRef& color,
                        std::string_view recordPath) {
    return LoadFrom(RecordOrSettings(recordPath), section, keyPrefix, font, color);
}

bool CFontSetting::Load(const SectionReader& card, const FontKeys& keys, LogFont& font, ColorRef& color) {
    return FontFrom(card.ReadString(keys.font, kDefaultFontRecord), card.ReadString(keys.face, DefaultFaceName()), font,
                    color);
}

CFontSetting::FontKeys::FontKeys(std::string_view keyPrefix) : font(FontKey(keyPrefix)), face(FaceKey(keyPrefix)) {}

bool CFontSetting::LoadFromSettings(std::string_view section, std::string_view keyPrefix, LogFont& font,
                                    ColorRef& color) {
    return LoadFrom(SettingsProfile(), section, keyPrefix, font, color);
}

bool CFontSetting::Save(std::string_view section, std::string_view keyPrefix, const LogFont& font, ColorRef color,
                        std::string_view recordPath) {
    return SaveTo(RecordOrSettings(recordPath), section, keyPrefix, font, color);
}

bool CFontSetting::SaveToSettings(std::string_view section, std::string_view keyPrefix, const LogFont& font,
                                  ColorRef color) {
    return SaveTo(SettingsProfile(), section, keyPrefix, font, color);
}
