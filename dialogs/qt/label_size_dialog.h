#pragma once

#include <cstdint>

#include "dialogs/label_size_model.h"
#include "dialogs/qt/model_dialog.h"

class SlotRadioButtons;

// "ﾗﾍﾞﾙｻｲｽﾞ設定": the width and height of the three label slots, stored as they are typed.
class CLabelSizeDlg : public ModelDialog {
    Q_OBJECT

public:
    // slot: the slot to start on (the view's, or 1 from the print settings). "用紙を選ぶ" also
    // stores the start offsets of the record file.
    CLabelSizeDlg(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot,
                  QWidget* parent = nullptr);

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override { model_.OnOk(); }

    const SettingsProfile& settings_;
    const RecordProfile& record_;
    LabelSizeModel model_;
    SlotRadioButtons* slots_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
};

// Runs the dialog modally; true for OK. Sizes typed are stored either way.
bool RunLabelSizeDialog(QWidget* parent, const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot);
