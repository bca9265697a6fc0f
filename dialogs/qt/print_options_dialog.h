#pragma once

#include <array>

#include "dialogs/print_options_model.h"
#include "dialogs/qt/model_dialog.h"
#include "editing/edit_session.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class SheetPreviewWidget;
class SlotRadioButtons;

// "印刷設定": the sheet layout of a label slot, with a small picture of the first sheet page
// that follows every change before anything is stored.
class CPrintOptDlg : public ModelDialog {
    Q_OBJECT

public:
    explicit CPrintOptDlg(EditSession& view, QWidget* parent = nullptr);

private:
    using Number = PrintOptionsModel::Number;

    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override { model_.OnOk(); }

    // A caption, the number's field and its step buttons, as one row of grid.
    void AddNumber(QGridLayout* grid, int row, const QString& caption, Number number, const char* name);
    QCheckBox* CheckBox(const QString& caption, const char* name, std::function<void()> handler);
    // A list of choices whose index is the stored code.
    QComboBox* Choices(const QStringList& captions, const char* name, std::function<void()> handler);

    EditSession& view_;
    PrintOptionsModel model_;
    SlotRadioButtons* slots_ = nullptr;
    std::array<QLineEdit*, PrintOptionsModel::kNumberCount> numbers_{};
    QCheckBox* noCutLine_ = nullptr;
    QCheckBox* textOverDecoration_ = nullptr;
    QCheckBox* cropMarks_ = nullptr;
    QComboBox* fold_ = nullptr;
    QCheckBox* foldLine_ = nullptr;
    QComboBox* duplex_ = nullptr;
    SheetPreviewWidget* preview_ = nullptr;
};

// Runs the dialog modally; true for OK. Either way the caller redraws, since switching slots
// has stored the slot left.
bool RunPrintOptionsDialog(QWidget* parent, EditSession& view);
