#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/qt/decoration_dialog.h"
#include "dialogs/text_decoration_model.h"

class QButtonGroup;
class QCheckBox;

// "文字列装飾": the text effects of one item of the current card.
class CDecolationDlg : public DecorationDialog {
    Q_OBJECT

public:
    // section: the card section; keyPrefix: the slot prefix and the item name ("1氏名").
    CDecolationDlg(const RecordProfile& record, std::string section, std::string keyPrefix,
                   std::function<void()> refreshAllViews, QWidget* parent = nullptr);

    // "ｷｬﾝｾﾙ", Escape or the close box.
    void reject() override;

private:
    using Axis = TextDecorationModel::Axis;

    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override;

    QWidget* BuildAngle();
    QWidget* BuildBackground();
    QWidget* BuildShadow();
    QWidget* BuildOffsets();

    TextDecorationModel model_;
    QLineEdit* angle_ = nullptr;
    QCheckBox* background_ = nullptr;
    QWidget* backgroundColor_ = nullptr;
    QButtonGroup* shadow_ = nullptr;
    std::array<QLineEdit*, 2> offset_{};
    // Enabled only while a shadow kind is chosen.
    std::vector<QWidget*> shadowControls_;
    QCheckBox* hollow_ = nullptr;
};

// Runs the dialog modally on an item of a card; true for OK. Its changes are in the record file
// either way, as far as Cancel keeps them; the caller redraws afterwards.
bool RunTextDecorationDialog(QWidget* parent, const RecordProfile& record, const std::string& section,
                             const std::string& keyPrefix, std::function<void()> refreshAllViews);
