#pragma once

#include <array>
#include <functional>

#include "dialogs/frame_effect_model.h"
#include "dialogs/qt/decoration_dialog.h"
#include "editing/edit_session.h"

class QCheckBox;
class QComboBox;
class QLabel;

// "各種効果": the frame of the view's label slot. OK and "更新(&U)" write it, Cancel (also Escape
// and the close box) writes back what was stored at opening.
class CEffectDlg : public DecorationDialog, private FrameEffectPlatform {
    Q_OBJECT

public:
    // section: the frame section, e.g. "1Frame". refreshAllViews redraws every view.
    CEffectDlg(const RecordProfile& record, std::string section, std::function<void()> refreshAllViews,
               QWidget* parent = nullptr);

    void reject() override;

private:
    using Role = FrameEffectModel::Role;
    using Area = FrameEffectModel::Area;
    using Side = FrameEffectModel::Side;

    // The decoration dialogs' own choosers and redraw serve the frame model too.
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    void RefreshAllViews() override;
    void BringToFront() override;

    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override;

    QPushButton* ColorButton(Role role, const QString& name);
    QComboBox* PatternList(QWidget* parent, const QString& name);
    QWidget* BuildFill(const QString& title, Area area, Role role, const QString& name);
    QWidget* BuildBorder();
    QWidget* BuildDistances();

    FrameEffectModel model_;
    QComboBox* kind_ = nullptr;
    std::array<QPushButton*, 3> colors_{};
    std::array<QComboBox*, 2> patterns_{};
    QLineEdit* width_ = nullptr;
    QCheckBox* beforeImage_ = nullptr;
    QCheckBox* allSides_ = nullptr;
    std::array<QLineEdit*, 4> distances_{};
    std::array<QLabel*, 4> sideLabels_{};
};

// Runs the dialog modally on the frame of the view's label slot and redraws all views when it
// closes, whatever the result; true for OK.
bool RunFrameEffectDialog(QWidget* parent, EditSession& view, std::function<void()> refreshAllViews);
