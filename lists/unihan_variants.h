#pragma once

#include <map>
#include <string>
#include <vector>

// The variants of CJK characters from Unicode's Unihan database (Unihan_Variants.txt, as Debian's
// unicode-data installs it, compressed with bzip2): for a character beyond JIS X 0208 the
// characters people write for it (𠮷 → 吉, 髙 → 高, 﨑 → 崎).
class UnihanVariants {
public:
    // Read once from the installed file; empty when it is missing or unreadable.
    static const UnihanVariants& Installed();
    // Read from a bzip2-compressed file, or from its text.
    static UnihanVariants FromFile(const std::string& path);
    static UnihanVariants FromText(const std::string& text);

    // The variants of a character, in the file's order, spoofing and Z variants first.
    const std::vector<char32_t>& Of(char32_t code) const;

private:
    std::map<char32_t, std::vector<char32_t>> variants_;
};
