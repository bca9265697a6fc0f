#include "dialogs/qt/pdf_export_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

CPdfExportDlg::CPdfExportDlg(std::int32_t pageCount, std::int32_t selectedCards, QWidget* parent)
    : ModelDialog(parent), model_(pageCount, selectedCards) {
    setWindowTitle(QStringLiteral("PDFに書き出し"));
    all_ = new QRadioButton(this);
    all_->setObjectName(QStringLiteral("allPages"));
    range_ = new QRadioButton(QStringLiteral("ページ指定"), this);
    range_->setObjectName(QStringLiteral("range"));
    connect(all_, &QRadioButton::clicked, this, [this] { Run([this] { model_.OnAllPages(true); }); });
    connect(range_, &QRadioButton::clicked, this, [this] { Run([this] { model_.OnAllPages(false); }); });
    selected_ = new QRadioButton(this);
    selected_->setObjectName(QStringLiteral("selectedCards"));
    connect(selected_, &QRadioButton::clicked, this, [this] { Run([this] { model_.OnSelectedCards(); }); });
    from_ = Field("from");
    to_ = Field("to");

    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(range_);
    rangeRow->addWidget(from_);
    rangeRow->addWidget(new QLabel(QStringLiteral("～"), this));
    rangeRow->addWidget(to_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(all_);
    layout->addLayout(rangeRow);
    layout->addWidget(selected_);
    layout->addWidget(OkCancel());

    model_.OnOpen();
    ShowFields();
}

void CPdfExportDlg::accept() {
    if (!TakeFields()) return;
    std::string problem;
    const std::optional<PdfChoice> choice = model_.Choice(problem);
    if (!choice) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(problem));
        return;
    }
    choice_ = *choice;
    QDialog::accept();
}

bool CPdfExportDlg::TakeFields() {
    model_.from = from_->text().toStdString();
    model_.to = to_->text().toStdString();
    return true;
}

void CPdfExportDlg::ShowFields() {
    all_->setText(QString::fromStdString(model_.allCaption));
    all_->setChecked(model_.allPages);
    range_->setChecked(!model_.allPages && !model_.selectedOnly);
    selected_->setText(QString::fromStdString(model_.selectedCaption));
    selected_->setChecked(model_.selectedOnly);
    selected_->setVisible(model_.selectedShown);
    if (from_->text() != QString::fromStdString(model_.from)) from_->setText(QString::fromStdString(model_.from));
    if (to_->text() != QString::fromStdString(model_.to)) to_->setText(QString::fromStdString(model_.to));
    from_->setEnabled(model_.rangeEnabled);
    to_->setEnabled(model_.rangeEnabled);
}

std::optional<PdfChoice> RunPdfExportDialog(QWidget* parent, std::int32_t pageCount, std::int32_t selectedCards) {
    CPdfExportDlg dialog(pageCount, selectedCards, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}
