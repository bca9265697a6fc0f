#pragma once

#include <string>

#include "dialogs/decoration_platform.h"
#include "store/profiles.h"
#include "store/typesetting.h"

// "文字組み": how one item of the current card is set — fitted to a width, vertical, with its
// reading as furigana (the name only) or as a QR code. Every change is written at once and
// shown on the tag; Cancel writes back what was read at opening.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class TypesettingModel {
public:
    // item: the item's stored name; labelWidth: W of the slot, for "ラベル幅に合わせる".
    TypesettingModel(DecorationPlatform& platform, const RecordProfile& record, std::string section,
                     std::string slotPrefix, std::string item, std::int32_t labelWidth);

    // Fields exchanged with the controls; numbers as typed (stored text).
    std::string maxWidth;  // "最大幅", hundredths of an inch; empty or 0 = no fitting
    std::string fitMin;    // "長体の下限", percent
    bool wrap = false;      // "2行まで折り返す"
    bool vertical = false;  // "縦書き"
    bool ruby = false;      // "ふりがなを付ける"
    bool rubyEnabled = false;  // only for the name
    bool qr = false;        // "QRコードで印刷"
    std::string qrSize;     // "QRの大きさ", hundredths of an inch
    int qrLevel = 1;        // "誤り訂正": 0 L, 1 M, 2 Q, 3 H
    bool qrControlsEnabled = false;
    std::string qrProblem;  // why the item's text cannot be printed as a QR code, or empty

    void OnOpen();
    // Any control changed: the settings are written and shown.
    void OnChanged();
    // "ラベル幅に合わせる": the label width less the item's X position.
    void OnFitToLabel();
    void OnOk();
    void OnCancel();

    // The settings the fields stand for, brought into range.
    ItemTypesetting Settings() const;

private:
    void Write(const ItemTypesetting& values);
    void Explain();

    DecorationPlatform& platform_;
    const RecordProfile& record_;
    const std::string section_, slotPrefix_, item_;
    const std::int32_t labelWidth_;
    ItemTypesetting opened_;
};

// What the user is told when the text cannot become a QR code at this level and size, or "".
std::string QrProblemText(const std::string& storedText, char level, std::int32_t size);
