#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "dialogs/sheet_chooser_model.h"

class ModelDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class SheetPreviewWidget;

// The search over the label products, their list, a picture of the chosen sheet and what the
// slot would hold: the body of "用紙を選ぶ", and a step of 名簿から作成.
class SheetSearchBox : public QWidget {
public:
    // dialog: the dialog whose Run the box's events go through.
    SheetSearchBox(SheetChooserModel& model, ModelDialog& dialog);

    void TakeFields();
    void ShowFields();

private:
    SheetChooserModel& model_;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    SheetPreviewWidget* picture_ = nullptr;
    QLabel* details_ = nullptr;
    std::vector<std::string> shownRows_;
};
