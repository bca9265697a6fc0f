#include "store/cp932.h"

namespace cp932 {

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
    // No trail byte lies in the blank range, so trimming from the end cannot split a character.
    while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

std::string_view CutToBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = CharLength(text, pos);
        if (pos + len > maxBytes) break;
        pos += len;
    }
    return text.substr(0, pos);
}

std::string FoldAsciiCase(std::string_view text) {
    std::string out(text);
    for (std::size_t pos = 0; pos < out.size();) {
        const std::size_t len = CharLength(out, pos);
        if (len == 1 && out[pos] >= 'A' && out[pos] <= 'Z') out[pos] = static_cast<char>(out[pos] - 'A' + 'a');
        pos += len;
    }
    return out;
}

namespace {

// The bytes of a text as FoldAsciiCase would give them, one at a time.
class FoldedBytes {
public:
    explicit FoldedBytes(std::string_view text) : text_(text) {}
    bool Next(unsigned char& byte) {
        if (pos_ >= text_.size()) return false;
        if (pos_ == charEnd_) {
            const std::size_t length = CharLength(text_, pos_);
            charEnd_ = pos_ + length;
            single_ = length == 1;
        }
        byte = static_cast<unsigned char>(text_[pos_++]);
        if (single_ && byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte - 'A' + 'a');
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0, charEnd_ = 0;
    bool single_ = false;
};

}  // namespace

int CompareFolded(std::string_view a, std::string_view b) {
    FoldedBytes left(a), right(b);
    for (;;) {
        unsigned char x = 0, y = 0;
        const bool hasX = left.Next(x), hasY = right.Next(y);
        if (!hasX || !hasY) return hasX ? 1 : hasY ? -1 : 0;
        if (x != y) return x < y ? -1 : 1;
    }
}

std::size_t FindChar(std::string_view text, char c) {
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        if (text[pos] == c) return pos;
    return std::string_view::npos;
}

std::size_t FindLastChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        if (text[pos] == c) found = pos;
    return found;
}

}  // namespace cp932
