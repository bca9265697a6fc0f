#include "lists/delimited_text.h"

#include <array>
#include <string>
#include <vector>

#include "lists/table_budget.h"

namespace {

// Walks text one record at a time. Line numbers count CR LF, CR and LF, inside quotes too.
class RecordReader {
public:
    RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    std::size_t Position() const { return pos_; }
    std::size_t Line() const { return line_; }

    // Reads the next record into cells. False on a quote that is never closed or past the last
    // column (error set).
    bool Next(std::vector<std::string>& cells, ListError& error) {
        cells.assign(1, std::string());
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == separator_) {
                if (!TableBudget::CheckColumn(cells.size(), line_, error)) return false;
                cells.emplace_back();
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                SkipLineBreak();
                return true;
            } else if (c == '"' && cells.back().empty() && !quotedField_) {
                if (!ReadQuoted(cells.back(), error)) return false;
            } else {
                cells.back() += c;
                ++pos_;
            }
            if (c == separator_) quotedField_ = false;
        }
        return true;
    }

private:
    void SkipLineBreak() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
        quotedField_ = false;
    }

    // From the opening quote to the closing one; what follows the closing quote up to the next
    // separator is kept as written.
    bool ReadQuoted(std::string& cell, ListError& error) {
        const std::size_t openLine = line_;
        const std::size_t openColumn = ColumnOf(pos_);
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    cell += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                quotedField_ = true;
                return true;
            }
            if (c == '\r' || c == '\n') {
                const bool crlf = c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
                cell += crlf ? "\r\n" : std::string(1, c);
                SkipLineBreak();
                quotedField_ = false;
                continue;
            }
            cell += c;
            ++pos_;
        }
        error = {"引用符 (\") が閉じられていません", openLine, openColumn};
        return false;
    }

    // The 1-based character column of a byte position on its line.
    std::size_t ColumnOf(std::size_t pos) const {
        std::size_t start = text_.find_last_of("\r\n", pos == 0 ? 0 : pos - 1);
        start = (start == std::string_view::npos || pos == 0) ? 0 : start + 1;
        std::size_t column = 1;
        for (std::size_t i = start; i < pos; ++i)
            if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) ++column;
        return column;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    bool quotedField_ = false;  // the current field was quoted: a later quote in it is literal
};

}  // namespace

char DetectSeparator(std::string_view text) {
    constexpr std::array<char, 3> kCandidates = {'\t', ',', ';'};
    constexpr int kSampleRecords = 20;
    char best = ',';
    double bestScore = 0;
    std::size_t bestFields = 1;
    for (const char separator : kCandidates) {
        RecordReader reader(text, separator);
        std::vector<std::string> cells;
        ListError ignored;
        std::size_t firstCount = 0;
        int records = 0, matching = 0;
        while (records < kSampleRecords && !reader.AtEnd() && reader.Next(cells, ignored)) {
            if (IsBlankRow(cells)) continue;
            if (records == 0) firstCount = cells.size();
            ++records;
            if (cells.size() == firstCount) ++matching;
        }
        if (firstCount < 2) continue;
        const double score = static_cast<double>(matching) / records;
        if (score > bestScore || (score == bestScore && firstCount > bestFields)) {
            best = separator;
            bestScore = score;
            bestFields = firstCount;
        }
    }
    return best;
}

bool ParseDelimited(std::string_view text, char separator, ListTable& table, ListError& error,
                    const std::function<bool(double)>& progress) {
    constexpr std::size_t kProgressStep = 1 << 20;
    table.rows.clear();
    RecordReader reader(text, separator);
    TableBudget budget;
    std::vector<std::string> cells;
    std::size_t nextReport = kProgressStep;
    while (!reader.AtEnd()) {
        const std::size_t line = reader.Line();
        if (!reader.Next(cells, error)) return false;
        if (!IsBlankRow(cells)) {
            std::size_t bytes = TableBudget::kRowCost + cells.size() * TableBudget::kCellCost;
            for (const std::string& cell : cells) bytes += cell.size();
            if (!budget.Take(bytes, line, 0, error)) return false;
            table.rows.push_back({line, std::move(cells)});
        }
        if (progress && reader.Position() >= nextReport) {
            nextReport = reader.Position() + kProgressStep;
            if (!progress(static_cast<double>(reader.Position()) / static_cast<double>(text.size()))) {
                error = {"中止しました", reader.Line(), 0};
                return false;
            }
        }
    }
    return true;
}
