#pragma once

#include "dialogs/qt/model_dialog.h"
#include "dialogs/romaji_model.h"

class QComboBox;
class QLabel;
class QRadioButton;

// "読みからローマ字": which item holds the reading, which item gets the name, and the order.
class CRomajiDlg : public ModelDialog {
    Q_OBJECT

public:
    CRomajiDlg(const SettingsProfile& settings, cards::RecordCards cards, QWidget* parent = nullptr);

    // What OK wrote, to tell the user.
    const std::string& Message() const { return message_; }

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override { message_ = model_.OnOk(); }
    QComboBox* ItemList(const char* name);

    RomajiModel model_;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QRadioButton* givenFirst_ = nullptr;
    QRadioButton* familyFirst_ = nullptr;
    QLabel* example_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::string message_;
};

// Runs the dialog modally and tells what was written; true when the cards were written.
bool RunRomajiDialog(QWidget* parent, const SettingsProfile& settings, cards::RecordCards cards);
