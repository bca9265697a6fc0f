#include "dialogs/qt/decoration_dialog.h"

#include <QLayout>
#include <QPushButton>

#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/placement.h"

DecorationDialog::DecorationDialog(std::function<void()> refreshAllViews, QWidget* parent)
    : ModelDialog(parent), refreshAllViews_(std::move(refreshAllViews)) {}

QWidget* DecorationDialog::OkCancelUpdate(std::function<void()> onUpdate) {
    QWidget* row = OkCancel();
    row->layout()->addWidget(Button(QStringLiteral("ﾋﾞｭｰ更新"), "updateView", std::move(onUpdate)));
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
