#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/decoration_platform.h"
#include "store/color_setting.h"
#include "store/profiles.h"

// "装飾線設定": the start and end points and the width of decorative line 1, 2 or 3 of the current
// card, and its colour. The fields are stored as typed; the colour is stored as soon as it is
// chosen. Cancel writes nothing, and keeps what the dialog stored while it was open.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class DecorativeLineModel {
public:
    enum Field : std::size_t { StartX, StartY, EndX, EndY, Width, kFieldCount };

    // line: 1 to 3; slot: the label slot (1 to 3); section: the card section.
    DecorativeLineModel(DecorationPlatform& platform, const RecordProfile& record, std::int32_t line,
                        std::int32_t slot, std::string section);

    // "開始座標" X and Y, "終了座標" X and Y, "線の幅": hundredths of an inch, as typed.
    std::array<std::string, kFieldCount> fields;
    // The line's colour, for the "色設定" button to show.
    ColorRef color = 0;

    void OnOpen();
    void OnColor();       // "色設定"
    void OnUpdateView();  // "ﾋﾞｭｰ更新"
    void OnOk();

    // The key of a field or of the colour: "%dLine%d" of slot and line, then the suffix.
    std::string Key(std::string_view suffix) const;

private:
    void WriteFields();

    DecorationPlatform& platform_;
    const RecordProfile& record_;
    const std::string base_, section_;
};
