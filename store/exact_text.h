#pragma once

#include <string>
#include <string_view>
#include <vector>


// Texts beyond code page 932 (𠮷, IVS variants, JIS X 0213 kanji), kept beside the stored text
// so that record files stay code page 932 and open as before in programs that know only it.
//
// An item I whose text code page 932 cannot hold is stored twice in its card section: the key I
// holds the text with 〓 in place of each such character (what those programs show), and the key
// I + "Unicode" the exact text: code page 932 where it can, every other character as "&#xHEX;"
// (its code point in hexadecimal), and an "&" that would start such an escape as "&#x26;". The
// exact key counts only while the key I still reads as its 〓 form, so that an edit made elsewhere
// to I wins.
//
// In memory the program keeps an item's text in that exact form: the stored text itself whenever
// code page 932 holds all of it.
namespace exact_text {

inline constexpr std::string_view kKeySuffix = "Unicode";

// The key that keeps the exact text of an item.
std::string KeyOf(std::string_view item);
// Whether a key is the exact-text key of some item, given the key's item.
bool IsKeyOf(std::string_view key, std::string_view item);

// UTF-8 text in Unicode's composed form (NFC); text that is not UTF-8 is returned as it is.
std::string Nfc(std::string_view utf8);
// The exact form of UTF-8 text, normalised to NFC first (か + U+3099 is が); false when the text
// is not UTF-8.
bool FromUtf8(std::string_view utf8, std::string& exact);
// The exact form as UTF-8 and as UTF-16; bytes that are not code page 932, and NUL, become U+FFFD.
std::string ToUtf8(std::string_view exact);
std::u16string ToUtf16(std::string_view exact);
// What the item key holds: each escaped character as 〓.
std::string Plain(std::string_view exact);
// Whether the text needs the exact key beside the item key.
bool HasEscapes(std::string_view exact);
// The characters of the exact form in order: where each starts, and its code point when it is
// escaped (0 for a code page 932 character).
struct Character {
    std::size_t start = 0;
    char32_t escaped = 0;
};
std::vector<Character> Characters(std::string_view exact);

// The exact form of an item as stored, from its item key and its exact key.
std::string FromStored(std::string_view itemText, std::string_view exactKeyText);

// The text of an item in a card section of a profile (a ProfileFile or the RecordProfile), in
// exact form.
template <typename Profile>
std::string Read(const Profile& profile, std::string_view section, std::string_view item) {
    return FromStored(profile.ReadFullString(section, item, ""), profile.ReadFullString(section, KeyOf(item), ""));
}
// Writes an item's text in exact form: its plain form to the item key, and the exact key when it
// is needed (emptied when it was there and is needed no longer). Not flushed.
template <typename Profile>
bool Write(const Profile& profile, std::string_view section, std::string_view item, std::string_view exact) {
    bool written = profile.WriteString(section, item, Plain(exact));
    const std::string key = KeyOf(item);
    if (HasEscapes(exact))
        written = profile.WriteString(section, key, exact) && written;
    else if (!profile.ReadFullString(section, key, "").empty())
        written = profile.WriteString(section, key, "") && written;
    return written;
}

}  // namespace exact_text
