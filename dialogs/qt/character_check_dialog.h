#pragma once

#include "dialogs/character_check_model.h"
#include "dialogs/qt/model_dialog.h"

class QComboBox;
class QLabel;
class QTableWidget;

// "文字チェック": the characters that may print wrong, each large with its code point, kinds and
// substitutes; 置き換える on its card, すべて置き換える on every card.
class CCharacterCheckDlg : public ModelDialog {
    Q_OBJECT

public:
    CCharacterCheckDlg(cards::RecordCards cards, QWidget* parent = nullptr);

    // Whether a replacement was written, for the views to draw again.
    bool Replaced() const { return replaced_; }

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}

    CharacterCheckModel model_;
    QLabel* summary_ = nullptr;
    QTableWidget* table_ = nullptr;
    QComboBox* substitute_ = nullptr;
    QPushButton* replace_ = nullptr;
    QPushButton* replaceAll_ = nullptr;
    bool replaced_ = false;
};

// Runs the dialog modally; true when a replacement was written.
bool RunCharacterCheckDialog(QWidget* parent, cards::RecordCards cards);
