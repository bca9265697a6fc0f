#include "dialogs/qt/model_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

ModelDialog::ModelDialog(QWidget* parent) : QDialog(parent) {}

void ModelDialog::accept() {
    if (!TakeFields()) {
        ShowFields();
        return;
    }
    Ok();
    QDialog::accept();
}

void ModelDialog::Run(const std::function<void()>& handler) {
    if (TakeFields()) handler();
    ShowFields();
}

QPushButton* ModelDialog::Button(const QString& caption, const char* name, std::function<void()> handler) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] { Run(handler); });
    return button;
}

QLineEdit* ModelDialog::Field(const char* name, std::function<void()> onEdited) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    if (!onEdited) onEdited = [] {};
    connect(edit, &QLineEdit::textEdited, this, [this, onEdited = std::move(onEdited)] { Run(onEdited); });
    return edit;
}

QWidget* ModelDialog::OkCancel() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), row);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), row);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}
