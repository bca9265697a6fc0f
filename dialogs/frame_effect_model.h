#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dialogs/decoration_platform.h"
#include "store/color_setting.h"
#include "store/profiles.h"

// The frame dialog also comes back to the front after "更新(&U)", so that the user can go on
// adjusting while looking at the tag.
class FrameEffectPlatform : public DecorationPlatform {
public:
    virtual void BringToFront() = 0;
};

// "各種効果": the decorative frame of the record file's label slot, in the section slot digit +
// "Frame". Every per-kind key is written under the kind chosen when the frame is written, so
// the values shown move to another kind when the user picks one.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class FrameEffectModel {
public:
    enum class Role { Inside = 0, Outside = 1, Border = 2 };
    enum class Area { Inside = 0, Outside = 1 };
    enum class Side { Top = 0, Bottom = 1, Left = 2, Right = 3 };

    // section: the frame section of the view's slot, e.g. "1Frame".
    FrameEffectModel(FrameEffectPlatform& platform, const RecordProfile& record, std::string section);

    // Fields exchanged with the controls.
    std::int32_t kind = 0;                   // "種類", a FrameKind
    std::array<ColorRef, 3> colors{};        // by Role
    std::array<std::int32_t, 2> patterns{};  // by Area, a FillPattern; −1 for no entry
    std::string width;                       // "太さ", as typed
    bool beforeImage = true;                 // "BMP画像より先に出力"
    bool allSides = false;                   // "すべて同じ"
    std::array<std::string, 4> distances;    // by Side, as typed
    bool outsideEnabled = false;             // the outside "色" and pattern list
    bool sidesEnabled = true;                // "下", "左", "右" and their fields
    std::string topCaption;                  // "上", or "幅" while one distance serves all sides

    void OnOpen();
    // A kind was picked from the list; the other fields keep what they show.
    void OnKindChosen(std::int32_t chosen);
    void OnChooseColor(Role role);
    void OnWidthEdited();
    void OnWidthStep(std::int32_t step);
    void OnDistanceStep(Side side, std::int32_t step);
    void OnAllSidesToggled();
    void OnUpdate();  // "更新(&U)"
    void OnOk();
    void OnCancel();

private:
    // One whole frame as written: the dialog's fields, or what was stored at opening.
    struct FrameValues {
        std::int32_t kind = 0;
        std::int32_t gap = 5;  // the common distance, written first as a number
        std::array<ColorRef, 3> colors{};
        std::int32_t width = 1;
        std::array<std::int32_t, 2> patterns{};
        std::int32_t beforeImage = 1;
        std::int32_t gapAll = 0;
        std::string gapText;  // the common distance as typed, while gapAll is set
        std::array<std::string, 4> sides;
    };

    void Write(const FrameValues& values);
    void WriteFields();
    void CorrectWidth();
    void ShowAllSides();

    FrameEffectPlatform& platform_;
    const RecordProfile& record_;
    std::string section_;
    FrameValues opened_;
    std::array<std::string, 4> remembered_;  // the distances when "すべて同じ" was last set
};
