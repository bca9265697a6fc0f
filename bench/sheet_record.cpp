#include "bench/sheet_record.h"

#include <algorithm>
#include <vector>

#include "bench/record_file.h"
#include "store/codec.h"
#include "store/items.h"

namespace bench {
namespace {

const char* const kTexts[] = {"山田 太郎", "やまだ たろう", "代表取締役", "株式会社ゼロワン", "受付", "第二会場",
                              "懇親会 出席", "記念品あり"};

std::string Line(const std::string& key, const std::string& value) { return key + "=" + value + "\r\n"; }

std::string Item(const std::string& name, int index, int card, bool effects, bool shadow) {
    const std::string key = "1" + name;
    const int em = index == 0 ? 40 : 18;
    std::string text = Line(name, codec::Sjis(kTexts[index % 8]) + (index == 0 ? std::to_string(card) : ""));
    text += Line("1IsPrint" + name, "1");
    text += Line(key + "Xpos", std::to_string(20 + 10 * (index % 3)));
    text += Line(key + "Ypos", std::to_string(10 + 25 * index));
    text += Line(key + "Font", "-" + std::to_string(em) + " 0 0 0 " + (index == 0 ? "700" : "400") + " 0 0 0 128 3 2 1 49 " +
                                   std::to_string(0x800000 >> index));
    text += Line(key + "FontFace", codec::Sjis(index % 2 ? "ＭＳ 明朝" : "ＭＳ ゴシック"));
    if (effects || shadow) {
        text += Line(key + "bShadow", index % 2 ? "2" : "1");
        text += Line(key + "ShadowX", "20");
        text += Line(key + "ShadowY", "20");
    }
    if (effects) {
        text += Line(key + "bBkCol", "1");
        text += Line(key + "BkCol", std::to_string(0xE0FFFF));
    }
    return text;
}

void Append(std::string& out, std::int32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

}  // namespace

std::string MakeSheetRecord(const SheetRecordShape& shape) {
    std::string text = "[#Setting#]\r\n" + Line("Label", "1") + Line("Max", std::to_string(shape.cards - 1));
    if (shape.frame)
        text += "[1Frame]\r\n" + Line("Frame", "2") + Line("Frame2Inside", std::to_string(0xFFCC00)) +
            Line("Frame2InsideRatio", "7") + Line("Frame2Outside", std::to_string(0xCCFFFF)) +
            Line("Frame2OutsideRatio", "2") + Line("Frame2BorderCol1", "255") + Line("Frame2BorderWidth1", "2");
    const std::vector<std::string>& items = FixedItems();
    const int itemCount = std::min<int>(shape.items, static_cast<int>(items.size()));
    for (int card = 0; card < shape.cards; ++card) {
        text += "[" + CardSection(card) + "]\r\n";
        for (int index = 0; index < itemCount; ++index)
            text += Item(items[static_cast<std::size_t>(index)], index, card, shape.effectsOnAll,
                         index == 0 && shape.nameShadow);
        for (int line = 1; line <= std::min(shape.lines, 3); ++line) {
            const std::string key = "1Line" + std::to_string(line);
            const std::string y = std::to_string(60 * line);
            text += Line(key + "sx", "10") + Line(key + "sy", y) + Line(key + "ex", "340") + Line(key + "ey", y) +
                    Line(key + "Col", std::to_string(0x0000FF << (8 * (line - 1)))) + Line(key + "Width", "2");
        }
        if (shape.typeset) {
            const std::string name = "1" + items[0], last = "1" + items[7];
            text += Line(name + "FitWidth", "150") + Line(name + "Ruby", "1") + Line(last + "QR", "1") +
                    Line(last + "QRSize", "80") + Line(last + "Xpos", "260") + Line(last + "Ypos", "120");
        }
        if (!shape.bitmapPath.empty())
            text += Line("1BMP", shape.bitmapPath) + Line("1BMPx", "220") + Line("1BMPy", "110") + Line("1BMPZoom", "100");
    }
    return text;
}

std::string MakeBitmapFile(std::int32_t width, std::int32_t height) {
    const std::int32_t stride = (width * 3 + 3) / 4 * 4;
    const std::int32_t bitsSize = stride * height;
    std::string file = "BM";
    Append(file, 54 + bitsSize, 4);
    Append(file, 0, 4);
    Append(file, 54, 4);
    for (const std::int32_t field : {40, width, height}) Append(file, field, 4);
    Append(file, 1, 2);
    Append(file, 24, 2);
    for (const std::int32_t field : {0, bitsSize, 2835, 2835, 0, 0}) Append(file, field, 4);
    for (std::int32_t y = 0; y < height; ++y) {
        std::string row;
        for (std::int32_t x = 0; x < width; ++x) {
            row += static_cast<char>(x * 255 / width);
            row += static_cast<char>(y * 255 / height);
            row += static_cast<char>(((x / 16 + y / 16) % 2) * 200);
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        file += row;
    }
    return file;
}

}  // namespace bench
