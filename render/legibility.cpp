#include "render/legibility.h"

#include <algorithm>
#include <cstdio>

#include "store/codec.h"
#include "store/exact_text.h"
#include "store/font_setting.h"

namespace {

// Characters that draw nothing of their own: a face need not have them.
bool DrawsNothing(char32_t code) {
    return code < 0x21 || code == 0x3000 || (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF);
}

// The character as UTF-8.
std::string Character(char32_t code) {
    std::string utf8;
    if (code < 0x80) {
        utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (code >> 12));
        utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (code >> 18));
        utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
    return utf8;
}

}  // namespace

std::vector<char32_t> CharactersFaceLacks(const std::string& utf8, const std::string& storedFace,
                                          const FaceGlyphs& faceHas) {
    std::vector<char32_t> lacking;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t code = 0;
        pos += std::max<std::size_t>(codec::DecodeUtf8(utf8, pos, code), 1);
        if (DrawsNothing(code) || std::find(lacking.begin(), lacking.end(), code) != lacking.end()) continue;
        if (!faceHas(storedFace, code)) lacking.push_back(code);
    }
    return lacking;
}

std::vector<std::string> LegibilityNotes(const CardValue& card, const std::vector<ItemBox>& boxes,
                                         const FaceGlyphs& faceHas) {
    std::vector<std::string> notes;
    for (const ItemValue& item : card.items) {
        const auto box = std::find_if(boxes.begin(), boxes.end(), [&](const ItemBox& b) { return b.item == item.name; });
        if (box == boxes.end() || item.typesetting.qr) continue;
        const std::string name = codec::Utf8(item.name);
        const std::string& face = item.font.set && !item.font.font.lfFaceName.empty() ? item.font.font.lfFaceName
                                                                                       : DefaultFaceName();
        for (const char32_t code : CharactersFaceLacks(exact_text::ToUtf8(item.text), face, faceHas))
            notes.push_back(name + " 「" + Character(code) + "」はフォント「" + codec::Utf8(face) + "」になく、別のフォントで印刷");
        if (box->scale < kReadableScale)
            notes.push_back(name + " 長体 " + std::to_string(box->scale) + " %（" + std::to_string(kReadableScale) + " % 未満）");
        if (box->height > 0 && box->height * 100 < kReadableHeight) {
            char points[16];
            std::snprintf(points, sizeof points, "%.1f", box->height * 0.72);
            notes.push_back(name + " 文字の大きさ " + points + " pt（6 pt 未満）");
        }
    }
    return notes;
}
