#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "dialogs/label_chooser_model.h"

class QCheckBox;

// "ラベルのサイズ決定": three check buttons that act as one choice, and "OK"; Escape or closing
// the window cancels.
class CGetLabelDlg : public QDialog {
    Q_OBJECT

public:
    CGetLabelDlg(const RecordProfile& record, std::int32_t current, QWidget* parent = nullptr);

    const std::optional<std::int32_t>& Chosen() const { return model_.Result(); }
    void reject() override;

private:
    void Click(std::int32_t slot);
    void ShowChecks();
    void Ok();

    LabelChooserModel model_;
    std::array<QCheckBox*, kLabelSlotCount> buttons_{};
};

// Runs the chooser modally; on OK the slot is already stored in the record file. Returns the
// chosen slot, or nothing when cancelled.
std::optional<std::int32_t> RunLabelChooser(QWidget* parent, const RecordProfile& record, std::int32_t current);
