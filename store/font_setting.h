#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/color_setting.h"
#include "store/section_reader.h"

// The platform's logical-font record. The face name is code page 932 text of at most
// kMaxFaceNameBytes bytes.
struct LogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;
};

inline constexpr std::size_t kMaxFaceNameBytes = 31;

// The font of an item or decoration that has none stored.
inline constexpr std::string_view kDefaultFontRecord = "-16 0 0 0 400 0 0 0 128 3 2 1 49 0";
// "ＭＳ ゴシック" in code page 932.
const std::string& DefaultFaceName();
// kDefaultFontRecord with DefaultFaceName(), as a record.
LogFont DefaultItemFont();

// A font as a card stores it, before it is put over the font in force where it is drawn: a record
// of fewer than fourteen numbers leaves the remaining fields (and the colour) as they are there.
// Missing keys give the default font in black.
struct StoredFont {
    static constexpr std::size_t kNumbers = 14;  // thirteen fields, then the colour

    bool set = true;  // false when the font text is stored empty: the font in force, in black
    LogFont font = DefaultItemFont();
    std::size_t numbers = kNumbers;  // how many numbers the record gives
    ColorRef color = 0;

    // The font and colour put over those in force; both unchanged when the font is not set.
    void PutOver(LogFont& inForce, ColorRef& colorInForce) const;
};

// The font a card gets from registered defaults while none is registered.
inline constexpr std::string_view kRegisteredFontRecord = "-13 0 0 0 400 0 0 0 128 1 2 1 1 0 0 0";
inline constexpr std::string_view kRegisteredFaceName = "FixedSys";

// A font and its text colour, stored under prefix + "Font" as fourteen numbers (the record's
// fields in order, then the colour) and under prefix + "FontFace" as the face name. The file is
// the record file at the given stored path, or the settings file when the path is empty. Nothing
// is flushed: callers flush after their group of writes.
class CFontSetting {
public:
    // False, with font and colour untouched, when the stored font text is empty. A missing key
    // gives the default font.
    static bool Load(std::string_view section, std::string_view keyPrefix, LogFont& font, ColorRef& color,
                     std::string_view recordPath);
    // The same from a card read key by key: the keys of one prefix, named once.
    struct FontKeys {
        explicit FontKeys(std::string_view keyPrefix);
        profile::KeyName font, face;
    };
    static StoredFont Read(const SectionReader& card, const FontKeys& keys);
    static bool LoadFromSettings(std::string_view section, std::string_view keyPrefix, LogFont& font,
                                 ColorRef& color);
    // True when both keys were written.
    static bool Save(std::string_view section, std::string_view keyPrefix, const LogFont& font, ColorRef color,
                     std::string_view recordPath);
    static bool SaveToSettings(std::string_view section, std::string_view keyPrefix, const LogFont& font,
                               ColorRef color);
};
