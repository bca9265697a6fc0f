#include "dialogs/qt/decoration_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/placement.h"
#include "dialogs/qt/widget_text.h"

DecorationDialog::DecorationDialog(std::function<void()> refreshAllViews, QWidget* parent)
    : QDialog(parent), refreshAllViews_(std::move(refreshAllViews)) {}

void DecorationDialog::accept() {
    if (!TakeFields()) {
        ShowFields();
        return;
    }
    Ok();
    QDialog::accept();
}

void DecorationDialog::Run(const std::function<void()>& handler) {
    if (TakeFields()) handler();
    ShowFields();
}

QPushButton* DecorationDialog::Button(const QString& caption, const char* name, std::function<void()> handler) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] { Run(handler); });
    return button;
}

QLineEdit* DecorationDialog::Field(const char* name, std::function<void()> onEdited) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    if (!onEdited) onEdited = [] {};
    connect(edit, &QLineEdit::textEdited, this, [this, onEdited = std::move(onEdited)] { Run(onEdited); });
    return edit;
}

QWidget* DecorationDialog::OkCancelUpdate(std::function<void()> onUpdate) {
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
    layout->addWidget(Button(QStringLiteral("ﾋﾞｭｰ更新"), "updateView", std::move(onUpdate)));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}

void DecorationDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    MoveToScreenTopRight(this);
}

std::optional<ColorRef> DecorationDialog::ChooseColor(ColorRef initial) { return RunColorChooser(this, initial); }

void DecorationDialog::RefreshAllViews() {
    if (refreshAllViews_) refreshAllViews_();
}
