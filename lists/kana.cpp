#include "lists/kana.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

icu::UnicodeString Nfkc(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    if (U_FAILURE(status)) return text;
    icu::UnicodeString out = nfkc->normalize(text, status);
    return U_SUCCESS(status) ? out : text;
}

// One transliterator per direction, made on first use (the program runs on one thread).
icu::Transliterator* Transliterator(const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> made(
        icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status));
    return U_SUCCESS(status) ? made.release() : nullptr;
}

}  // namespace

std::string ConvertKana(std::string_view utf8, ReadingKana kana) {
    if (kana == ReadingKana::Keep) return std::string(utf8);
    static icu::Transliterator* toHiragana = Transliterator("Katakana-Hiragana");
    static icu::Transliterator* toKatakana = Transliterator("Hiragana-Katakana");
    // Half-width katakana first become full-width, with their sound marks joined.
    icu::UnicodeString text = Nfkc(utf8);
    icu::Transliterator* transliterator = kana == ReadingKana::Hiragana ? toHiragana : toKatakana;
    if (transliterator != nullptr) transliterator->transliterate(text);
    std::string out;
    return text.toUTF8String(out);
}

std::string CompatibilityForm(std::string_view utf8) {
    std::string out;
    return Nfkc(utf8).toUTF8String(out);
}
