#include "dialogs/pdf_export_model.h"

#include <algorithm>

namespace {

std::optional<std::int32_t> PageNumber(const std::string& text) {
    std::string digits;
    for (const char c : text)
        if (c != ' ') digits += c;
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return static_cast<std::int32_t>(std::stol(digits));
}

}  // namespace

PdfExportModel::PdfExportModel(std::int32_t pageCount, std::int32_t selectedCards)
    : pageCount_(std::max(pageCount, 1)), selectedCards_(std::max(selectedCards, 0)) {}

void PdfExportModel::OnOpen() {
    allCaption = "すべてのページ (" + std::to_string(pageCount_) + "ページ)";
    selectedShown = selectedCards_ > 0;
    selectedCaption = "選択したカード (" + std::to_string(selectedCards_) + "枚)";
    from = "1";
    to = std::to_string(pageCount_);
    OnAllPages(true);
}

void PdfExportModel::OnAllPages(bool all) {
    allPages = all;
    selectedOnly = false;
    rangeEnabled = !all;
}

void PdfExportModel::OnSelectedCards() {
    if (!selectedShown) return;
    allPages = false;
    selectedOnly = true;
    rangeEnabled = false;
}

std::optional<PdfChoice> PdfExportModel::Choice(std::string& problem) const {
    if (selectedOnly) return PdfChoice{true, {}};
    std::optional<std::vector<std::int32_t>> pages = Pages(problem);
    if (!pages) return std::nullopt;
    return PdfChoice{false, std::move(*pages)};
}

std::optional<std::vector<std::int32_t>> PdfExportModel::Pages(std::string& problem) const {
    std::int32_t first = 1, last = pageCount_;
    if (!allPages) {
        const std::optional<std::int32_t> typedFirst = PageNumber(from), typedLast = PageNumber(to);
        if (!typedFirst || !typedLast || *typedFirst < 1 || *typedFirst > *typedLast || *typedLast > pageCount_) {
            problem = "ページは 1～" + std::to_string(pageCount_) + " の範囲で、始めを終わり以下にしてください。";
            return std::nullopt;
        }
        first = *typedFirst;
        last = *typedLast;
    }
    std::vector<std::int32_t> pages;
    for (std::int32_t page = first; page <= last; ++page) pages.push_back(page);
    return pages;
}
