#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/slot_buttons.h"
#include "render/sheet.h"
#include "store/print_sides.h"
#include "store/profiles.h"

// "印刷設定": how the tags of one label slot land on the sheet (columns, rows, gaps, cut lines),
// with the record file's start offsets and crop-mark choice and the installation's
// text-over-decoration choice. Numbers are stored exactly as typed (code page 932 text).
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class PrintOptionsModel {
public:
    // The numeric fields, in dialog order; each has a pair of step buttons.
    enum class Number { Columns, Rows, GapH, GapV, Top, Left };
    static constexpr std::size_t kNumberCount = 6;

    PrintOptionsModel(const SettingsProfile& settings, const RecordProfile& record);

    // Fields exchanged with the controls.
    SlotButtons slotButtons;                        // "名刺ｻｲｽﾞ" and two without caption
    std::array<std::string, kNumberCount> numbers;  // "横に", "縦に", "左右", "上下", "上から", "左から"
    bool noCutLine = false;                         // "切り取り線を出力しない"
    bool textOverDecoration = false;                // "装飾線・画像上に文字を出力"
    bool cropMarks = false;                         // "トンボで出力"
    bool cropMarksEnabled = true;
    PrintSides sides;              // "折り", "折り線", "両面" of the slot
    bool foldLineEnabled = false;  // a flat tag has no fold to draw

    std::string& Field(Number number) { return numbers[static_cast<std::size_t>(number)]; }
    const std::string& Field(Number number) const { return numbers[static_cast<std::size_t>(number)]; }

    void OnOpen();
    // Saves the slot being edited, then shows the other slot's values.
    void OnSlot(std::int32_t slot);
    void OnStep(Number number, std::int32_t step);
    void OnNoCutLineClicked();
    void OnFoldChanged();
    void OnOk();
    // "用紙を選ぶ" has stored a sheet in the slot being edited: its numbers and the cut-line box
    // (a sheet of labels that come cut turns cut lines off) are shown as stored, the other check
    // boxes keep what was clicked.
    void OnSheetChosen();

    std::int32_t EditSlot() const { return editSlot_; }
    // The layout the fields stand for, as the sheet would read it once they are stored.
    SheetLayout Layout() const;

private:
    void Load();
    void LoadNumbers();
    void LoadNoCutLine();
    void Save() const;

    const SettingsProfile& settings_;
    const RecordProfile& record_;
    std::int32_t editSlot_ = 1;
    std::string slotPrefix_ = "1";
};
