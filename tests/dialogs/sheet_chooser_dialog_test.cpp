#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/qt/label_size_dialog.h"
#include "dialogs/qt/print_options_dialog.h"
#include "dialogs/qt/sheet_chooser_dialog.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"

namespace {

const QString kBuiltIn = QStringLiteral("A4 名刺 10面 91×55mm (上11 左14)");

class SheetChooserDialogTest : public InputDialogFixture {
protected:
    SheetChooserDialogTest() { view.Start(); }

    // Finds the built-in business-card sheet, takes it and confirms the message of what changed.
    static void ChooseBuiltInCards(QString& message) {
        WhenModalOpens<CSheetChooserDlg>([&message](CSheetChooserDlg& chooser) {
            Retype(chooser, "search", kBuiltIn);
            auto* list = FindChild<QListWidget>(chooser, "products");
            ASSERT_EQ(list->count(), 1);
            EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("[内蔵]")));
            EXPECT_TRUE(FindChild<QPushButton>(chooser, "ok")->isEnabled());
            WhenModalOpens<QMessageBox>([&message](QMessageBox& box) {
                message = box.text();
                box.accept();
            });
            ClickButton(chooser, "ok");
        });
    }
};

}  // namespace

TEST_F(SheetChooserDialogTest, WhenNothingIsFoundNothingCanBeTakenAndCancelStoresNothing) {
    WhenModalOpens<CSheetChooserDlg>([](CSheetChooserDlg& chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("用紙を選ぶ"));
        Retype(chooser, "search", QStringLiteral("nothing is called this"));
        EXPECT_EQ(FindChild<QListWidget>(chooser, "products")->count(), 0);
        EXPECT_EQ(FindChild<QLabel>(chooser, "details")->text(), QStringLiteral("見つかりません"));
        EXPECT_FALSE(FindChild<QPushButton>(chooser, "ok")->isEnabled());
        ClickButton(chooser, "cancel");
    });
    EXPECT_FALSE(RunSheetChooser(nullptr, settings, view.Record(), 1));
    EXPECT_EQ(settings.ReadString("Card", "1h", "(none)"), "(none)");
}

TEST_F(SheetChooserDialogTest, FromThePrintOptionsTheChosenSheetShowsInTheFields) {
    QString message;
    WhenModalOpens<CPrintOptDlg>([&message](CPrintOptDlg& dialog) {
        ChooseBuiltInCards(message);
        ClickButton(dialog, "chooseSheet");
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "top")->text(), QStringLiteral("43"));
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "left")->text(), QStringLiteral("55"));
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "rows")->text(), QStringLiteral("5"));
        ClickButton(dialog, "cancel");
    });
    RunPrintOptionsDialog(nullptr, view.Session());
    EXPECT_TRUE(message.startsWith(QStringLiteral("名刺ｻｲｽﾞ を 汎用 ") + kBuiltIn + QStringLiteral(" にしました。")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("上から: 10 → 43"))) << message.toStdString();
    // The chooser stored at once; cancelling the print options does not take it back.
    EXPECT_EQ(Stored("Option", "Top"), "43");
    EXPECT_EQ(settings.ReadString("Card", "1h", ""), "217");
}

TEST_F(SheetChooserDialogTest, FromTheLabelSizeDialogTheSlotShownIsFilled) {
    QString message;
    WhenModalOpens<CLabelSizeDlg>([&message](CLabelSizeDlg& dialog) {
        ClickButton(dialog, "slot3");
        ChooseBuiltInCards(message);
        ClickButton(dialog, "chooseSheet");
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "height")->text(), QStringLiteral("217"));
        ClickButton(dialog, "ok");
    });
    EXPECT_TRUE(RunLabelSizeDialog(nullptr, settings, view.Record(), 1));
    EXPECT_TRUE(message.startsWith(QStringLiteral("ﾕｰｻﾞｰ(2) を"))) << message.toStdString();
    EXPECT_EQ(settings.ReadString("Card", "3h", ""), "217");
    EXPECT_EQ(settings.ReadString("PrintOptions", "3Paper", ""), "210x297");
    EXPECT_EQ(settings.ReadString("Card", "1h", "(none)"), "(none)");
}
