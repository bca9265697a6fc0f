#include "dialogs/text_decoration_model.h"

#include <algorithm>

#include "dialogs/step_value.h"
#include "store/profile_value.h"

namespace {

// The tilt of a text, in degrees either way from the horizontal.
constexpr std::int32_t kMaxAngle = 180;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kShadowGrey = 0x808080;
constexpr const char* kDefaultOffset = "10";

std::size_t AxisIndex(TextDecorationModel::Axis axis) { return static_cast<std::size_t>(axis); }

}  // namespace

TextDecorationModel::TextDecorationModel(DecorationPlatform& platform, const RecordProfile& record,
                                         std::string section, std::string keyPrefix)
    : platform_(platform),
      record_(record),
      section_(std::move(section)),
      keyPrefix_(std::move(keyPrefix)),
      font_(DefaultItemFont()) {}

std::string TextDecorationModel::Key(std::string_view suffix) const { return keyPrefix_ + std::string(suffix); }

void TextDecorationModel::OnOpen() {
    hasFont_ = CFontSetting::Load(section_, keyPrefix_, font_, color_, record_.Path());
    angle = std::to_string(font_.lfEscapement / 10);
    background = record_.ReadInt(section_, Key("bBkCol"), 0) == 1;
    backgroundColorEnabled = background;
    shadow = static_cast<ShadowStyle>(record_.ReadInt(section_, Key("bShadow"), 0));
    offset = {record_.ReadString(section_, Key("ShadowX"), kDefaultOffset),
              record_.ReadString(section_, Key("ShadowY"), kDefaultOffset)};
    hollow = record_.ReadInt(section_, Key("Nakanuki"), 0) != 0;
    openedShadow_ = shadow;
    openedOffset_ = offset;
    EnableShadowControls();
}

void TextDecorationModel::EnableShadowControls() { shadowControlsEnabled = shadow != ShadowStyle::None; }

void TextDecorationModel::OnAngleEdited() {
    const std::int32_t value = profile::ParseLeadingInt(angle);
    if (value > kMaxAngle || value < -kMaxAngle) angle = std::to_string(std::clamp(value, -kMaxAngle, kMaxAngle));
}

void TextDecorationModel::OnAngleStep(std::int32_t step) { angle = SteppedText(angle, step, -kMaxAngle, kMaxAngle); }

void TextDecorationModel::OnOffsetStep(Axis axis, std::int32_t step) {
    std::string& field = offset[AxisIndex(axis)];
    field = SteppedText(field, step);
}

void TextDecorationModel::OnShadowChosen() { EnableShadowControls(); }

void TextDecorationModel::OnBackgroundToggled() {
    record_.WriteInt(section_, Key("bBkCol"), background ? 1 : 0);
    record_.Flush();
    backgroundColorEnabled = background;
    platform_.RefreshAllViews();
}

void TextDecorationModel::OnBackgroundColor() {
    ColorRef color = kWhite;
    CColorSetting::LoadFromRecord(section_, Key("BkCol"), color, kWhite, record_.Path());
    const std::optional<ColorRef> chosen = platform_.ChooseColor(color);
    if (!chosen) return;
    CColorSetting::SaveToRecord(section_, Key("BkCol"), *chosen, record_.Path());
    record_.Flush();
    platform_.RefreshAllViews();
}

void TextDecorationModel::OnShadowColor() {
    ColorRef color = kShadowGrey;
    CColorSetting::LoadFromRecord(section_, Key("ShadowCol"), color, kShadowGrey, record_.Path());
    const std::optional<ColorRef> chosen = platform_.ChooseColor(color);
    if (!chosen) return;
    CColorSetting::SaveToRecord(section_, Key("ShadowCol"), *chosen, record_.Path());
    // A new shadow colour is shown with the shadow as the dialog shows it.
    WriteShadow(shadow, offset);
    record_.Flush();
    platform_.RefreshAllViews();
}

void TextDecorationModel::WriteFont() {
    LogFont tilted = font_;
    // The angle field holds −180 … 180 after every edit; the clamp keeps a stray value in range.
    tilted.lfEscapement = std::clamp(profile::ParseLeadingInt(angle), -kMaxAngle, kMaxAngle) * 10;
    CFontSetting::Save(section_, keyPrefix_, tilted, color_, record_.Path());
}

void TextDecorationModel::WriteShadow(ShadowStyle kind, const std::array<std::string, 2>& offsets) {
    record_.WriteInt(section_, Key("bShadow"), static_cast<std::int32_t>(kind));
    // The same keys as "ShadowX" and "ShadowY": keys match without regard to letter case.
    record_.WriteString(section_, Key("shadowx"), offsets[AxisIndex(Axis::X)]);
    record_.WriteString(section_, Key("shadowy"), offsets[AxisIndex(Axis::Y)]);
}

void TextDecorationModel::OnUpdateView() {
    WriteFont();
    WriteShadow(shadow, offset);
    record_.Flush();
    platform_.RefreshAllViews();
}

void TextDecorationModel::OnOk() {
    WriteFont();
    record_.WriteInt(section_, Key("bBkCol"), background ? 1 : 0);
    WriteShadow(shadow, offset);
    record_.WriteInt(section_, Key("Nakanuki"), hollow ? 1 : 0);
    record_.Flush();
}

void TextDecorationModel::OnCancel() {
    if (hasFont_) {
        CFontSetting::Save(section_, keyPrefix_, font_, color_, record_.Path());
    } else {
        // An empty font value draws in the surface's font; "ﾋﾞｭｰ更新" may have stored one.
        record_.WriteString(section_, Key("Font"), "");
    }
    WriteShadow(openedShadow_, openedOffset_);
    record_.Flush();
}
