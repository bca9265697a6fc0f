#include "store/record_sections.h"

#include <algorithm>
#include <optional>

#include "store/card_deck.h"
#include "store/profile_document.h"
#include "store/regular_file.h"

int ReadRecordSections(const std::string& fsPath, std::size_t maxBytes, const std::function<bool(std::int32_t)>& wanted,
                       RecordSections& read) {
    read = RecordSections();
    std::string kept, line;
    bool keeping = true;
    // Each line ends at a CR or an LF, as the parser splits them; a header decides whether the
    // lines up to the next one are kept.
    const auto endLine = [&] {
        const std::size_t content = line.find_first_of("\r\n");
        if (const std::optional<std::string_view> name = profile::SectionHeaderName(std::string_view(line).substr(0, content))) {
            const std::optional<std::int32_t> card = cards::CardNumberOf(*name);
            if (card) read.highestCard = std::max(read.highestCard, *card);
            keeping = !card || wanted(*card);
        }
        if (keeping) kept += line;
        line.clear();
    };
    const int error = ReadRegularFileInPieces(fsPath, maxBytes, [&](std::string_view piece) {
        for (std::size_t begin = 0; begin < piece.size();) {
            const std::size_t end = piece.find_first_of("\r\n", begin);
            line.append(piece.substr(begin, end == std::string_view::npos ? std::string_view::npos : end + 1 - begin));
            if (end == std::string_view::npos) break;
            endLine();
            begin = end + 1;
        }
    });
    if (error != 0) return error;
    if (!line.empty()) endLine();
    read.doc = profile::ProfileDocument::Parse(std::move(kept));
    return 0;
}
