#pragma once

#include <array>
#include <functional>
#include <string>

#include "dialogs/image_model.h"
#include "dialogs/qt/decoration_dialog.h"

class QCheckBox;
class QLabel;
class QToolButton;

// "画像ファイル指定": the image of the current card, its place on the tag and its scale. The
// tag shows each change at once; Cancel (also Escape and the close box) puts back path,
// position and zoom.
class CGetBmpDlg : public DecorationDialog, private ImageDialogPlatform {
    Q_OBJECT

public:
    // cardSection: the current card, e.g. "0003". refreshAllViews redraws every view.
    CGetBmpDlg(EditSession& view, std::string cardSection, std::function<void()> refreshAllViews,
               QWidget* parent = nullptr);

    void reject() override;

private:
    using Position = ImageModel::Position;
    using Fit = ImageModel::Fit;
    using Axis = ImageModel::Axis;

    std::optional<std::string> ChooseImageFile(const std::string& start) override;
    // The decoration dialogs' redraw serves the image model too.
    void RefreshAllViews() override;

    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override;

    QWidget* BuildFile();
    QWidget* BuildPositions();
    QWidget* BuildSizes();
    QWidget* BuildZoom();
    QWidget* BuildFit();

    ImageModel model_;
    QLineEdit* path_ = nullptr;
    QLabel* unreadable_ = nullptr;
    std::array<QCheckBox*, 6> positions_{};
    std::array<QLineEdit*, 2> coordinates_{};
    std::array<QWidget*, 2> steps_{};
    std::array<QToolButton*, 2> stepUp_{};
    QLabel* imageWidth_ = nullptr;
    QLabel* imageHeight_ = nullptr;
    QLabel* zoom_ = nullptr;
    QPushButton* minus_ = nullptr;
    QPushButton* plus_ = nullptr;
    std::array<QCheckBox*, 2> fits_{};
};

// Runs the dialog modally on the image of a card of the view's record file and label slot, as
// "画像指定" of the input dialog does: afterwards the path is stored (OK, as typed) or path and
// position are put back (Cancel), and all views are redrawn. True for OK.
bool RunImageDialog(QWidget* parent, EditSession& view, const std::string& cardSection,
                    std::function<void()> refreshAllViews);
