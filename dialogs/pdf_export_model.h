#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What goes into the PDF: pages of the print job, or the cards selected in the roster (which
// then become the print job, all of whose pages are written).
struct PdfChoice {
    bool selectedCards = false;
    std::vector<std::int32_t> pages;  // in order; empty for the selected cards
};

// "PDFに書き出し": which pages of the print job go into the PDF. Texts are UTF-8.
class PdfExportModel {
public:
    // selectedCards: how many cards the roster has selected (0: it is not shown).
    explicit PdfExportModel(std::int32_t pageCount, std::int32_t selectedCards = 0);

    // Fields exchanged with the controls.
    bool allPages = true;     // "すべてのページ", else "ページ指定" or the selected cards
    std::string from, to;     // the range, as typed
    bool rangeEnabled = false;
    std::string allCaption;   // "すべてのページ (3ページ)"
    bool selectedOnly = false;
    bool selectedShown = false;
    std::string selectedCaption;  // "選択したカード (2枚)"

    void OnOpen();
    void OnAllPages(bool all);
    void OnSelectedCards();
    // The pages to write, in order; nothing, with the reason, for a range that is no range.
    std::optional<std::vector<std::int32_t>> Pages(std::string& problem) const;
    // What the OK button writes.
    std::optional<PdfChoice> Choice(std::string& problem) const;

private:
    std::int32_t pageCount_;
    std::int32_t selectedCards_;
};
