#include "dialogs/qt/category_rules_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "store/items.h"
#include "store/profile_service.h"
#include "tests/support/temp_home.h"

using CategoryRulesDialogTest = TempHomeTest;

TEST_F(CategoryRulesDialogTest, AClickInTheHonorificBoxOpensItsListAndTypingStillWorks) {
    WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=0\r\n[0000]\r\n" + S("氏名=山田\r\n区分=来賓\r\n"));
    const SettingsProfile settings;
    CCategoryRulesDlg dialog(settings, cards::RecordCards(PathOf("r.ini"), ItemList({S("区分")})));
    dialog.show();
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("rules"));
    ASSERT_EQ(table->rowCount(), 1);
    auto* honorific = qobject_cast<QComboBox*>(table->cellWidget(0, 3));
    ASSERT_NE(honorific, nullptr);
    ASSERT_TRUE(honorific->isEditable());
    QLineEdit* field = honorific->lineEdit();
    QTest::mousePress(field, Qt::LeftButton);
    // The button comes up where it went down, to the list's window once the list shows: it holds
    // the mouse.
    QWidget* list = honorific->view()->window();
    const QPoint at = field->rect().center();
    if (list->isVisible())
        QTest::mouseRelease(list, Qt::LeftButton, {}, list->mapFromGlobal(field->mapToGlobal(at)));
    else
        QTest::mouseRelease(field, Qt::LeftButton, {}, at);
    EXPECT_TRUE(honorific->view()->isVisible());
    honorific->hidePopup();
    honorific->lineEdit()->setText(QStringLiteral("先生"));
    EXPECT_EQ(honorific->currentText(), QStringLiteral("先生"));
    profile::ProfileService::Instance().ForgetUndo(PathOf("r.ini"));
}
