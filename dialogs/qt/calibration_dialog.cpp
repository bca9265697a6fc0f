#include "dialogs/qt/calibration_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "render/calibration_page.h"
#include "render/qt/qpainter_surface.h"

CCalibrationDlg::CCalibrationDlg(const SettingsProfile& settings, QPrinter& printer, QWidget* parent)
    : ModelDialog(parent), settings_(settings), printer_(printer), model_(settings, CalibrationPrinterName(printer), *this) {
    setWindowTitle(QStringLiteral("プリンタの調整"));
    heading_ = new QLabel(this);
    offsetX_ = Field("offsetX");
    offsetY_ = Field("offsetY");
    scale_ = Field("scale");
    backOffsetX_ = Field("backOffsetX");
    backOffsetY_ = Field("backOffsetY");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("右へのずれ (mm)"), offsetX_);
    form->addRow(QStringLiteral("下へのずれ (mm)"), offsetY_);
    form->addRow(QStringLiteral("倍率の補正 (%)"), scale_);
    form->addRow(QStringLiteral("裏面のずれ X (mm)"), backOffsetX_);
    form->addRow(QStringLiteral("裏面のずれ Y (mm)"), backOffsetY_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(new QLabel(QStringLiteral("テストページの十字が正しい位置からずれた量を入力します。\n"
                                                "ずれは -10.0～10.0 mm、倍率は -2.00～2.00 %。"),
                                 this));
    layout->addWidget(Button(QStringLiteral("テストページを印刷"), "testPage", [this] { model_.OnPrintTestPage(); }));
    layout->addWidget(Button(QStringLiteral("表裏合わせのテストページを印刷"), "registrationPages",
                             [this] { model_.OnPrintRegistrationPages(); }));
    layout->addLayout(form);
    layout->addWidget(OkCancel());

    model_.OnOpen();
    ShowFields();
}

void CCalibrationDlg::accept() {
    if (TakeFields() && model_.OnOk()) QDialog::accept();
}

bool CCalibrationDlg::TakeFields() {
    model_.offsetX = offsetX_->text().toStdString();
    model_.offsetY = offsetY_->text().toStdString();
    model_.scale = scale_->text().toStdString();
    model_.backOffsetX = backOffsetX_->text().toStdString();
    model_.backOffsetY = backOffsetY_->text().toStdString();
    return true;
}

void CCalibrationDlg::ShowFields() {
    heading_->setText(QString::fromStdString(model_.heading));
    offsetX_->setText(QString::fromStdString(model_.offsetX));
    offsetY_->setText(QString::fromStdString(model_.offsetY));
    scale_->setText(QString::fromStdString(model_.scale));
    backOffsetX_->setText(QString::fromStdString(model_.backOffsetX));
    backOffsetY_->setText(QString::fromStdString(model_.backOffsetY));
}

void CCalibrationDlg::ShowMessage(const std::string& text) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
}

void CCalibrationDlg::PrintTestPage() {
    if (!PrintCalibrationPage(printer_)) ShowMessage("テストページを印刷できませんでした。");
}

void CCalibrationDlg::PrintRegistrationPages() {
    if (!::PrintRegistrationPages(printer_, ReadCalibration(settings_, CalibrationPrinterName(printer_))))
        ShowMessage("テストページを印刷できませんでした。");
}

std::string CalibrationPrinterName(const QPrinter& printer) {
    const QString name = printer.printerName();
    return name.isEmpty() ? std::string("PDF") : name.toStdString();
}

bool PrintCalibrationPage(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    const int dpi = printer.resolution();
    QPainterSurface surface(painter, dpi, dpi, QPointF(0, 0), true);
    DrawCalibrationPage(surface, paper.width(), paper.height(), CalibrationPrinterName(printer),
                        TodayForCalibrationPage());
    return true;
}

bool PrintRegistrationPages(QPrinter& printer, const PrinterCalibration& calibration) {
    const bool shortEdge = printer.duplex() == QPrinter::DuplexShortSide;
    if (!shortEdge) printer.setDuplex(QPrinter::DuplexLongSide);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    const int dpi = printer.resolution();
    const std::string name = CalibrationPrinterName(printer), date = TodayForCalibrationPage();
    const RegistrationSide back = shortEdge ? RegistrationSide::BackShortEdge : RegistrationSide::BackLongEdge;
    for (const RegistrationSide side : {RegistrationSide::Front, back}) {
        if (side != RegistrationSide::Front) printer.newPage();
        QPainterSurface surface(painter, dpi, dpi, QPointF(0, 0), true);
        DrawRegistrationPage(surface, paper.width(), paper.height(), side, calibration, name, date);
    }
    return true;
}

bool RunCalibrationDialog(QWidget* parent, const SettingsProfile& settings, QPrinter& printer) {
    CCalibrationDlg dialog(settings, printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
