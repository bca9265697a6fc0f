#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// "PDFに書き出し": which pages of the print job go into the PDF. Texts are UTF-8.
class PdfExportModel {
public:
    explicit PdfExportModel(std::int32_t pageCount);

    // Fields exchanged with the controls.
    bool allPages = true;     // "すべてのページ", else "ページ指定"
    std::string from, to;     // the range, as typed
    bool rangeEnabled = false;
    std::string allCaption;   // "すべてのページ (3ページ)"

    void OnOpen();
    void OnAllPages(bool all);
    // The pages to write, in order; nothing, with the reason, for a range that is no range.
    std::optional<std::vector<std::int32_t>> Pages(std::string& problem) const;

private:
    std::int32_t pageCount_;
};
