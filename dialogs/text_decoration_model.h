#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/decoration_platform.h"
#include "render/card.h"
#include "store/font_setting.h"
#include "store/profiles.h"

// "文字列装飾": the tilt, background box, shadow or 3D effect and hollow lettering of one item of
// the current card. Some values are written at once, the rest on "ﾋﾞｭｰ更新" or OK. Cancel puts
// back the font and the shadow as they were at opening; the background and the colours chosen
// meanwhile stay.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class TextDecorationModel {
public:
    enum class Axis { X = 0, Y = 1 };

    // section: the card section; keyPrefix: the slot prefix and the item name ("1氏名").
    TextDecorationModel(DecorationPlatform& platform, const RecordProfile& record, std::string section,
                        std::string keyPrefix);

    // Fields exchanged with the controls; texts are stored text (code page 932).
    std::string angle;                    // degrees, as typed
    bool background = false;              // "文字の背景色を指定する"
    bool backgroundColorEnabled = false;  // its "色指定"
    ShadowStyle shadow = ShadowStyle::None;
    std::array<std::string, 2> offset;  // "X軸方向", "Y軸方向": percent, as typed
    // The shadow's "色指定", the offset fields and their captions; the step buttons always work.
    bool shadowControlsEnabled = false;
    bool hollow = false;  // "中抜き文字"

    void OnOpen();
    void OnAngleEdited();
    void OnAngleStep(std::int32_t step);
    void OnOffsetStep(Axis axis, std::int32_t step);
    // A radio button was clicked; shadow holds the new kind.
    void OnShadowChosen();
    void OnBackgroundToggled();
    void OnBackgroundColor();
    void OnShadowColor();
    void OnUpdateView();  // "ﾋﾞｭｰ更新"
    void OnOk();
    void OnCancel();

private:
    std::string Key(std::string_view suffix) const;
    // The item's font as read, tilted by the angle shown.
    void WriteFont();
    void WriteShadow(ShadowStyle kind, const std::array<std::string, 2>& offsets);
    void EnableShadowControls();

    DecorationPlatform& platform_;
    const RecordProfile& record_;
    const std::string section_, keyPrefix_;
    // The font as read at opening; only its escapement is the dialog's to change.
    LogFont font_;
    ColorRef color_ = 0;
    bool hasFont_ = true;  // false: the stored font value is empty
    // The shadow as read at opening, for Cancel.
    ShadowStyle openedShadow_ = ShadowStyle::None;
    std::array<std::string, 2> openedOffset_;
};
