#include "dialogs/qt/label_chooser_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CGetLabelDlg::CGetLabelDlg(const RecordProfile& record, std::int32_t current, QWidget* parent)
    : QDialog(parent), model_(record, current) {
    setWindowTitle(QStringLiteral("ラベルのサイズ決定"));
    auto* text = new QLabel(
        QStringLiteral("今のところ下記1種類のサイズに対応しています。このあとすぐ編集用にどのサイズのラベルを使うか選択して下さい。"),
        this);
    text->setWordWrap(true);

    auto* group = new QGroupBox(this);
    auto* checks = new QGridLayout(group);
    const QString captions[kLabelSlotCount] = {QStringLiteral("名刺ｻｲｽﾞ"), QStringLiteral("ﾕｰｻﾞｰ定義(1)"),
                                               QStringLiteral("ﾕｰｻﾞｰ定義(2)")};
    for (std::int32_t i = 0; i < kLabelSlotCount; ++i) {
        QCheckBox* button = new QCheckBox(captions[i], group);
        button->setObjectName(QStringLiteral("slot%1").arg(i + 1));
        checks->addWidget(button, i, 0);
        connect(button, &QCheckBox::clicked, this, [this, i] { Click(i + 1); });
        buttons_[i] = button;
    }
    checks->addWidget(new QLabel(QStringLiteral("90mm x 54mm"), group), 0, 1);
    checks->setColumnStretch(1, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(group);
    layout->addWidget(new QLabel(QStringLiteral("サイズは初期値で、変更可能です"), this));
    layout->addWidget(ok, 0, Qt::AlignRight);

    model_.OnOpen();
    ShowChecks();
    connect(ok, &QPushButton::clicked, this, &CGetLabelDlg::Ok);
}

void CGetLabelDlg::Click(std::int32_t slot) {
    for (std::int32_t i = 0; i < kLabelSlotCount; ++i) model_.checked[i] = buttons_[i]->isChecked();
    model_.OnClick(slot);
    ShowChecks();
}

void CGetLabelDlg::ShowChecks() {
    for (std::int32_t i = 0; i < kLabelSlotCount; ++i) buttons_[i]->setChecked(model_.checked[i]);
}

void CGetLabelDlg::Ok() {
    model_.OnOk();
    accept();
}

void CGetLabelDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

std::optional<std::int32_t> RunLabelChooser(QWidget* parent, const RecordProfile& record, std::int32_t current) {
    CGetLabelDlg dialog(record, current, parent);
    dialog.exec();
    return dialog.Chosen();
}
