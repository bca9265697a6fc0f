#pragma once

#include <QDialog>

#include "dialogs/add_item_model.h"

class QLineEdit;
class QListWidget;
class QPushButton;

// "Dialog": the user's own items, added by name or removed from the list. OK stores them.
class CAddItemDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAddItemDlg(QWidget* parent = nullptr);

private:
    // Moves the name field into the model, runs the handler and shows the result.
    void Run(void (AddItemModel::*handler)());
    void ShowFields();
    void Ok();

    const SettingsProfile settings_;
    AddItemModel model_;
    QLineEdit* name_;
    QListWidget* names_;
    QPushButton* add_;
};

// Runs the dialog modally; true when OK stored the list, and the caller then reloads the
// application's user items.
bool RunAddItemDialog(QWidget* parent);
