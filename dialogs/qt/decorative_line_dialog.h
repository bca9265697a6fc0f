#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/decorative_line_model.h"
#include "dialogs/qt/decoration_dialog.h"

// "装飾線設定": one decorative line of the current card.
class CSetLineDlg : public DecorationDialog {
    Q_OBJECT

public:
    // line: 1 to 3; slot: the label slot; section: the card section.
    CSetLineDlg(const RecordProfile& record, std::int32_t line, std::int32_t slot, std::string section,
                std::function<void()> refreshAllViews, QWidget* parent = nullptr);

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override;

    QWidget* BuildPoint(const QString& caption, DecorativeLineModel::Field x, DecorativeLineModel::Field y);

    DecorativeLineModel model_;
    std::array<QLineEdit*, DecorativeLineModel::kFieldCount> fields_{};
    QPushButton* color_ = nullptr;
};

// Runs the dialog modally on line 1, 2 or 3 of a card; true for OK. What "色設定" and "ﾋﾞｭｰ更新"
// stored stays after Cancel; the caller redraws afterwards.
bool RunDecorativeLineDialog(QWidget* parent, const RecordProfile& record, std::int32_t line, std::int32_t slot,
                             const std::string& section, std::function<void()> refreshAllViews);
