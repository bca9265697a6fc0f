#include "render/card_reading.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "store/color_setting.h"
#include "store/exact_text.h"
#include "store/items.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"

namespace {

// A colour stored as the signed decimal of its 32 bits.
ColorRef ReadColor(const SectionReader& card, const profile::KeyName& key, ColorRef defaultColor) {
    return static_cast<ColorRef>(card.ReadInt(key, static_cast<std::int32_t>(defaultColor)));
}

// Per-kind frame keys: prefix + "Frame" + kind + what, e.g. "Frame3Inside" ("1Frame3Inside" in a card).
std::string KindKey(std::string_view prefix, std::int32_t kind, std::string_view what) {
    return std::string(prefix) + "Frame" + std::to_string(kind) + std::string(what);
}

FrameArea ReadArea(const RecordProfile& record, const std::string& section, std::string_view prefix, std::int32_t kind,
                   std::string_view name, std::string_view borderNumber) {
    const std::string& path = record.Path();
    FrameArea area;
    CColorSetting::LoadFromRecord(section, KindKey(prefix, kind, name), area.color, area.color, path);
    CColorSetting::LoadFromRecord(section, KindKey(prefix, kind, "BorderCol") + std::string(borderNumber),
                                  area.border.color, area.color, path);
    area.border.width = record.ReadInt(section, KindKey(prefix, kind, "BorderWidth") + std::string(borderNumber), 1);
    area.pattern = record.ReadInt(section, KindKey(prefix, kind, name) + "Ratio", area.pattern);
    return area;
}

// The item keys of a slot in drawing order (the name first, then its reading, the other fixed
// items and the user's own), the line and the image keys.
struct CardKeys {
    std::string slotPrefix;
    std::int32_t slot = 0;
    std::vector<std::string> userItems;
    std::vector<ItemKeys> items;
    std::vector<LineKeys> lines;
    ImageKeys image{0};
    profile::KeyName ownFrame{""};  // present in a card that has a frame of its own
};

const CardKeys& KeysFor(const ViewState& view) {
    static CardKeys keys;
    if (!keys.items.empty() && keys.slotPrefix == view.slotPrefix && keys.slot == view.slot &&
        keys.userItems == view.userItems)
        return keys;
    keys.slotPrefix = view.slotPrefix;
    keys.slot = view.slot;
    keys.userItems = view.userItems;
    const std::vector<std::string>& fixed = FixedItems();
    keys.items.clear();
    for (const std::size_t i : {0, 3, 1, 2, 4, 5, 6, 7}) keys.items.emplace_back(view.slotPrefix, fixed[i]);
    for (const std::string& item : view.userItems) keys.items.emplace_back(view.slotPrefix, item);
    keys.lines.clear();
    for (const char* line : {"1", "2", "3"}) keys.lines.emplace_back(view.slotPrefix, line);
    keys.image = ImageKeys(view.slot);
    keys.ownFrame = profile::KeyName(view.slotPrefix + "Frame");
    return keys;
}

bool NoDecorationWhileEditing(const RecordProfile& record) { return record.ReadInt("Option", "NoBMPEdit", 0) == 1; }

// What the cards of one slot in one record file share, and the state of the files it was read
// from.
struct Shared {
    std::string recordFile, settingsFile, slotPrefix;
    std::int32_t slot = 0;
    std::uint64_t recordVersion = 0, settingsVersion = 0;
    FrameValue frame, backFrame;
    LabelExtent label;
    bool textOverDecoration = false;
    bool noDecorationWhileEditing = false;
};

const Shared& SharedFor(const ViewState& view) {
    static Shared shared;
    profile::ProfileService& service = profile::ProfileService::Instance();
    const std::string& recordFile = view.record->ReadFsPath();
    const std::string& settingsFile = view.settings->FsPath();
    const std::uint64_t recordVersion = service.Version(recordFile);
    const std::uint64_t settingsVersion = service.Version(settingsFile);
    // Version 0 is a file that is not there to be told apart: read afresh.
    if (recordVersion != 0 && settingsVersion != 0 && shared.recordVersion == recordVersion &&
        shared.settingsVersion == settingsVersion && shared.slot == view.slot && shared.slotPrefix == view.slotPrefix &&
        shared.recordFile == recordFile && shared.settingsFile == settingsFile)
        return shared;
    shared.recordFile = recordFile;
    shared.settingsFile = settingsFile;
    shared.slotPrefix = view.slotPrefix;
    shared.slot = view.slot;
    shared.recordVersion = recordVersion;
    shared.settingsVersion = settingsVersion;
    shared.frame = ReadFrame(*view.record, view.slotPrefix);
    shared.backFrame = ReadFrameKeys(*view.record, BackFrameSectionName(view.slotPrefix), "");
    shared.label = LabelSize(*view.settings, view.slot);
    shared.textOverDecoration = view.settings->ReadInt("PrintMode", "bTransparent", 0) == 1;
    shared.noDecorationWhileEditing = NoDecorationWhileEditing(*view.record);
    return shared;
}

// Both keys are read whole, so that a long exact text is not cut out of step with its plain form;
// a text without an exact key is cut as every read cuts it.
std::string ItemText(const SectionReader& card, const ItemKeys& keys) {
    std::string exact = card.ReadFullString(keys.exactText, "");
    if (!exact.empty() && exact_text::Plain(exact) == card.ReadFullString(keys.text, "")) return exact;
    return exact_text::FromStored(card.ReadString(keys.text, ""), "");
}

// An item's text: the card's own, else (for a back) the design's.
std::string TextOf(const SectionReader& design, const SectionReader* texts, const ItemKeys& keys) {
    if (texts != nullptr) {
        std::string own = ItemText(*texts, keys);
        if (!own.empty()) return own;
    }
    return ItemText(design, keys);
}

// The reading as ruby over the name, in the reading item's font over the default font.
std::optional<Ruby> ReadRuby(const SectionReader& card, const SectionReader* texts, const ItemKeys& reading,
                             std::int32_t sizePercent) {
    Ruby ruby;
    ruby.reading = TextOf(card, texts, reading);
    if (SplitParts(ruby.reading).empty()) return std::nullopt;
    ruby.font = DefaultItemFont();
    CFontSetting::Read(card, reading.font).PutOver(ruby.font, ruby.color);
    ruby.sizePercent = sizePercent;
    return ruby;
}

}  // namespace

LineKeys::LineKeys(const std::string& slotPrefix, const std::string& line)
    : sx(slotPrefix + "Line" + line + "sx"),
      sy(slotPrefix + "Line" + line + "sy"),
      ex(slotPrefix + "Line" + line + "ex"),
      ey(slotPrefix + "Line" + line + "ey"),
      color(slotPrefix + "Line" + line + "Col"),
      width(slotPrefix + "Line" + line + "Width") {}

LineValue ReadLine(const SectionReader& card, const LineKeys& keys) {
    LineValue line;
    line.sx = BoundedLength(card.ReadInt(keys.sx, line.sx));
    line.sy = BoundedLength(card.ReadInt(keys.sy, line.sy));
    line.ex = BoundedLength(card.ReadInt(keys.ex, line.ex));
    line.ey = BoundedLength(card.ReadInt(keys.ey, line.ey));
    if (!line.Draws()) return line;
    line.color = ReadColor(card, keys.color, line.color);
    line.width = BoundedLength(card.ReadInt(keys.width, line.width));
    return line;
}

ImageKeys::ImageKeys(std::int32_t slot)
    : path(std::to_string(slot) + "BMP"),
      dx(std::to_string(slot) + "BMPx"),
      dy(std::to_string(slot) + "BMPy"),
      zoom(std::to_string(slot) + "BMPZoom") {}

ImageValue ReadImage(const SectionReader& card, const ImageKeys& keys) {
    ImageValue image;
    image.path = card.ReadString(keys.path, "");
    if (image.path.empty()) return image;
    image.dx = BoundedLength(card.ReadInt(keys.dx, image.dx));
    image.dy = BoundedLength(card.ReadInt(keys.dy, image.dy));
    image.zoom = card.ReadInt(keys.zoom, image.zoom);
    return image;
}

FrameValue ReadFrame(const RecordProfile& record, const std::string& slotPrefix) {
    return ReadFrameKeys(record, slotPrefix + "Frame", "");
}

FrameValue ReadFrameKeys(const RecordProfile& record, const std::string& section, std::string_view prefix) {
    const std::string P(prefix);
    FrameValue frame;
    frame.kind = record.ReadInt(section, P + "Frame", frame.kind);
    frame.inside = ReadArea(record, section, prefix, frame.kind, "Inside", "1");
    frame.outside = ReadArea(record, section, prefix, frame.kind, "Outside", "2");
    frame.beforeImage = record.ReadInt(section, P + "FrameBeforeBmp", 1) != 0;
    // Only an inner shape has gaps, and only the rounded rectangle a corner.
    if (frame.kind <= 0 || frame.kind > static_cast<std::int32_t>(FrameKind::TriangleBottomRight)) return frame;
    const std::string gap = KindKey(prefix, frame.kind, "Gap");
    if (record.ReadInt(section, gap + "All", 0) != 0) {
        frame.gapTop = frame.gapBottom = frame.gapLeft = frame.gapRight = BoundedLength(record.ReadInt(section, gap, 5));
    } else {
        frame.gapTop = BoundedLength(record.ReadInt(section, gap + "T", 5));
        frame.gapBottom = BoundedLength(record.ReadInt(section, gap + "B", 5));
        frame.gapLeft = BoundedLength(record.ReadInt(section, gap + "L", 5));
        frame.gapRight = BoundedLength(record.ReadInt(section, gap + "R", 5));
    }
    if (frame.kind == static_cast<std::int32_t>(FrameKind::RoundRect)) {
        // Told apart from any stored number: its default depends on the label it is drawn on.
        constexpr std::int32_t kUnset = std::numeric_limits<std::int32_t>::min();
        const std::int32_t corner = record.ReadInt(section, P + "Frame2r", kUnset);
        if (corner != kUnset) frame.roundCorner = BoundedLength(corner);
    }
    return frame;
}

bool DecorationHidden(const ViewState& view, bool noDecorationWhileEditing) {
    return view.mode == ViewMode::CardMode && noDecorationWhileEditing;
}

bool DecorationHidden(const ViewState& view) { return DecorationHidden(view, NoDecorationWhileEditing(*view.record)); }

ItemValue ReadItem(const SectionReader& card, const ItemKeys& keys) { return ReadItem(card, nullptr, keys); }

ItemValue ReadItem(const SectionReader& card, const SectionReader* texts, const ItemKeys& keys) {
    ItemValue item;
    item.name = keys.item;
    item.printed = card.ReadInt(keys.isPrint, 0) != 0;
    if (!item.printed) return item;
    item.text = TextOf(card, texts, keys);
    if (item.text.empty()) return item;
    item.xpos = BoundedLength(card.ReadInt(keys.xpos, item.xpos));
    item.ypos = BoundedLength(card.ReadInt(keys.ypos, item.ypos));
    item.font = CFontSetting::Read(card, keys.font);
    item.typesetting = ReadItemTypesetting(card, keys.typesetting);
    item.printPos = card.ReadInt(keys.printPos, item.printPos);
    item.printVPos = card.ReadInt(keys.printVPos, item.printVPos);
    if (item.typesetting.qr) return item;  // a QR code has none of the effects of text
    item.honorific = card.ReadString(keys.honorific, "");
    item.honorificSize = std::clamp(card.ReadInt(keys.honorificSize, item.honorificSize), 10, 100);
    ItemEffects& effects = item.effects;
    effects.box = card.ReadInt(keys.boxFlag, 0) == 1;
    if (effects.box) effects.boxColor = ReadColor(card, keys.boxColor, effects.boxColor);
    effects.hollow = card.ReadInt(keys.hollow, 0) != 0;
    effects.shadow = card.ReadInt(keys.shadow, effects.shadow);
    if (effects.shadow != 0) {
        effects.shadowX = card.ReadInt(keys.shadowX, effects.shadowX);
        effects.shadowY = card.ReadInt(keys.shadowY, effects.shadowY);
        effects.shadowColor = ReadColor(card, keys.shadowColor, effects.shadowColor);
    }
    return item;
}

namespace {

// A card drawn with the design of one section (reader, of designSection) and the texts of another
// (none: its own).
CardValue ReadDesigned(const ViewState& view, const std::string& section, const std::string& designSection,
                       const SectionReader& reader, const SectionReader* texts, const FrameValue& frame) {
    const CardKeys& keys = KeysFor(view);
    const Shared& shared = SharedFor(view);
    CardValue card;
    card.section = section;
    card.frame = frame;
    card.label = shared.label;
    card.textOverDecoration = shared.textOverDecoration;
    card.noDecorationWhileEditing = shared.noDecorationWhileEditing;
    card.back = texts != nullptr;

    // The name's keys first: they lead a card's section, so its first read finds them at once.
    card.items.reserve(keys.items.size());
    for (const ItemKeys& item : keys.items) {
        const bool nameDraws = !card.items.empty() && (card.back || card.items.front().Draws());
        if (card.items.empty() || nameDraws)
            card.items.push_back(ReadItem(reader, texts, item));
        else
            card.items.emplace_back().name = item.item;
    }
    const ItemValue& name = card.items.front();
    if (name.Draws() && SetsRuby(name.typesetting))
        card.ruby = ReadRuby(reader, texts, keys.items[1], name.typesetting.rubySize);
    for (std::size_t i = 0; i < card.lines.size(); ++i) card.lines[i] = ReadLine(reader, keys.lines[i]);
    card.image = ReadImage(reader, keys.image);
    // A card given the design of its category keeps that design's frame in its own keys.
    if (!reader.ReadString(keys.ownFrame, "").empty())
        card.frame = ReadFrameKeys(*view.record, designSection, view.slotPrefix);
    return card;
}

}  // namespace

CardValue ReadCard(const ViewState& view, const std::string& section) {
    const SectionReader reader(*view.record, section);
    return ReadDesigned(view, section, section, reader, nullptr, SharedFor(view).frame);
}

bool HasBack(const RecordProfile& record, const std::string& slotPrefix) {
    const profile::ProfileDocument& document = profile::ProfileService::Instance().Document(record.ReadFsPath());
    const std::size_t section = document.FindSection(BackSectionName(slotPrefix));
    if (section == profile::ProfileDocument::kNoSection) return false;
    bool valued = false;
    document.ForEachLine(section, [&](const profile::ProfileDocument::LineView& line) {
        valued = valued || (line.isKey && !line.value.empty());
    });
    return valued;
}

CardValue ReadCardBack(const ViewState& view, const std::string& section) {
    const std::string backSection = BackSectionName(view.slotPrefix);
    const SectionReader design(*view.record, backSection);
    const SectionReader texts(*view.record, section);
    return ReadDesigned(view, section, backSection, design, &texts, SharedFor(view).backFrame);
}
