#include "store/typesetting.h"

#include <algorithm>

#include "store/items.h"

namespace {

char LevelOf(const std::string& stored) {
    if (stored.size() == 1) {
        const char level = static_cast<char>(stored[0] & ~0x20);  // upper case
        if (level == 'L' || level == 'M' || level == 'Q' || level == 'H') return level;
    }
    return 'M';
}

}  // namespace

bool ItemTypesetting::operator==(const ItemTypesetting& other) const {
    return fitWidth == other.fitWidth && fitMin == other.fitMin && vertical == other.vertical && qr == other.qr &&
           qrSize == other.qrSize && qrLevel == other.qrLevel && ruby == other.ruby && rubySize == other.rubySize &&
           wrap == other.wrap;
}

namespace {

// The values read through read(key member, suffix, default) and readLevel(), brought into range.
template <typename ReadInt, typename ReadLevel>
ItemTypesetting TypesettingFrom(const ReadInt& read, const ReadLevel& readLevel) {
    using namespace typesetting;
    using Keys = TypesettingKeys;
    ItemTypesetting values;
    values.fitWidth = std::max(read(&Keys::fitWidth, kFitWidth, 0), 0);
    values.fitMin = std::clamp(read(&Keys::fitMin, kFitMin, kDefaultFitMin), kMinFitMin, 100);
    values.vertical = read(&Keys::vertical, kVertical, 0) == 1;
    values.qr = read(&Keys::qr, kQr, 0) == 1;
    const std::int32_t qrSize = read(&Keys::qrSize, kQrSize, kDefaultQrSize);
    values.qrSize = qrSize <= 0 ? kDefaultQrSize : std::min(qrSize, kMaxQrSize);
    values.qrLevel = LevelOf(readLevel());
    values.ruby = read(&Keys::ruby, kRuby, 0) == 1;
    values.rubySize = std::clamp(read(&Keys::rubySize, kRubySize, kDefaultRubySize), 10, 100);
    values.wrap = read(&Keys::wrap, kWrap, 0) == 1;
    return values;
}

using KeyMember = profile::KeyName TypesettingKeys::*;

}  // namespace

ItemTypesetting ReadItemTypesetting(const RecordProfile& record, std::string_view section, std::string_view slot,
                                    std::string_view item) {
    return TypesettingFrom(
        [&](KeyMember, std::string_view suffix, std::int32_t fallback) {
            return record.ReadInt(section, ItemKey(slot, item, suffix), fallback);
        },
        [&] { return record.ReadString(section, ItemKey(slot, item, typesetting::kQrLevel), "M"); });
}

TypesettingKeys::TypesettingKeys(std::string_view slot, std::string_view item)
    : fitWidth(ItemKey(slot, item, typesetting::kFitWidth)),
      fitMin(ItemKey(slot, item, typesetting::kFitMin)),
      vertical(ItemKey(slot, item, typesetting::kVertical)),
      qr(ItemKey(slot, item, typesetting::kQr)),
      qrSize(ItemKey(slot, item, typesetting::kQrSize)),
      qrLevel(ItemKey(slot, item, typesetting::kQrLevel)),
      ruby(ItemKey(slot, item, typesetting::kRuby)),
      rubySize(ItemKey(slot, item, typesetting::kRubySize)),
      wrap(ItemKey(slot, item, typesetting::kWrap)) {}

ItemTypesetting ReadItemTypesetting(const SectionReader& card, const TypesettingKeys& keys) {
    return TypesettingFrom(
        [&](KeyMember key, std::string_view, std::int32_t fallback) { return card.ReadInt(keys.*key, fallback); },
        [&] { return card.ReadString(keys.qrLevel, "M"); });
}

bool WriteItemTypesetting(const RecordProfile& record, std::string_view section, std::string_view slot,
                          std::string_view item, const ItemTypesetting& values) {
    using namespace typesetting;
    bool stored = true;
    const auto write = [&](std::string_view suffix, std::int32_t value) {
        stored = record.WriteInt(section, ItemKey(slot, item, suffix), value) && stored;
    };
    write(kFitWidth, values.fitWidth);
    write(kFitMin, values.fitMin);
    write(kVertical, values.vertical ? 1 : 0);
    write(kWrap, values.wrap ? 1 : 0);
    write(kQr, values.qr ? 1 : 0);
    write(kQrSize, values.qrSize);
    stored = record.WriteString(section, ItemKey(slot, item, kQrLevel), std::string(1, values.qrLevel)) && stored;
    if (item == FixedItems()[0]) {
        write(kRuby, values.ruby ? 1 : 0);
        write(kRubySize, values.rubySize);
    }
    return record.Flush() && stored;
}
