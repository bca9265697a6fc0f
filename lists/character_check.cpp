#include "lists/character_check.h"

#include <fontconfig/fontconfig.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>
#include <set>

#include "store/codec.h"
#include "store/exact_text.h"

namespace character_check {

namespace {

bool IsVariationSelector(char32_t code) {
    return (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF);
}

std::string Utf8Of(char32_t code) {
    std::string utf8;
    icu::UnicodeString(static_cast<UChar32>(code)).toUTF8String(utf8);
    return utf8;
}

// Whether code page 932 holds the character within JIS X 0208: not in NEC row 13 (0x87), the
// IBM extensions (0xED–0xEE, 0xFA–0xFC) or the user-defined area (0xF0–0xF9).
bool InJis0208(const std::string& utf8, bool& inCp932) {
    std::string stored;
    inCp932 = codec::Utf8ToCp932(utf8, stored);
    if (!inCp932 || stored.empty()) return false;
    const auto lead = static_cast<unsigned char>(stored[0]);
    return !(lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xF0);
}

}  // namespace

std::string CodePoint(char32_t code) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(code), 16).ptr;
    std::string hex(digits, end);
    std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
    return "U+" + std::string(hex.size() < 4 ? 4 - hex.size() : 0, '0') + hex;
}

std::string KindWords(unsigned kinds) {
    std::string words;
    const auto add = [&words](const char* word) { words += (words.empty() ? "" : "・") + std::string(word); };
    if (kinds & kNoFace) add("どのフォントにもない");
    if (kinds & kBeyondJis0208) add("JIS第1・第2水準外");
    if (kinds & kExactOnly) add("シフトJISにない");
    if (kinds & kVariantExact) add("字はシフトJISに保存・字形の指定はUnicodeキーのみ");
    if (kinds & kFallbackFace) add("デザインのフォントになく別のフォントで印刷");
    return words;
}

std::vector<std::string> Substitutes(char32_t code, const UnihanVariants& variants) {
    std::vector<std::string> substitutes;
    for (const char32_t variant : variants.Of(code)) {
        const std::string candidate = Utf8Of(variant);
        bool ignored = false;
        if (InJis0208(candidate, ignored) && std::find(substitutes.begin(), substitutes.end(), candidate) == substitutes.end())
            substitutes.push_back(candidate);
    }
    return substitutes;
}

bool AnyFaceDraws(char32_t code) {
    static std::map<char32_t, bool> known;
    const auto found = known.find(code);
    if (found != known.end()) return found->second;
    // A configuration of our own, freed at exit: the library's implicit one would outlive the
    // program's last reference to it.
    static const std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> config(FcInitLoadConfigAndFonts(), &FcConfigDestroy);
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* characters = FcCharSetCreate();
    FcCharSetAddChar(characters, code);
    FcPatternAddCharSet(pattern, FC_CHARSET, characters);
    FcObjectSet* fields = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* faces = config ? FcFontList(config.get(), pattern, fields) : nullptr;
    const bool any = faces != nullptr && faces->nfont > 0;
    if (faces != nullptr) FcFontSetDestroy(faces);
    FcObjectSetDestroy(fields);
    FcCharSetDestroy(characters);
    FcPatternDestroy(pattern);
    return known[code] = any;
}

std::vector<Finding> Check(const cards::RecordCards& cards, const GlyphCheck& drawable, const UnihanVariants& variants,
                           const OwnFaceCheck& ownFace) {
    std::vector<Finding> findings;
    const std::int32_t count = cards.Count();
    for (std::int32_t card = 0; card < count; ++card) {
        const cards::CardTexts texts = cards.Texts(card);
        for (std::size_t item = 0; item < texts.size() && item < cards.Items().size(); ++item) {
            const std::string utf8 = exact_text::ToUtf8(texts[item]);
            std::set<std::string> named;
            for (std::size_t pos = 0; pos < utf8.size();) {
                char32_t code = 0;
                std::size_t length = std::max<std::size_t>(codec::DecodeUtf8(utf8, pos, code), 1);
                // A variation selector belongs to the character before it.
                char32_t next = 0;
                while (pos + length < utf8.size() && codec::DecodeUtf8(utf8, pos + length, next) > 0 && IsVariationSelector(next))
                    length += codec::DecodeUtf8(utf8, pos + length, next);
                const std::string character = utf8.substr(pos, length);
                pos += length;
                // A tab or another control character prints nothing whatever the face.
                if (u_iscntrl(static_cast<UChar32>(code))) continue;
                const std::string base = Utf8Of(code);
                bool inCp932 = false;
                const bool jis = InJis0208(base, inCp932);
                Finding finding{card, cards.Items()[item], character, code, 0, {}};
                if (!drawable(code)) finding.kinds |= kNoFace;
                else if (ownFace && code != 0x20 && code != 0x3000 && !ownFace(card, cards.Items()[item], code))
                    finding.kinds |= kFallbackFace;
                if (!jis && code >= 0x80) finding.kinds |= kBeyondJis0208;
                if (!inCp932) finding.kinds |= kExactOnly;
                else if (character != base) finding.kinds |= kVariantExact;
                if (finding.kinds == 0 || !named.insert(character).second) continue;
                if (character != base && jis) finding.substitutes.push_back(base);
                for (const std::string& candidate : Substitutes(code, variants))
                    if (candidate != base) finding.substitutes.push_back(candidate);
                findings.push_back(std::move(finding));
            }
        }
    }
    return findings;
}

cards::Outcome Replace(const cards::RecordCards& cards, const std::string& item, const std::string& character,
                       const std::string& by, std::optional<std::int32_t> card) {
    // DeriveItem goes through the cards in order: `at` is the card at hand.
    std::int32_t at = 0;
    return cards.DeriveItem(item, item, [&](const std::string& exact) -> std::optional<std::string> {
        const bool mine = !card || *card == at;
        ++at;
        std::string utf8 = exact_text::ToUtf8(exact);
        if (!mine || utf8.find(character) == std::string::npos) return std::nullopt;
        for (std::size_t pos = utf8.find(character); pos != std::string::npos; pos = utf8.find(character, pos + by.size()))
            utf8.replace(pos, character.size(), by);
        std::string replaced;
        if (!exact_text::FromUtf8(utf8, replaced)) return std::nullopt;
        return replaced;
    });
}

}  // namespace character_check
