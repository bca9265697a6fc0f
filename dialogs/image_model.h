#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editing/edit_session.h"

// What the image dialog needs from the window system; tests put their own in its place.
class ImageDialogPlatform {
public:
    virtual ~ImageDialogPlatform() = default;
    // The open-file chooser for bitmaps, starting at a stored path: the chosen stored path, or
    // nothing when cancelled.
    virtual std::optional<std::string> ChooseImageFile(const std::string& start) = 0;
    virtual void RefreshAllViews() = 0;
};

// "画像ファイル指定": the bitmap of the current card in the view's label slot (keys "%dBMP",
// "%dBMPx", "%dBMPy", "%dBMPPos", "%dBMPZoom" of the card section), its place on the tag and
// its scale. Placement and zoom are written at once so that the tag shows them while the dialog
// is open; Cancel puts path, position and zoom back. The model also takes the part of the input
// dialog that opens it: it shows the image while editing, and stores or restores the path.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class ImageModel {
public:
    // In the order of the boxes: "左上", "左下", "中央", "右上", "右下", "自由位置".
    enum class Position { LeftTop = 0, LeftBottom, Centre, RightTop, RightBottom, Free };
    enum class Fit { Width = 0, Height = 1 };  // "幅をあわせる", "縦をあわせる"
    enum class Axis { X = 0, Y = 1 };

    ImageModel(ImageDialogPlatform& platform, EditSession& view, std::string cardSection);

    // Fields exchanged with the controls.
    std::string path;                                  // "画像ファイル名", as typed
    bool unreadable = false;                           // path names a file that cannot be read as a bitmap
    std::int32_t imageWidth = 0, imageHeight = 0;      // pixels of the last image loaded
    std::array<bool, 6> positions{};                   // by Position; exactly one is set
    std::array<std::string, 2> coordinates{"0", "0"};  // "x座標", "y座標"
    bool coordinatesEnabled = false;                   // only for "自由位置"
    std::array<bool, 2> stepUpEnabled{true, true};     // the +1 buttons of x and y
    std::int32_t zoom = 100;                           // percent
    std::int32_t zoomStep = 5;                         // the minus and plus buttons' step
    bool plusEnabled = true, minusEnabled = true;
    std::array<bool, 2> fits{false, true};  // by Fit; exactly one is set

    // Shows the image while editing, then reads everything the dialog shows.
    void OnOpen();
    void OnPathEdited();
    void OnBrowse();  // "参照"
    // A click on a position box, whichever state it left the box in.
    void OnPosition(Position position);
    // The plus (+1) or minus (−1) button.
    void OnZoom(std::int32_t direction);
    void OnAutoFit();  // "ｻｲｽﾞの自動調整"
    void OnFit(Fit fit);
    void OnStep(Axis axis, std::int32_t step);
    void OnUpdateView();  // "ﾋﾞｭｰ更新"
    // Stores the fit choice and the path as typed, even one that could not be read.
    void OnOk();
    // Puts back the path, position and zoom of the opening; the position box clicked last stays.
    void OnCancel();

private:
    std::string Key(const char* suffix) const { return prefix_ + suffix; }
    Position CurrentPosition() const;
    // Places the image by the position chosen and stores the offsets.
    void Place();
    void Load();
    void SetZoom(std::int64_t value);
    // Flushes the record file and redraws, so that the tag shows what was written.
    void StoreAndRefresh();

    ImageDialogPlatform& platform_;
    EditSession& view_;
    const RecordProfile& record_;
    std::string section_;
    std::string prefix_;  // "%dBMP" of the slot
    std::string openedPath_;
    std::int32_t openedX_ = 0, openedY_ = 0, openedZoom_ = 100;
};
