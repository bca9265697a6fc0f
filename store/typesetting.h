#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/profiles.h"
#include "store/section_reader.h"

// How an item's text is set beyond its position and decoration: fitted to a width, vertical,
// as a QR code, and (for the name) with its reading as ruby. Stored per slot S and item I as
// S + I + suffix in the card section; a card without these keys is set as plain text.

namespace typesetting {

inline constexpr std::string_view kFitWidth = "FitWidth";    // hundredths of an inch; 0 = off
inline constexpr std::string_view kFitMin = "FitMin";        // smallest horizontal scale, percent
inline constexpr std::string_view kVertical = "Vertical";    // 1 = top to bottom
inline constexpr std::string_view kQr = "QR";                // 1 = the text as a QR code
inline constexpr std::string_view kQrSize = "QRSize";        // side, hundredths of an inch
inline constexpr std::string_view kQrLevel = "QRLevel";      // "L", "M", "Q" or "H"
inline constexpr std::string_view kRuby = "Ruby";            // name item: 1 = reading as ruby
inline constexpr std::string_view kRubySize = "RubySize";    // percent of the name's height
inline constexpr std::string_view kWrap = "Wrap";            // 1 = a fitted text may take a second line

inline constexpr std::int32_t kDefaultFitMin = 50;
inline constexpr std::int32_t kMinFitMin = 10;
inline constexpr std::int32_t kDefaultQrSize = 80;
inline constexpr std::int32_t kMaxQrSize = 1000;  // ten inches
inline constexpr std::int32_t kDefaultRubySize = 40;

}  // namespace typesetting

struct ItemTypesetting {
    std::int32_t fitWidth = 0;  // 0 = no fitting
    std::int32_t fitMin = typesetting::kDefaultFitMin;
    bool vertical = false;
    bool qr = false;
    std::int32_t qrSize = typesetting::kDefaultQrSize;
    char qrLevel = 'M';
    bool ruby = false;
    std::int32_t rubySize = typesetting::kDefaultRubySize;
    bool wrap = false;

    bool operator==(const ItemTypesetting& other) const;
};

// Reads the keys of item I, bringing stored values into range: a width of 0 or less is off, the
// smallest scale lies in 10…100, a QR size of 0 or less is the default and at most ten inches,
// an unknown level is "M", a ruby size lies in 10…100.
ItemTypesetting ReadItemTypesetting(const RecordProfile& record, std::string_view section, std::string_view slot,
                                    std::string_view item);
// The keys of item I in slot S, named once for the cards of a drawing.
struct TypesettingKeys {
    TypesettingKeys(std::string_view slot, std::string_view item);
    profile::KeyName fitWidth, fitMin, vertical, qr, qrSize, qrLevel, ruby, rubySize, wrap;
};
// The same as the reading above, from a card read key by key.
ItemTypesetting ReadItemTypesetting(const SectionReader& card, const TypesettingKeys& keys);
// Writes all keys of item I (the ruby keys only for the name item) and flushes the file.
bool WriteItemTypesetting(const RecordProfile& record, std::string_view section, std::string_view slot,
                          std::string_view item, const ItemTypesetting& values);
