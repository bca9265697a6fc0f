#include "dialogs/property_panel_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "designs/category_rules.h"
#include "dialogs/font_choice.h"
#include "render/card_value.h"
#include "sheets/length.h"
#include "sheets/slot_sheet.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/font_setting.h"
#include "store/items.h"
#include "store/label_sizes.h"
#include "store/profile_value.h"
#include "store/typesetting.h"

namespace {

constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kSolid = static_cast<std::int32_t>(FillPattern::Solid);
constexpr std::int32_t kHollow = static_cast<std::int32_t>(FillPattern::Hollow);
// A fitted text keeps this far from the tag's sides; a band takes a fifth of the tag's height.
constexpr std::int32_t kFitMargin = 16;
constexpr std::int32_t kBandDivisor = 5;
// A decorative line drawn under the name when lines are turned on.
constexpr std::int32_t kLineGap = 3;
constexpr std::int32_t kLineWidth = 2;
constexpr int kLineCount = 3;

std::vector<NamedColor> Named(std::initializer_list<std::pair<const char*, ColorRef>> colors) {
    std::vector<NamedColor> named;
    for (const auto& [name, color] : colors) named.push_back({codec::Sjis(name), color});
    return named;
}


// A number as the panel shows it: at most one decimal, none when whole.
std::string Decimal(double value) {
    const long tenths = std::lround(value * 10);
    std::string shown = std::to_string(tenths / 10);
    if (tenths % 10 != 0) shown += "." + std::to_string(std::labs(tenths % 10));
    return (tenths < 0 && tenths > -10 ? "-" : "") + shown;
}

bool ParseDecimal(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

// Millimetres as typed, with or without "mm" (or another unit of a length).
bool ParseMillimetres(const std::string& text, double& millimetres) {
    return ParseDecimal(text, millimetres) || sheets::ParseLength(text, millimetres);
}

}  // namespace

const std::vector<NamedColor>& RibbonColors() {
    static const std::vector<NamedColor> colors =
        // The gallery's designs use the same red, blue, green and gold, so their bands are named.
        Named({{"白", kWhite}, {"赤", Rgb(176, 24, 32)}, {"桃", Rgb(240, 130, 170)}, {"黄", Rgb(250, 210, 40)},
               {"水", Rgb(110, 190, 235)}, {"青", Rgb(0, 84, 166)}, {"緑", Rgb(0, 128, 72)},
               {"金", Rgb(184, 134, 11)}, {"銀", Rgb(170, 170, 175)}});
    return colors;
}

const std::vector<NamedColor>& TextColors() {
    static const std::vector<NamedColor> colors = [] {
        std::vector<NamedColor> all = Named({{"黒", kBlack}, {"灰", Rgb(110, 110, 110)}, {"紺", Rgb(20, 30, 90)}});
        all.insert(all.end(), RibbonColors().begin(), RibbonColors().end());
        return all;
    }();
    return colors;
}

PropertyPanelModel::PropertyPanelModel(DecorationPlatform& platform, EditSession& session)
    : platform_(platform), session_(session) {
    follower_ = session_.Follow([this](EditSession::Change) {
        OnShow();
        if (changedElsewhere) changedElsewhere();
    });
}

PropertyPanelModel::~PropertyPanelModel() { session_.Unfollow(follower_); }

std::string PropertyPanelModel::Key(const char* suffix) const {
    return ItemKey(session_.State().slotPrefix, item, suffix);
}

void PropertyPanelModel::OnShow() {
    item = session_.SelectedItem().empty() ? FixedItems()[0] : session_.SelectedItem();
    const CardValue card = session_.CurrentCardValue();
    ReadItem(session_.ItemBoxesOf(card));
    ReadTag(card);
    ShowScope();
}

void PropertyPanelModel::ReadItem(const std::vector<ItemBox>& boxes) {
    const RecordProfile& record = session_.Record();
    const std::string section = session_.CurrentSection();
    text = exact_text::Read(record, section, item);
    LogFont font = DefaultItemFont();
    CFontSetting::Load(section, Key(""), font, color, record.Path());
    face = font.lfFaceName;
    // A whole size typed is stored to the nearest hundredth of an inch: it shows as typed.
    const double size = PointsFromHeight(font.lfHeight);
    const double whole = std::round(size);
    points = Decimal(HeightFromPoints(whole) == -std::abs(font.lfHeight) ? whole : size);
    bold = font.lfWeight >= 600;
    italic = font.lfItalic != 0;
    alignment = record.ReadInt(section, Key("PrintPos"), 0);
    if (alignment < 0 || alignment > 3) alignment = 0;
    print = record.ReadInt(section, IsPrintKey(session_.State().slotPrefix, item), 0) != 0;
    // Where the text is drawn, which for an aligned item is not its stored position.
    std::int32_t left = record.ReadInt(section, Key("Xpos"), 0), top = record.ReadInt(section, Key("Ypos"), 0);
    for (const ItemBox& box : boxes)
        if (box.item == item) left = box.left, top = box.top;
    x = Decimal(left * sheets::kMillimetresPerHundredth);
    y = Decimal(top * sheets::kMillimetresPerHundredth);
    const ItemTypesetting typesetting = ReadItemTypesetting(record, section, session_.State().slotPrefix, item);
    fitToLabel = typesetting.fitWidth > 0;
    vertical = typesetting.vertical;
    qr = typesetting.qr;
    rubyEnabled = item == FixedItems()[0];
    ruby = typesetting.ruby && rubyEnabled;
}

void PropertyPanelModel::ReadTag(const CardValue& card) {
    const FrameValue& frame = card.frame;
    frameKind = frame.kind;
    frameColor = frame.inside.border.color;
    fillColor = frame.inside.color;
    const std::vector<NamedColor>& ribbons = RibbonColors();
    const auto found = std::find_if(ribbons.begin(), ribbons.end(), [&](const NamedColor& c) { return c.color == frame.outside.color; });
    const bool banded = frame.kind != 0 && frame.outside.pattern == kSolid && frame.gapTop > frame.gapBottom;
    band = banded && found != ribbons.end() ? static_cast<std::int32_t>(found - ribbons.begin()) : -1;
    lines = std::any_of(card.lines.begin(), card.lines.end(), [](const LineValue& line) { return line.Draws(); });
}

void PropertyPanelModel::ShowScope() {
    const std::int32_t card = session_.CurrentCard();
    if (card != shownCard_ || session_.Record().Path() != shownPath_) {
        session_.ResetScope();
        shownCard_ = card;
        shownPath_ = session_.Record().Path();
    }
    scope = session_.Scope();
    sameDesignCaption = codec::Sjis("同じデザインの " + std::to_string(session_.CardsSharingDesign().size()) + " 枚");
    everyoneCaption = codec::Sjis("全員 " + std::to_string(session_.CardCount()) + " 枚");
    const std::string chosen = scope == DesignScope::SameDesign ? sameDesignCaption
                               : scope == DesignScope::Everyone ? everyoneCaption
                                                                : codec::Sjis("このカードだけ");
    scopeNote = chosen + codec::Sjis("に適用します");
}

void PropertyPanelModel::ChangeDesign(const std::function<void()>& write) {
    ScopedDesignChange change(session_);
    write();
    change.Commit();
    session_.StoredChanged(follower_);
    platform_.RefreshAllViews();
    OnShow();
}

void PropertyPanelModel::OnTextEdited() {
    RecordProfile& record = session_.Record();
    const std::string section = session_.CurrentSection();
    const bool changed = exact_text::Read(record, section, item) != text;
    exact_text::Write(record, section, item, text);
    record.Flush();
    if (changed) designs::FollowCategoryChange(session_.Settings(), record, profile::ParseLeadingInt(section), item);
    session_.StoredChanged(follower_);
    platform_.RefreshAllViews();
}

void PropertyPanelModel::ChangeFont(const std::function<void(LogFont&, ColorRef&)>& edit) {
    ChangeDesign([&] {
        const std::string section = session_.CurrentSection();
        const std::string& path = session_.Record().Path();
        LogFont font = DefaultItemFont();
        ColorRef stored = 0;
        CFontSetting::Load(section, Key(""), font, stored, path);
        edit(font, stored);
        CFontSetting::Save(section, Key(""), font, stored, path);
    });
}

void PropertyPanelModel::OnFont() {
    double size = 0;
    const bool sized = ParseDecimal(points, size) && size > 0;
    ChangeFont([&](LogFont& font, ColorRef&) {
        if (!face.empty()) font.lfFaceName = face.substr(0, kMaxFaceNameBytes);
        if (sized) font.lfHeight = HeightFromPoints(size);
        font.lfWeight = bold ? 700 : 400;
        font.lfItalic = italic ? 1 : 0;
    });
}

void PropertyPanelModel::OnColor(ColorRef chosen) {
    ChangeFont([&](LogFont&, ColorRef& stored) { stored = chosen; });
}

void PropertyPanelModel::OnChooseColor() {
    if (const std::optional<ColorRef> chosen = platform_.ChooseColor(color)) OnColor(*chosen);
}

void PropertyPanelModel::OnAlign(std::int32_t code) {
    ChangeDesign([&] { session_.Record().WriteInt(session_.CurrentSection(), Key("PrintPos"), code); });
}

void PropertyPanelModel::OnPositionEntered(Axis axis) {
    double millimetres = 0;
    if (!ParseMillimetres(axis == Axis::X ? x : y, millimetres) || millimetres < 0) {
        OnShow();
        return;
    }
    const LabelExtent label = session_.State().label;
    const std::int32_t at = std::min(sheets::Hundredths(millimetres), axis == Axis::X ? label.width : label.height);
    // A position typed places the item freely along that axis.
    ChangeDesign([&] {
        RecordProfile& record = session_.Record();
        const std::string section = session_.CurrentSection();
        record.WriteInt(section, Key(axis == Axis::X ? "Xpos" : "Ypos"), at);
        record.WriteInt(section, Key(axis == Axis::X ? "PrintPos" : "PrintVPos"), 0);
    });
}

void PropertyPanelModel::OnPrintToggled() {
    ChangeDesign([&] {
        session_.Record().WriteInt(session_.CurrentSection(), IsPrintKey(session_.State().slotPrefix, item), print ? 1 : 0);
    });
}

void PropertyPanelModel::OnTypesetting() {
    ChangeDesign([&] {
        const RecordProfile& record = session_.Record();
        const std::string section = session_.CurrentSection();
        const std::string& slot = session_.State().slotPrefix;
        ItemTypesetting values = ReadItemTypesetting(record, section, slot, item);
        const std::int32_t width = session_.State().label.width;
        const bool centred = record.ReadInt(section, Key("PrintPos"), 0) == static_cast<std::int32_t>(AlignmentCode::Centre);
        const std::int32_t xpos = centred ? kFitMargin : record.ReadInt(section, Key("Xpos"), 0);
        if (!fitToLabel)
            values.fitWidth = 0;
        else if (values.fitWidth <= 0)
            values.fitWidth = std::max(width - xpos - kFitMargin, 1);
        values.vertical = vertical;
        values.qr = qr;
        values.ruby = ruby && rubyEnabled;
        WriteItemTypesetting(record, section, slot, item, values);
    });
}

PropertyPanelModel::FrameKeys PropertyPanelModel::CurrentFrameKeys() const {
    const RecordProfile& record = session_.Record();
    const std::string& slot = session_.State().slotPrefix;
    // A card given its category's design has a frame of its own, a design key like any other.
    const std::string card = session_.CurrentSection();
    if (!record.ReadString(card, slot + "Frame", "").empty()) return {card, slot};
    return {slot + "Frame", ""};
}

void PropertyPanelModel::ChangeFrame(const std::function<void(const FrameKeys&, std::int32_t)>& write) {
    const FrameKeys keys = CurrentFrameKeys();
    const auto change = [&] {
        RecordProfile& record = session_.Record();
        std::int32_t kind = record.ReadInt(keys.section, keys.Kind(), 0);
        // Colours need a shape to go on: a plain rectangle, outlined in black rather than in the
        // white a frame has when nothing is stored.
        if (kind <= 0) kind = static_cast<std::int32_t>(FrameKind::Rectangle);
        record.WriteInt(keys.section, keys.Kind(), kind);
        if (record.ReadString(keys.section, keys.Of(kind, "BorderCol1"), "").empty()) {
            CColorSetting::SaveToRecord(keys.section, keys.Of(kind, "BorderCol1"), kBlack, record.Path());
            CColorSetting::SaveToRecord(keys.section, keys.Of(kind, "Inside"), kWhite, record.Path());
            record.WriteInt(keys.section, keys.Of(kind, "InsideRatio"), kSolid);
        }
        write(keys, kind);
    };
    // A card's own frame goes where its other design keys go; the slot's frame is shared as it is.
    if (!keys.prefix.empty()) {
        ChangeDesign(change);
        return;
    }
    change();
    session_.Record().Flush();
    session_.StoredChanged(follower_);
    platform_.RefreshAllViews();
    OnShow();
}

void PropertyPanelModel::OnFrameKind() {
    const std::int32_t chosen = frameKind;
    if (chosen == 0) {
        const FrameKeys keys = CurrentFrameKeys();
        const auto remove = [&] { session_.Record().WriteInt(keys.section, keys.Kind(), 0); };
        if (!keys.prefix.empty()) {
            ChangeDesign(remove);
            return;
        }
        remove();
        session_.Record().Flush();
        platform_.RefreshAllViews();
        OnShow();
        return;
    }
    ChangeFrame([&](const FrameKeys& keys, std::int32_t kind) {
        RecordProfile& record = session_.Record();
        record.WriteInt(keys.section, keys.Kind(), chosen);
        // The new shape takes the colours of the one before.
        for (const char* what : {"BorderCol1", "Inside", "InsideRatio", "Outside", "OutsideRatio", "BorderCol2",
                                 "GapT", "GapB", "GapL", "GapR", "GapAll", "Gap", "BorderWidth1"}) {
            const std::string value = record.ReadString(keys.section, keys.Of(kind, what), "");
            if (!value.empty() && record.ReadString(keys.section, keys.Of(chosen, what), "").empty())
                record.WriteString(keys.section, keys.Of(chosen, what), value);
        }
    });
}

void PropertyPanelModel::OnFrameColor(ColorRef chosen) {
    ChangeFrame([&](const FrameKeys& keys, std::int32_t kind) {
        CColorSetting::SaveToRecord(keys.section, keys.Of(kind, "BorderCol1"), chosen, session_.Record().Path());
    });
}

void PropertyPanelModel::OnFillColor(ColorRef chosen) {
    ChangeFrame([&](const FrameKeys& keys, std::int32_t kind) {
        CColorSetting::SaveToRecord(keys.section, keys.Of(kind, "Inside"), chosen, session_.Record().Path());
        session_.Record().WriteInt(keys.section, keys.Of(kind, "InsideRatio"), kSolid);
    });
}

void PropertyPanelModel::OnBand() {
    const FrameValue frame = session_.CurrentCardValue().frame;
    const LabelExtent label = session_.State().label;
    ChangeFrame([&](const FrameKeys& keys, std::int32_t kind) {
        RecordProfile& record = session_.Record();
        const bool on = band >= 0 && static_cast<std::size_t>(band) < RibbonColors().size();
        const ColorRef outside = on ? RibbonColors()[static_cast<std::size_t>(band)].color : kWhite;
        CColorSetting::SaveToRecord(keys.section, keys.Of(kind, "Outside"), outside, record.Path());
        CColorSetting::SaveToRecord(keys.section, keys.Of(kind, "BorderCol2"), outside, record.Path());
        record.WriteInt(keys.section, keys.Of(kind, "OutsideRatio"), on ? kSolid : kHollow);
        // The band is the outside showing above the inner shape; without it the shape sits evenly.
        const std::int32_t top = on ? std::max(frame.gapTop, label.height / kBandDivisor) : frame.gapBottom;
        record.WriteInt(keys.section, keys.Of(kind, "GapAll"), 0);
        record.WriteInt(keys.section, keys.Of(kind, "GapT"), top);
        record.WriteInt(keys.section, keys.Of(kind, "GapB"), frame.gapBottom);
        record.WriteInt(keys.section, keys.Of(kind, "GapL"), frame.gapLeft);
        record.WriteInt(keys.section, keys.Of(kind, "GapR"), frame.gapRight);
    });
}

void PropertyPanelModel::OnLinesToggled() {
    const std::string name = FixedItems()[0];
    std::int32_t under = session_.State().label.height / 2;
    for (const ItemBox& box : session_.CurrentItemBoxes())
        if (box.item == name) under = box.bottom + kLineGap;
    const std::int32_t width = session_.State().label.width;
    const ColorRef lineColor = band >= 0 ? RibbonColors()[static_cast<std::size_t>(band)].color : kBlack;
    ChangeDesign([&] {
        RecordProfile& record = session_.Record();
        const std::string section = session_.CurrentSection();
        const std::string& slot = session_.State().slotPrefix;
        for (int line = 1; line <= kLineCount; ++line) {
            const std::string prefix = slot + "Line" + std::to_string(line);
            // On: one line under the name; off: no line at all (all four ends 0).
            const bool drawn = lines && line == 1;
            record.WriteInt(section, prefix + "sx", drawn ? kFitMargin : 0);
            record.WriteInt(section, prefix + "sy", drawn ? under : 0);
            record.WriteInt(section, prefix + "ex", drawn ? width - kFitMargin : 0);
            record.WriteInt(section, prefix + "ey", drawn ? under : 0);
            if (drawn) {
                CColorSetting::SaveToRecord(section, prefix + "Col", lineColor, record.Path());
                record.WriteInt(section, prefix + "Width", kLineWidth);
            }
        }
    });
}

void PropertyPanelModel::OnScope() {
    session_.SetScope(scope);
    ShowScope();
}
