#pragma once

#include <string>

#include "store/font_setting.h"
#include "store/profile_document.h"
#include "store/typesetting.h"

// The keys of one item of a card in one slot (slot S, item I: S + I + suffix, the print flag
// S + "IsPrint" + I, the text I and its exact form I + "Unicode"), named and hashed once for all
// the cards of a drawing.
struct ItemKeys {
    ItemKeys(const std::string& slot, const std::string& item);

    std::string slot, item;
    profile::KeyName isPrint, text, exactText, xpos, ypos, printPos, printVPos;
    profile::KeyName boxFlag, boxColor, hollow, shadow, shadowX, shadowY, shadowColor;
    profile::KeyName honorific, honorificSize;
    CFontSetting::FontKeys font;
    TypesettingKeys typesetting;
};
