#pragma once

#include "dialogs/category_rules_model.h"
#include "dialogs/qt/model_dialog.h"

class QLabel;
class QTableWidget;

// "区分ごとのデザイン": one row per rule — item, value, design, honorific.
class CCategoryRulesDlg : public ModelDialog {
    Q_OBJECT

public:
    CCategoryRulesDlg(const SettingsProfile& settings, cards::RecordCards cards, QWidget* parent = nullptr);

    const std::string& Message() const { return message_; }

protected:
    // A click in a 敬称 box opens its list; typing an honorific of one's own still works.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override { message_ = model_.OnOk(); }
    void BuildRow(int row);

    CategoryRulesModel model_;
    QTableWidget* table_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* problem_ = nullptr;
    std::string message_;
};

// Runs the dialog modally and tells what was written; true when the cards were written.
bool RunCategoryRulesDialog(QWidget* parent, const SettingsProfile& settings, cards::RecordCards cards);
