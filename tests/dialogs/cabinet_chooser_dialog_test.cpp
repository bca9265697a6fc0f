#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/qt/cabinet_chooser_dialog.h"
#include "tests/dialogs/drive.h"
#include "tests/support/temp_home.h"
#include "widgets/widget_text.h"

namespace {

QListWidget* List(CGetGenreDlg& dialog) { return dialog.findChild<QListWidget*>("cabinets"); }
QPushButton* Ok(QDialog& dialog) { return dialog.findChild<QPushButton*>("ok"); }

}  // namespace

TEST(CGetGenreDlgTest, OpensWithThePresetSelectedAndOkReturnsIt) {
    CGetGenreDlg dialog(S("生徒"));
    dialog.show();
    ASSERT_NE(List(dialog), nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("キャビネット選択"));
    EXPECT_EQ(List(dialog)->count(), 8);
    EXPECT_EQ(List(dialog)->currentItem()->text(), QStringLiteral("生徒"));
    QTest::mouseClick(Ok(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), S("生徒"));
}

TEST(CGetGenreDlgTest, AnEmptyPresetSelectsJoyo) {
    CGetGenreDlg dialog("");
    EXPECT_EQ(List(dialog)->currentItem()->text(), QStringLiteral("常用"));
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);  // no cancel button
}

TEST(CGetGenreDlgTest, OkWithNothingSelectedKeepsTheDialogOpen) {
    CGetGenreDlg dialog("");
    dialog.show();
    List(dialog)->clearSelection();
    QTest::mouseClick(Ok(dialog), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Chosen());
}

TEST(CGetGenreDlgTest, DoubleClickingAnEntryChoosesIt) {
    CGetGenreDlg dialog("");
    dialog.show();
    QListWidget* list = List(dialog);
    DoubleClickRow(list, 2);
    const QListWidgetItem* item = list->item(2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    std::string expected;
    ASSERT_TRUE(FromWidgetText(item->text(), expected));
    EXPECT_EQ(dialog.Chosen(), expected);
}

TEST(CGetGenreDlgTest, RunReturnsTheChoiceOrNothingOnEscape) {
    WhenModalOpens<CGetGenreDlg>([](CGetGenreDlg& dialog) { QTest::mouseClick(Ok(dialog), Qt::LeftButton); });
    EXPECT_EQ(RunCabinetChooser(nullptr, S("来賓")), S("来賓"));

    WhenModalOpens<CGetGenreDlg>([](CGetGenreDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(RunCabinetChooser(nullptr, S("来賓")), std::nullopt);
}
