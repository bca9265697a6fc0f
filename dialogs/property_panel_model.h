#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/decoration_platform.h"
#include "editing/edit_session.h"
#include "store/color_setting.h"
#include "store/font_setting.h"

// A colour by the name organisers call it (stored text, code page 932).
struct NamedColor {
    std::string name;
    ColorRef color = 0;
};
// The colours of ribbons and bands on name tags: 白, 赤, 桃, 黄, 水, 青, 緑, 金, 銀.
const std::vector<NamedColor>& RibbonColors();
// The colours offered for text: 黒, 灰, 紺, then the ribbon colours.
const std::vector<NamedColor>& TextColors();

// The プロパティ panel: the selected item of the current card and the tag, each control
// written at once and shown on the tag. A change to the item's design goes to every card that
// shares the card's design (同じデザイン), to every card of the label slot with its own design
// (全員), or to this card alone, as the scope says; its text always belongs to this card, and the
// frame to every card of the record file and label slot.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards; Follow tells it to show them after a change made elsewhere.
class PropertyPanelModel {
public:
    enum class Axis { X = 0, Y = 1 };

    PropertyPanelModel(DecorationPlatform& platform, EditSession& session);
    ~PropertyPanelModel();
    PropertyPanelModel(const PropertyPanelModel&) = delete;
    PropertyPanelModel& operator=(const PropertyPanelModel&) = delete;

    // Told whenever the view, the input dialog or the roster changed what the panel shows.
    std::function<void()> changedElsewhere;

    // Item fields; texts are stored text, numbers as typed.
    std::string item;  // the selected item's name
    std::string text;  // its text on this card
    std::string face;
    std::string points;
    bool bold = false, italic = false;
    ColorRef color = 0;
    std::int32_t alignment = 0;  // AlignmentCode: 3 左, 2 中央, 1 右, 0 placed freely
    std::string x, y;            // millimetres from the tag's top-left corner to the text
    bool print = false;
    bool fitToLabel = false, vertical = false, ruby = false, qr = false;
    bool rubyEnabled = false;  // the name alone carries its reading as ruby
    // Tag fields.
    std::int32_t frameKind = 0;  // FrameKind
    ColorRef frameColor = 0, fillColor = 0;
    std::int32_t band = -1;  // index into RibbonColors, −1 for none
    bool lines = false;
    // Scope.
    DesignScope scope = DesignScope::SameDesign;
    std::string sameDesignCaption, everyoneCaption;  // "同じデザインの 165 枚", "全員 200 枚"
    std::string scopeNote;  // how many cards a change goes to

    // Reads everything again from what is stored.
    void OnShow();
    void OnTextEdited();
    void OnFont();  // face, size, bold or italic
    void OnColor(ColorRef chosen);
    // The colour chooser, starting from the item's colour.
    void OnChooseColor();
    void OnAlign(std::int32_t code);
    void OnPositionEntered(Axis axis);
    void OnPrintToggled();
    void OnTypesetting();  // any of ラベル幅に合わせる, 縦書き, ふりがな, QRコード
    void OnFrameKind();
    void OnFrameColor(ColorRef chosen);
    void OnFillColor(ColorRef chosen);
    void OnBand();
    void OnLinesToggled();
    void OnScope();

private:
    // One user change: written by `write` to the current card, then copied within the scope,
    // drawn and shown.
    void ChangeDesign(const std::function<void()>& write);
    // The item's stored font and colour changed by `edit`, as a design change.
    void ChangeFont(const std::function<void(LogFont&, ColorRef&)>& edit);
    // A change to the record file's frame, which every card of the slot shares.
    // Where the current card's frame is kept: the slot's frame section, or the card itself.
    struct FrameKeys {
        std::string section, prefix;
        std::string Kind() const { return prefix + "Frame"; }
        std::string Of(std::int32_t kind, const char* what) const {
            return prefix + "Frame" + std::to_string(kind) + what;
        }
    };
    FrameKeys CurrentFrameKeys() const;
    void ChangeFrame(const std::function<void(const FrameKeys& keys, std::int32_t kind)>& write);
    void ReadItem(const std::vector<ItemBox>& boxes);
    void ReadTag(const CardValue& card);
    void ShowScope();
    std::string Key(const char* suffix) const;

    DecorationPlatform& platform_;
    EditSession& session_;
    int follower_ = EditSession::kNobody;
    // The card shown last: on another card the scope starts again from its usual value.
    std::string shownPath_;
    std::int32_t shownCard_ = -1;
};
