#include "dialogs/qt/typesetting_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

CTypesetDlg::CTypesetDlg(const RecordProfile& record, std::string section, std::string slotPrefix, std::string item,
                         std::int32_t labelWidth, std::function<void()> refreshAllViews, QWidget* parent)
    : DecorationDialog(std::move(refreshAllViews), parent),
      model_(*this, record, std::move(section), std::move(slotPrefix), std::move(item), labelWidth) {
    setWindowTitle(QStringLiteral("文字組み"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFit());
    vertical_ = Check(QStringLiteral("縦書き"), "vertical");
    ruby_ = Check(QStringLiteral("ふりがなを付ける"), "ruby");
    layout->addWidget(vertical_);
    layout->addWidget(ruby_);
    layout->addWidget(BuildQr());
    layout->addWidget(OkCancel());
    setFixedWidth(sizeHint().width());

    model_.OnOpen();
    ShowFields();
}

QCheckBox* CTypesetDlg::Check(const QString& caption, const char* name) {
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(QString::fromLatin1(name));
    connect(check, &QCheckBox::clicked, this, [this] { Run([this] { model_.OnChanged(); }); });
    return check;
}

QWidget* CTypesetDlg::BuildFit() {
    auto* group = new QGroupBox(QStringLiteral("幅に合わせる"), this);
    auto* grid = new QGridLayout(group);
    maxWidth_ = Field("maxWidth", [this] { model_.OnChanged(); });
    fitMin_ = Field("fitMin", [this] { model_.OnChanged(); });
    for (QLineEdit* field : {maxWidth_, fitMin_}) field->setMaximumWidth(60);
    grid->addWidget(new QLabel(QStringLiteral("最大幅"), group), 0, 0);
    grid->addWidget(maxWidth_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("1/100インチ"), group), 0, 2);
    grid->addWidget(Button(QStringLiteral("ラベル幅に合わせる"), "fitToLabel", [this] { model_.OnFitToLabel(); }), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("長体の下限"), group), 1, 0);
    grid->addWidget(fitMin_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), group), 1, 2);
    auto* note = new QLabel(QStringLiteral("最大幅より長い文字は、まず横に縮め、足りなければ小さくします。0で解除します。"), group);
    note->setWordWrap(true);
    grid->addWidget(note, 2, 0, 1, 4);
    wrap_ = Check(QStringLiteral("2行まで折り返す"), "wrap");
    grid->addWidget(wrap_, 3, 0, 1, 4);
    return group;
}

QWidget* CTypesetDlg::BuildQr() {
    auto* group = new QGroupBox(QStringLiteral("QRコード"), this);
    auto* grid = new QGridLayout(group);
    qr_ = Check(QStringLiteral("QRコードで印刷"), "qr");
    qrSize_ = Field("qrSize", [this] { model_.OnChanged(); });
    qrSize_->setMaximumWidth(60);
    qrLevel_ = new QComboBox(group);
    qrLevel_->setObjectName(QStringLiteral("qrLevel"));
    qrLevel_->addItems({QStringLiteral("L (7%)"), QStringLiteral("M (15%)"), QStringLiteral("Q (25%)"),
                        QStringLiteral("H (30%)")});
    connect(qrLevel_, &QComboBox::activated, this, [this] { Run([this] { model_.OnChanged(); }); });
    qrProblem_ = new QLabel(group);
    qrProblem_->setObjectName(QStringLiteral("qrProblem"));
    qrProblem_->setWordWrap(true);
    qrProblem_->setStyleSheet(QStringLiteral("color: #c00000"));
    grid->addWidget(qr_, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("大きさ"), group), 1, 0);
    grid->addWidget(qrSize_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("1/100インチ"), group), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("誤り訂正"), group), 2, 0);
    grid->addWidget(qrLevel_, 2, 1, 1, 2);
    grid->addWidget(qrProblem_, 3, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return group;
}

bool CTypesetDlg::TakeFields() {
    model_.vertical = vertical_->isChecked();
    model_.wrap = wrap_->isChecked();
    model_.ruby = ruby_->isChecked();
    model_.qr = qr_->isChecked();
    model_.qrLevel = qrLevel_->currentIndex();
    return TakeStoredText(this, maxWidth_->text(), model_.maxWidth) &&
           TakeStoredText(this, fitMin_->text(), model_.fitMin) && TakeStoredText(this, qrSize_->text(), model_.qrSize);
}

void CTypesetDlg::ShowFields() {
    ShowStoredText(maxWidth_, model_.maxWidth);
    ShowStoredText(fitMin_, model_.fitMin);
    vertical_->setChecked(model_.vertical);
    wrap_->setChecked(model_.wrap);
    ruby_->setChecked(model_.ruby);
    ruby_->setEnabled(model_.rubyEnabled);
    qr_->setChecked(model_.qr);
    ShowStoredText(qrSize_, model_.qrSize);
    qrLevel_->setCurrentIndex(model_.qrLevel);
    for (QWidget* control : std::initializer_list<QWidget*>{qrSize_, qrLevel_}) control->setEnabled(model_.qrControlsEnabled);
    qrProblem_->setText(ToWidgetText(model_.qrProblem));
    qrProblem_->setVisible(!model_.qrProblem.empty());
}

void CTypesetDlg::Ok() { model_.OnOk(); }

void CTypesetDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

bool RunTypesettingDialog(QWidget* parent, const RecordProfile& record, const std::string& section,
                          const std::string& slotPrefix, const std::string& item, std::int32_t labelWidth,
                          std::function<void()> refreshAllViews) {
    CTypesetDlg dialog(record, section, slotPrefix, item, labelWidth, std::move(refreshAllViews), parent);
    return dialog.exec() == QDialog::Accepted;
}
