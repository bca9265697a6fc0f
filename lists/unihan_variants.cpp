#include "lists/unihan_variants.h"

#include <bzlib.h>

#include <charconv>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

constexpr const char* kInstalledPath = "/usr/share/unicode/Unihan_Variants.txt.bz2";
// The kinds of variant a Japanese name may be written with instead; simplified and traditional
// Chinese forms are not among them.
constexpr std::string_view kKinds[] = {"kSpoofingVariant", "kZVariant", "kSemanticVariant", "kSpecializedSemanticVariant"};

// "U+20BB7", with anything after it ("<kMorohashi") ignored.
bool ParseCode(std::string_view field, char32_t& code) {
    if (field.size() < 3 || field.substr(0, 2) != "U+") return false;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(field.data() + 2, field.data() + field.size(), value, 16);
    if (error != std::errc() || end == field.data() + 2) return false;
    code = value;
    return true;
}

}  // namespace

const UnihanVariants& UnihanVariants::Installed() {
    static const UnihanVariants installed = FromFile(kInstalledPath);
    return installed;
}

UnihanVariants UnihanVariants::FromFile(const std::string& path) {
    const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return {};
    int status = BZ_OK;
    BZFILE* reader = BZ2_bzReadOpen(&status, file.get(), 0, 0, nullptr, 0);
    std::string text;
    char buffer[1 << 16];
    while (status == BZ_OK) {
        const int read = BZ2_bzRead(&status, reader, buffer, sizeof buffer);
        if (read > 0) text.append(buffer, static_cast<std::size_t>(read));
    }
    BZ2_bzReadClose(nullptr, reader);
    return status == BZ_STREAM_END ? FromText(text) : UnihanVariants();
}

UnihanVariants UnihanVariants::FromText(const std::string& text) {
    UnihanVariants table;
    for (const std::string_view kind : kKinds) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string_view line(text.data() + start, end - start);
            start = end + 1;
            // U+xxxx <tab> kind <tab> U+yyyy U+zzzz<source> …
            const std::size_t tab1 = line.find('\t');
            const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
            char32_t from = 0;
            if (tab2 == std::string_view::npos || line.substr(tab1 + 1, tab2 - tab1 - 1) != kind ||
                !ParseCode(line.substr(0, tab1), from))
                continue;
            // A source that calls a variant the same character in another shape (":Z", as 崎 for
            // 﨑) puts it before the line's other variants.
            for (const bool sameCharacter : {true, false}) {
                std::string_view rest = line.substr(tab2 + 1);
                while (!rest.empty()) {
                    const std::size_t space = rest.find(' ');
                    const std::string_view field = rest.substr(0, space);
                    char32_t to = 0;
                    if ((field.find(":Z") != std::string_view::npos) == sameCharacter && ParseCode(field, to))
                        table.variants_[from].push_back(to);
                    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
                }
            }
        }
    }
    return table;
}

const std::vector<char32_t>& UnihanVariants::Of(char32_t code) const {
    static const std::vector<char32_t> none;
    const auto found = variants_.find(code);
    return found == variants_.end() ? none : found->second;
}
