#include "render/item_keys.h"

#include "store/exact_text.h"
#include "store/items.h"

ItemKeys::ItemKeys(const std::string& slotPrefix, const std::string& itemName)
    : slot(slotPrefix),
      item(itemName),
      isPrint(IsPrintKey(slotPrefix, itemName)),
      text(itemName),
      exactText(exact_text::KeyOf(itemName)),
      xpos(ItemKey(slotPrefix, itemName, "Xpos")),
      ypos(ItemKey(slotPrefix, itemName, "Ypos")),
      printPos(ItemKey(slotPrefix, itemName, "PrintPos")),
      printVPos(ItemKey(slotPrefix, itemName, "PrintVPos")),
      boxFlag(ItemKey(slotPrefix, itemName, "bBkCol")),
      boxColor(ItemKey(slotPrefix, itemName, "BkCol")),
      hollow(ItemKey(slotPrefix, itemName, "Nakanuki")),
      shadow(ItemKey(slotPrefix, itemName, "bShadow")),
      shadowX(ItemKey(slotPrefix, itemName, "ShadowX")),
      shadowY(ItemKey(slotPrefix, itemName, "ShadowY")),
      shadowColor(ItemKey(slotPrefix, itemName, "ShadowCol")),
      honorific(ItemKey(slotPrefix, itemName, "Honorific")),
      honorificSize(ItemKey(slotPrefix, itemName, "HonorificSize")),
      font(ItemKey(slotPrefix, itemName, "")),
      typesetting(slotPrefix, itemName) {}
