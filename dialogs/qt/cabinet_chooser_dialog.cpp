#include "dialogs/qt/cabinet_chooser_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/widget_text.h"

CGetGenreDlg::CGetGenreDlg(std::string preset, QWidget* parent)
    : QDialog(parent), model_(std::move(preset)), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("キャビネット選択"));
    list_->setObjectName(QStringLiteral("cabinets"));
    auto* text = new QLabel(QStringLiteral("これから入力するデータを保存するキャビネットを左のリストから選択して下さい。"), this);
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(text);
    side->addStretch();
    side->addWidget(ok, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(side, 1);

    model_.OnOpen();
    for (const std::string& entry : model_.entries) list_->addItem(ToWidgetText(entry));
    list_->setCurrentRow(model_.selection);
    // Room for all eight cabinets without scrolling.
    list_->setFixedSize(list_->sizeHintForColumn(0) + 4 * list_->frameWidth() + 16,
                        list_->sizeHintForRow(0) * list_->count() + 2 * list_->frameWidth() + 4);
    text->setMinimumWidth(list_->width() + 40);

    connect(list_, &QListWidget::itemSelectionChanged, this, &CGetGenreDlg::Select);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { DoubleClick(list_->row(item)); });
    connect(ok, &QPushButton::clicked, this, &CGetGenreDlg::Ok);
}

void CGetGenreDlg::Select() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    model_.OnSelect(selected.isEmpty() ? -1 : list_->row(selected.front()));
}

void CGetGenreDlg::DoubleClick(int row) {
    if (model_.OnDoubleClick(row)) accept();
}

void CGetGenreDlg::Ok() {
    if (model_.OnOk()) accept();
}

void CGetGenreDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

std::optional<std::string> RunCabinetChooser(QWidget* parent, const std::string& preset) {
    CGetGenreDlg dialog(preset, parent);
    dialog.exec();
    return dialog.Chosen();
}
