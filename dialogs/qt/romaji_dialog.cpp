#include "dialogs/qt/romaji_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CRomajiDlg::CRomajiDlg(const SettingsProfile& settings, cards::RecordCards cards, QWidget* parent)
    : ModelDialog(parent), model_(settings, std::move(cards)) {
    setWindowTitle(QStringLiteral("読みからローマ字"));
    from_ = ItemList("from");
    to_ = ItemList("to");
    givenFirst_ = new QRadioButton(QStringLiteral("名 姓 (Taro YAMADA)"), this);
    givenFirst_->setObjectName(QStringLiteral("givenFirst"));
    familyFirst_ = new QRadioButton(QStringLiteral("姓 名 (YAMADA Taro)"), this);
    familyFirst_->setObjectName(QStringLiteral("familyFirst"));
    for (QRadioButton* button : {givenFirst_, familyFirst_})
        connect(button, &QRadioButton::clicked, this, [this] { Run([this] { model_.OnChanged(); }); });
    example_ = new QLabel(this);
    example_->setObjectName(QStringLiteral("example"));

    auto* order = new QHBoxLayout;
    order->addWidget(givenFirst_);
    order->addWidget(familyFirst_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("読みの項目"), from_);
    form->addRow(QStringLiteral("書き込む項目"), to_);
    form->addRow(QStringLiteral("順序"), order);
    form->addRow(QStringLiteral("例"), example_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("読みは「姓 名」の順に、間を空けて入れてください。\n"
                                                "すべてのカードの項目にローマ字の名前を書き込みます。"),
                                 this));
    layout->addLayout(form);
    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    layout->addWidget(buttons);

    model_.OnOpen();
    ShowFields();
}

QComboBox* CRomajiDlg::ItemList(const char* name) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    connect(list, &QComboBox::activated, this, [this] { Run([this] { model_.OnChanged(); }); });
    return list;
}

bool CRomajiDlg::TakeFields() {
    model_.from = from_->currentIndex();
    model_.to = to_->currentIndex();
    model_.givenFirst = givenFirst_->isChecked();
    return true;
}

void CRomajiDlg::ShowFields() {
    for (QComboBox* list : {from_, to_}) {
        if (list->count() != static_cast<int>(model_.items.size())) {
            list->clear();
            for (const std::string& item : model_.items) list->addItem(QString::fromStdString(item));
        }
    }
    from_->setCurrentIndex(model_.from);
    to_->setCurrentIndex(model_.to);
    givenFirst_->setChecked(model_.givenFirst);
    familyFirst_->setChecked(!model_.givenFirst);
    example_->setText(QString::fromStdString(model_.example));
    if (ok_ != nullptr) ok_->setEnabled(model_.okEnabled);
}

bool RunRomajiDialog(QWidget* parent, const SettingsProfile& settings, cards::RecordCards cards) {
    CRomajiDlg dialog(settings, std::move(cards), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    QMessageBox::information(parent, QStringLiteral("読みからローマ字"), QString::fromStdString(dialog.Message()));
    return true;
}
