#include "render/qr_code.h"

#include <qrencode.h>

#include <memory>

#include "store/codec.h"
#include "store/exact_text.h"

namespace {

QRecLevel ToQrLevel(char level) {
    switch (level) {
        case 'L': return QR_ECLEVEL_L;
        case 'Q': return QR_ECLEVEL_Q;
        case 'H': return QR_ECLEVEL_H;
        default: return QR_ECLEVEL_M;
    }
}

}  // namespace

QrProblem EncodeQr(std::string_view storedText, char level, QrSymbol& symbol) {
    symbol = QrSymbol{};
    std::string utf8;
    if (storedText.empty()) return QrProblem::Empty;
    if (!codec::Cp932ToUtf8(exact_text::Plain(storedText), utf8)) return QrProblem::NotText;
    utf8 = exact_text::ToUtf8(storedText);
    // Byte mode over UTF-8: kanji mode would carry Shift-JIS, which phones show as another text.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(static_cast<int>(utf8.size()), reinterpret_cast<const unsigned char*>(utf8.data()), 0,
                          ToQrLevel(level)),
        &QRcode_free);
    if (!code) return QrProblem::TooLong;
    symbol.modules = code->width;
    symbol.level = level == 'L' || level == 'Q' || level == 'H' ? level : 'M';
    const std::size_t count = static_cast<std::size_t>(code->width) * static_cast<std::size_t>(code->width);
    symbol.dark.resize(count);
    // Bit 0 of each byte is the module's colour; the other bits say what the module is part of.
    for (std::size_t i = 0; i < count; ++i) symbol.dark[i] = code->data[i] & 1u;
    return QrProblem::None;
}

QrProblem CodeFor(std::string_view storedText, char level, std::int32_t size, QrSymbol& symbol) {
    const QrProblem problem = EncodeQr(storedText, level, symbol);
    if (problem != QrProblem::None) return problem;
    if (size < symbol.modules + 2 * kQrQuietModules) {
        symbol = QrSymbol{};
        return QrProblem::TooFine;
    }
    return QrProblem::None;
}
