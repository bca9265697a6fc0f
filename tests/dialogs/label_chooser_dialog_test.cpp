#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "dialogs/qt/label_chooser_dialog.h"
#include "tests/dialogs/drive.h"
#include "tests/support/temp_home.h"

namespace {

class CGetLabelDlgTest : public TempHomeTest {
protected:
    CGetLabelDlgTest() { record.SetPath(Home() + "/new.ini"); }

    static QCheckBox* Button(QDialog& dialog, int slot) {
        return dialog.findChild<QCheckBox*>(QStringLiteral("slot%1").arg(slot));
    }
    static std::vector<bool> Checks(QDialog& dialog) {
        return {Button(dialog, 1)->isChecked(), Button(dialog, 2)->isChecked(), Button(dialog, 3)->isChecked()};
    }

    RecordProfile record;
};

}  // namespace

TEST_F(CGetLabelDlgTest, OpensWithBusinessCardCheckedForANewFile) {
    CGetLabelDlg dialog(record, 0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ラベルのサイズ決定"));
    EXPECT_EQ(Button(dialog, 1)->text(), QStringLiteral("名刺ｻｲｽﾞ"));
    EXPECT_EQ(Checks(dialog), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);  // no cancel button
}

TEST_F(CGetLabelDlgTest, ExactlyOneButtonStaysChecked) {
    CGetLabelDlg dialog(record, 2);
    dialog.show();
    EXPECT_EQ(Checks(dialog), (std::vector<bool>{false, true, false}));
    QTest::mouseClick(Button(dialog, 2), Qt::LeftButton);
    EXPECT_EQ(Checks(dialog), (std::vector<bool>{false, true, false}));
    QTest::mouseClick(Button(dialog, 3), Qt::LeftButton);
    EXPECT_EQ(Checks(dialog), (std::vector<bool>{false, false, true}));
    QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    EXPECT_EQ(Checks(dialog), (std::vector<bool>{true, false, false}));
}

TEST_F(CGetLabelDlgTest, OkStoresTheLabelAndReturnsIt) {
    CGetLabelDlg dialog(record, 0);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), 1);
    EXPECT_EQ(record.ReadInt("#Setting#", "Label", 0), 1);
}

TEST_F(CGetLabelDlgTest, RunReturnsTheChoiceOrNothingOnEscape) {
    WhenModalOpens<CGetLabelDlg>([](CGetLabelDlg& dialog) {
        QTest::mouseClick(Button(dialog, 3), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(RunLabelChooser(nullptr, record, 0), 3);
    EXPECT_EQ(record.ReadInt("#Setting#", "Label", 0), 3);

    WhenModalOpens<CGetLabelDlg>([](CGetLabelDlg& dialog) {
        QTest::mouseClick(Button(dialog, 2), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(RunLabelChooser(nullptr, record, 3), std::nullopt);
    EXPECT_EQ(record.ReadInt("#Setting#", "Label", 0), 3);
}
