#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>

#include <filesystem>

#include "dialogs/qt/calibration_dialog.h"
#include "tests/dialogs/drive.h"
#include "tests/support/temp_home.h"

namespace {

// A printer that prints to a PDF file of the test's home: its calibration is stored as "PDF".
class CalibrationDialogTest : public TempHomeTest {
protected:
    CalibrationDialogTest() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(PathOf("test-page.pdf")));
    }
    QPrinter printer{QPrinter::HighResolution};
    const SettingsProfile settings;
};

}  // namespace

TEST_F(CalibrationDialogTest, PrintsTheTestPageAndStoresWhatWasMeasured) {
    WhenModalOpens<CCalibrationDlg>([this](CCalibrationDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("プリンタの調整"));
        ClickButton(dialog, "testPage");
        EXPECT_EQ(ReadBytes(PathOf("test-page.pdf")).rfind("%PDF", 0), 0u);
        Retype(dialog, "offsetX", QStringLiteral("1"));
        Retype(dialog, "offsetY", QStringLiteral("-1.5"));
        ClickButton(dialog, "ok");
    });
    EXPECT_TRUE(RunCalibrationDialog(nullptr, settings, printer));
    EXPECT_EQ(settings.ReadString("Calibration", "PDF", ""), "1.0,-1.5,0.00");
    EXPECT_EQ(CalibrationPrinterName(printer), "PDF");
}

TEST_F(CalibrationDialogTest, ValuesOutOfRangeKeepTheDialogOpenWithAMessage) {
    WhenModalOpens<CCalibrationDlg>([](CCalibrationDlg& dialog) {
        Retype(dialog, "scale", QStringLiteral("2.5"));
        WhenModalOpens<QMessageBox>([](QMessageBox& box) {
            EXPECT_EQ(box.text(), QStringLiteral("倍率の補正は -2.00～2.00 % の範囲で入力してください。"));
            box.accept();
        });
        ClickButton(dialog, "ok");
        EXPECT_TRUE(dialog.isVisible());
        ClickButton(dialog, "cancel");
    });
    EXPECT_FALSE(RunCalibrationDialog(nullptr, settings, printer));
    EXPECT_EQ(settings.ReadString("Calibration", "PDF", "(none)"), "(none)");
}
