#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "dialogs/qt/record_file_chooser_dialog.h"
#include "tests/dialogs/drive.h"
#include "tests/support/temp_home.h"

namespace {

class CGetIniNameDlgTest : public TempHomeTest {
protected:
    CGetIniNameDlgTest() {
        std::filesystem::create_directories(PathOf("Always/folder"));
        WriteBytes(PathOf("Always/名簿.ini"), "");
        WriteBytes(PathOf("Always/list.ini"), "");
    }

    static QLineEdit* Name(QDialog& dialog) { return dialog.findChild<QLineEdit*>("name"); }
    static QListWidget* Files(QDialog& dialog) { return dialog.findChild<QListWidget*>("files"); }
    static QPushButton* Ok(QDialog& dialog) { return dialog.findChild<QPushButton*>("ok"); }

    // Shows the dialog as the active window, so that keyboard focus can be checked.
    static void ShowActive(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    RecordProfile record;
};

}  // namespace

TEST_F(CGetIniNameDlgTest, ShowsTheCabinetThePresetNameAndTheFilesOnly) {
    CGetIniNameDlg dialog(record, S("常用"), "", "");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("記録ファイル選択"));
    EXPECT_EQ(Name(dialog)->text(), QStringLiteral("zulname.ini"));
    EXPECT_EQ(dialog.findChild<QLabel*>("cabinet")->text(), QStringLiteral("常用"));
    ASSERT_EQ(Files(dialog)->count(), 2);
    EXPECT_EQ(Files(dialog)->item(0)->text(), QStringLiteral("list.ini"));
    EXPECT_EQ(Files(dialog)->item(1)->text(), QStringLiteral("名簿.ini"));
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);  // no cancel button
}

TEST_F(CGetIniNameDlgTest, OkWithAnEmptyNameStaysOpenWithTheFocusInTheName) {
    CGetIniNameDlg dialog(record, S("常用"), "", "");
    ShowActive(dialog);
    Name(dialog)->clear();
    Files(dialog)->setFocus();
    QTest::mouseClick(Ok(dialog), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Chosen());
    EXPECT_TRUE(Name(dialog)->hasFocus());
}

TEST_F(CGetIniNameDlgTest, NamesOutsideTheFolderOrOutsideCodePage932AreRefused) {
    CGetIniNameDlg dialog(record, S("常用"), "", "");
    ShowActive(dialog);
    for (const QString& typed : {QStringLiteral("../escape.ini"), QStringLiteral(".."), QStringLiteral("名簿😀.ini")}) {
        Name(dialog)->setText(typed);
        QTest::mouseClick(Ok(dialog), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << typed.toStdString();
        EXPECT_EQ(Name(dialog)->text(), typed);  // what was typed stays for correcting
    }
    EXPECT_FALSE(dialog.Chosen());
}

TEST_F(CGetIniNameDlgTest, DoubleClickingAFileFillsTheNameWithoutClosing) {
    CGetIniNameDlg dialog(record, S("常用"), "", "");
    dialog.show();
    DoubleClickRow(Files(dialog), 1);
    EXPECT_EQ(Name(dialog)->text(), QStringLiteral("名簿.ini"));
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(Ok(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), S("名簿.ini"));
}

TEST_F(CGetIniNameDlgTest, RunReturnsTheTypedNameAsStoredTextOrNothingOnEscape) {
    WhenModalOpens<CGetIniNameDlg>([](CGetIniNameDlg& dialog) {
        Name(dialog)->setText(QStringLiteral("新しい名簿.ini"));
        QTest::keyClick(Name(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(RunRecordFileChooser(nullptr, record, S("常用")), S("新しい名簿.ini"));

    WhenModalOpens<CGetIniNameDlg>([](CGetIniNameDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(RunRecordFileChooser(nullptr, record, S("常用")), std::nullopt);
}
