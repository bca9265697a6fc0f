#pragma once

#include "dialogs/print_order_model.h"
#include "dialogs/qt/model_dialog.h"

class QListWidget;

// "印刷順序指定": the cards of the record file on the left, the order they print in on the
// right. OK stores the order.
class CPrintOrderDlg : public ModelDialog {
    Q_OBJECT

public:
    explicit CPrintOrderDlg(const RecordProfile& record, QWidget* parent = nullptr);

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override { model_.OnOk(); }

    QListWidget* List(const char* name);

    PrintOrderModel model_;
    QListWidget* registered_ = nullptr;
    QListWidget* order_ = nullptr;
    QPushButton* moveAll_ = nullptr;
    QPushButton* returnAll_ = nullptr;
    QPushButton* clear_ = nullptr;
};

// Runs the dialog modally; true when OK stored the order. Either way the caller redraws.
bool RunPrintOrderDialog(QWidget* parent, const RecordProfile& record);
