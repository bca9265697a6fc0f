#include "dialogs/qt/print_order_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/widget_text.h"

namespace {

std::vector<int> SelectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems()) rows.push_back(list->row(item));
    return rows;
}

// Fills the list anew only when its entries changed, so that a selection outlives other events.
void ShowEntries(QListWidget* list, const std::vector<std::string>& entries, const std::vector<int>& selection) {
    QStringList texts;
    for (const std::string& entry : entries) texts.append(ToWidgetText(entry));
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) shown.append(list->item(row)->text());
    if (shown != texts) {
        list->clear();
        list->addItems(texts);
    }
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(std::find(selection.begin(), selection.end(), row) != selection.end());
}

}  // namespace

CPrintOrderDlg::CPrintOrderDlg(const RecordProfile& record, QWidget* parent) : ModelDialog(parent), model_(record) {
    setWindowTitle(QStringLiteral("印刷順序指定"));
    registered_ = List("registered");
    order_ = List("order");

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button(QStringLiteral(">"), "move", [this] { model_.OnMove(); }));
    moveAll_ = Button(QStringLiteral(">>"), "moveAll", [this] { model_.OnMoveAll(); });
    buttons->addWidget(moveAll_);
    returnAll_ = Button(QStringLiteral("<<"), "returnAll", [this] { model_.OnReturnAll(); });
    buttons->addWidget(returnAll_);
    buttons->addWidget(Button(QStringLiteral("<"), "return", [this] { model_.OnReturn(); }));
    clear_ = Button(QStringLiteral("ｸﾘｱ"), "clear", [this] { model_.OnReturnAll(); });
    buttons->addWidget(clear_);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("登録内容"), this), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("印刷順序"), this), 0, 2);
    layout->addWidget(registered_, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(order_, 1, 2);
    layout->addWidget(OkCancel(), 2, 0, 1, 3);

    model_.OnOpen();
    ShowFields();

    // The entry stays where it is, and one more print of it joins the order.
    connect(registered_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = registered_->row(item);
        Run([this, row] { model_.OnRegisteredDoubleClick(row); });
    });
}

QListWidget* CPrintOrderDlg::List(const char* name) {
    auto* list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumWidth(180);
    return list;
}

bool CPrintOrderDlg::TakeFields() {
    model_.registeredSelection = SelectedRows(registered_);
    model_.orderSelection = SelectedRows(order_);
    return true;
}

void CPrintOrderDlg::ShowFields() {
    ShowEntries(registered_, model_.registered, model_.registeredSelection);
    ShowEntries(order_, model_.order, model_.orderSelection);
    moveAll_->setEnabled(model_.moveAllEnabled);
    returnAll_->setEnabled(model_.returnAllEnabled);
    clear_->setEnabled(model_.returnAllEnabled);
}

bool RunPrintOrderDialog(QWidget* parent, const RecordProfile& record) {
    CPrintOrderDlg dialog(record, parent);
    return dialog.exec() == QDialog::Accepted;
}
