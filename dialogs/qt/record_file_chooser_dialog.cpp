#include "dialogs/qt/record_file_chooser_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "widgets/widget_text.h"

CGetIniNameDlg::CGetIniNameDlg(const RecordProfile& record, std::string cabinet, std::string folder,
                               std::string presetName, QWidget* parent)
    : QDialog(parent),
      model_(*this, record, std::move(cabinet), std::move(folder), std::move(presetName)),
      name_(new QLineEdit(this)),
      files_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("記録ファイル選択"));
    name_->setObjectName(QStringLiteral("name"));
    files_->setObjectName(QStringLiteral("files"));
    auto* cabinetText = new QLabel(this);
    cabinetText->setObjectName(QStringLiteral("cabinet"));
    auto* text = new QLabel(QStringLiteral("記録ﾌｧｲﾙ名を記入するか、リストボックスに表示されているものから選択して下さい。"), this);
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("記録ﾌｧｲﾙ名"), this), 0, 0);
    layout->addWidget(name_, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("現在のｷｬﾋﾞﾈｯﾄ"), this), 1, 0);
    layout->addWidget(cabinetText, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("ﾌｧｲﾙ一覧"), this), 2, 0, Qt::AlignTop);
    layout->addWidget(files_, 2, 1);
    layout->addWidget(text, 3, 0, 1, 2);
    layout->addWidget(ok, 4, 1, Qt::AlignRight);

    model_.OnOpen();
    name_->setText(ToWidgetText(model_.name));
    cabinetText->setText(ToWidgetText(model_.cabinetText));
    for (const std::string& file : model_.files) files_->addItem(ToWidgetText(file));

    connect(files_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { DoubleClick(files_->row(item)); });
    connect(ok, &QPushButton::clicked, this, &CGetIniNameDlg::Ok);
}

void CGetIniNameDlg::Beep() { QApplication::beep(); }

void CGetIniNameDlg::FocusNameField() { name_->setFocus(); }

void CGetIniNameDlg::DoubleClick(int row) {
    model_.OnDoubleClick(row);
    name_->setText(ToWidgetText(model_.name));
}

void CGetIniNameDlg::Ok() {
    model_.nameStorable = FromWidgetText(name_->text(), model_.name);
    if (model_.OnOk()) accept();
}

void CGetIniNameDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

std::optional<std::string> RunRecordFileChooser(QWidget* parent, const RecordProfile& record,
                                                const std::string& cabinet, const std::string& folder,
                                                const std::string& presetName) {
    CGetIniNameDlg dialog(record, cabinet, folder, presetName, parent);
    dialog.exec();
    return dialog.Chosen();
}
