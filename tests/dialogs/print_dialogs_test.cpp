#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "dialogs/qt/label_size_dialog.h"
#include "dialogs/qt/print_options_dialog.h"
#include "dialogs/qt/print_order_dialog.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "tests/dialogs/typing.h"

namespace {

// The view started on r.ini, whose card 0000 山田 prints its name in slot 1.
class PrintDialogsTest : public InputDialogFixture {
protected:
    PrintDialogsTest() {
        Store("0000", "1IsPrint" + N, "1");
        view.Start();
    }

};

}  // namespace

TEST_F(PrintDialogsTest, PrintOptionsShowEveryChangeInThePictureAndStoreOnOk) {
    bool sizeDialogOnFirstSlot = false;
    WhenModalOpens<CPrintOptDlg>([&](CPrintOptDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("印刷設定"));
        QWidget* preview = FindChild<QWidget>(dialog, "preview");
        const QImage before = preview->grab().toImage();
        Retype(FindChild<QLineEdit>(dialog, "left"), QStringLiteral("300"));
        EXPECT_NE(preview->grab().toImage(), before) << "the tag moves right at once";
        EXPECT_EQ(Stored("Option", "Left"), "(none)");

        ClickButton(dialog, "noCutLine");
        EXPECT_FALSE(FindChild<QCheckBox>(dialog, "cropMarks")->isEnabled());
        ClickButton(dialog, "rowsDown");
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "rows")->text(), QStringLiteral("4"));

        WhenModalOpens<CLabelSizeDlg>([&](CLabelSizeDlg& sizes) {
            sizeDialogOnFirstSlot = FindChild<QRadioButton>(sizes, "slot1")->isChecked();
            // Every size is named as the label size dialog names it.
            for (const char* slot : {"slot1", "slot2", "slot3"})
                EXPECT_EQ(FindChild<QRadioButton>(dialog, slot)->text(), FindChild<QRadioButton>(sizes, slot)->text());
            EXPECT_EQ(FindChild<QRadioButton>(dialog, "slot3")->text(), QStringLiteral("ﾕｰｻﾞｰ(2)"));
            sizes.reject();
        });
        ClickButton(dialog, "changeSize");
        ClickButton(dialog, "ok");
    });
    EXPECT_TRUE(RunPrintOptionsDialog(nullptr, view.Session()));
    EXPECT_TRUE(sizeDialogOnFirstSlot);
    EXPECT_EQ(Stored("Option", "Left"), "300");
    EXPECT_EQ(settings.ReadString("PrintOptions", "1Line", ""), "4");
    EXPECT_EQ(settings.ReadInt("PrintOptions", "1NoCutLine", 0), 1);
}

TEST_F(PrintDialogsTest, PrintOrderTakesACardTwiceByDoubleClicks) {
    WhenModalOpens<CPrintOrderDlg>([](CPrintOrderDlg& dialog) {
        auto* registered = FindChild<QListWidget>(dialog, "registered");
        ASSERT_EQ(registered->count(), 1);
        EXPECT_EQ(registered->item(0)->text(), QStringLiteral("0000|山田"));
        EXPECT_FALSE(FindChild<QPushButton>(dialog, "clear")->isEnabled());
        DoubleClickRow(registered, 0);
        DoubleClickRow(registered, 0);
        EXPECT_EQ(FindChild<QListWidget>(dialog, "order")->count(), 2);
        EXPECT_TRUE(FindChild<QPushButton>(dialog, "clear")->isEnabled());
        ClickButton(dialog, "ok");
    });
    EXPECT_TRUE(RunPrintOrderDialog(nullptr, view.Record()));
    EXPECT_EQ(Stored("Current", "PrintOrder"), "0000|0000|");
}

TEST_F(PrintDialogsTest, LabelSizesAreStoredAsTypedAndKeptOnCancel) {
    WhenModalOpens<CLabelSizeDlg>([](CLabelSizeDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾗﾍﾞﾙｻｲｽﾞ設定"));
        EXPECT_TRUE(FindChild<QRadioButton>(dialog, "slot2")->isChecked());
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "width")->text(), QStringLiteral("358"));
        Retype(FindChild<QLineEdit>(dialog, "width"), QStringLiteral("400"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(RunLabelSizeDialog(nullptr, settings, view.Record(), 2));
    EXPECT_EQ(settings.ReadString("Card", "2w", ""), "400");
    EXPECT_EQ(settings.ReadString("Card", "2h", ""), "216");
}
