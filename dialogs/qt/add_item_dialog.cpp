#include "dialogs/qt/add_item_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

CAddItemDlg::CAddItemDlg(QWidget* parent)
    : QDialog(parent),
      model_(settings_),
      name_(new QLineEdit(this)),
      names_(new QListWidget(this)),
      add_(new QPushButton(QStringLiteral("追加"), this)) {
    setWindowTitle(QStringLiteral("Dialog"));
    name_->setObjectName(QStringLiteral("name"));
    names_->setObjectName(QStringLiteral("names"));
    add_->setObjectName(QStringLiteral("add"));
    add_->setAutoDefault(false);
    auto* remove = new QPushButton(QStringLiteral("削除"), this);
    remove->setObjectName(QStringLiteral("delete"));
    remove->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* note = new QLabel(QStringLiteral("最初から設定されている項目については編集できませんのであしからず"), this);
    note->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(name_, 0, 0);
    layout->addWidget(add_, 0, 1);
    layout->addWidget(names_, 1, 0, 3, 1);
    layout->addWidget(remove, 1, 1, Qt::AlignTop);
    layout->addWidget(ok, 2, 1, Qt::AlignBottom);
    layout->addWidget(cancel, 3, 1, Qt::AlignTop);
    layout->addWidget(note, 4, 0, 1, 2);

    model_.OnOpen();
    ShowFields();
    name_->setFocus();

    connect(name_, &QLineEdit::textEdited, this, [this] { Run(&AddItemModel::OnNameChanged); });
    connect(add_, &QPushButton::clicked, this, [this] { Run(&AddItemModel::OnAdd); });
    connect(names_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = names_->row(item);
        model_.OnDoubleClick(row);
        ShowFields();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        model_.selection = names_->currentRow();
        model_.OnDelete();
        ShowFields();
    });
    connect(ok, &QPushButton::clicked, this, &CAddItemDlg::Ok);
    connect(cancel, &QPushButton::clicked, this, &CAddItemDlg::reject);
}

void CAddItemDlg::Run(void (AddItemModel::*handler)()) {
    if (TakeStoredText(this, name_->text(), model_.name)) (model_.*handler)();
    ShowFields();
}

void CAddItemDlg::ShowFields() {
    if (name_->text() != ToWidgetText(model_.name)) name_->setText(ToWidgetText(model_.name));
    add_->setEnabled(model_.addEnabled);
    QStringList names;
    for (const std::string& name : model_.names) names.append(ToWidgetText(name));
    QStringList shown;
    for (int i = 0; i < names_->count(); ++i) shown.append(names_->item(i)->text());
    if (shown != names) {
        names_->clear();
        names_->addItems(names);
    }
}

void CAddItemDlg::Ok() {
    model_.OnOk();
    accept();
}

bool RunAddItemDialog(QWidget* parent) {
    CAddItemDlg dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}
