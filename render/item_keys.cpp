#include "render/item_keys.h"

#include <algorithm>
#include <deque>

#include "store/items.h"

namespace {

// Far more than the items of every slot; a view fed ever new names starts afresh.
constexpr std::size_t kMaxKept = 512;

}  // namespace

ItemKeys::ItemKeys(const std::string& slotPrefix, const std::string& itemName)
    : slot(slotPrefix),
      item(itemName),
      isPrint(IsPrintKey(slotPrefix, itemName)),
      text(itemName),
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
      font(ItemKey(slotPrefix, itemName, "")),
      typesetting(slotPrefix, itemName) {}

const ItemKeys& KeysOf(const std::string& slot, const std::string& item) {
    static std::deque<ItemKeys> kept;
    const auto found = std::find_if(kept.begin(), kept.end(),
                                    [&](const ItemKeys& keys) { return keys.item == item && keys.slot == slot; });
    if (found != kept.end()) return *found;
    if (kept.size() >= kMaxKept) kept.clear();
    return kept.emplace_back(slot, item);
}
