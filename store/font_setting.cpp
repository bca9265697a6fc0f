#include "store/font_setting.h"

#include <iterator>
#include <vector>

#include "store/codec.h"
#include "store/cp932.h"

namespace {

std::string FontKey(std::string_view prefix) { return std::string(prefix) + "Font"; }
std::string FaceKey(std::string_view prefix) { return std::string(prefix) + "FontFace"; }

// Puts the numbers of a font record and the face into font and color; returns how many numbers
// the record gives. Numbers after the fourteenth are ignored (older files store two more).
std::size_t ParseFontRecord(std::string_view text, std::string_view face, LogFont& font, ColorRef& color) {
    const std::vector<std::int32_t> numbers = LeadingNumbers(text, StoredFont::kNumbers);
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
    return numbers.size();
}

// The font as the stored texts give it (see StoredFont).
StoredFont FontFrom(const std::string& text, const std::string& face) {
    StoredFont stored;
    stored.set = !text.empty();
    if (stored.set) stored.numbers = ParseFontRecord(text, face, stored.font, stored.color);
    return stored;
}

// The stored font put over font and color: false, with both untouched, when its text is empty.
bool PutFont(const StoredFont& stored, LogFont& font, ColorRef& color) {
    stored.PutOver(font, color);
    return stored.set;
}

bool LoadFrom(const ProfileFile& file, std::string_view section, std::string_view prefix, LogFont& font,
              ColorRef& color) {
    return PutFont(FontFrom(file.ReadString(section, FontKey(prefix), kDefaultFontRecord),
                            file.ReadString(section, FaceKey(prefix), DefaultFaceName())),
                   font, color);
}

// The fourteen numbers: byte fields as 0-255, the colour as the signed decimal of its 32 bits.
std::string FontRecordText(const LogFont& font, ColorRef color) {
    const std::int32_t numbers[StoredFont::kNumbers] = {
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
    static const LogFont font = [] {
        LogFont record;
        ColorRef color = 0;
        ParseFontRecord(kDefaultFontRecord, DefaultFaceName(), record, color);
        return record;
    }();
    return font;
}

void StoredFont::PutOver(LogFont& inForce, ColorRef& colorInForce) const {
    if (!set) return;
    std::int32_t LogFont::* const wide[] = {&LogFont::lfHeight, &LogFont::lfWidth, &LogFont::lfEscapement,
                                             &LogFont::lfOrientation, &LogFont::lfWeight};
    std::uint8_t LogFont::* const narrow[] = {&LogFont::lfItalic,       &LogFont::lfUnderline,
                                               &LogFont::lfStrikeOut,    &LogFont::lfCharSet,
                                               &LogFont::lfOutPrecision, &LogFont::lfClipPrecision,
                                               &LogFont::lfQuality,      &LogFont::lfPitchAndFamily};
    constexpr std::size_t kWide = std::size(wide);
    constexpr std::size_t kNarrow = std::size(narrow);
    for (std::size_t i = 0; i < numbers && i < kWide + kNarrow; ++i) {
        if (i < kWide)
            inForce.*wide[i] = font.*wide[i];
        else
            inForce.*narrow[i - kWide] = font.*narrow[i - kWide];
    }
    if (numbers == kNumbers) colorInForce = color;
    inForce.lfFaceName = font.lfFaceName;
}

bool CFontSetting::Load(std::string_view section, std::string_view keyPrefix, LogFont& font, ColorRef& color,
                        std::string_view recordPath) {
    return LoadFrom(RecordOrSettings(recordPath), section, keyPrefix, font, color);
}

StoredFont CFontSetting::Read(const SectionReader& card, const FontKeys& keys) {
    return FontFrom(card.ReadString(keys.font, kDefaultFontRecord), card.ReadString(keys.face, DefaultFaceName()));
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
