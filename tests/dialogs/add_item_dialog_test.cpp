#include "dialogs/qt/add_item_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "tests/dialogs/drive.h"
#include "tests/dialogs/typing.h"
#include "tests/support/temp_home.h"

namespace {

class CAddItemDlgTest : public TempHomeTest {
protected:
    static QLineEdit* Name(QDialog& dialog) { return dialog.findChild<QLineEdit*>("name"); }
    static QPushButton* Button(QDialog& dialog, const char* name) {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static void Type(QDialog& dialog, const QString& text) {
        Name(dialog)->clear();
        TypeText(Name(dialog), text);
    }

    const SettingsProfile settings;
};

}  // namespace

TEST_F(CAddItemDlgTest, AddedNamesAreStoredOnOk) {
    WhenModalOpens<CAddItemDlg>([](CAddItemDlg& dialog) {
        EXPECT_FALSE(Button(dialog, "add")->isEnabled());
        Type(dialog, QStringLiteral("電話"));
        EXPECT_FALSE(Button(dialog, "add")->isEnabled());
        Type(dialog, QStringLiteral("部屋"));
        QTest::mouseClick(Button(dialog, "add"), Qt::LeftButton);
        Type(dialog, QStringLiteral("係"));
        QTest::mouseClick(Button(dialog, "add"), Qt::LeftButton);
        EXPECT_EQ(Name(dialog)->text(), QString());
        EXPECT_EQ(dialog.findChild<QListWidget*>("names")->count(), 2);
        QTest::mouseClick(Button(dialog, "ok"), Qt::LeftButton);
    });
    EXPECT_TRUE(RunAddItemDialog(nullptr));
    EXPECT_EQ(settings.ReadString("UserDef", "Items", ""), S("係|部屋|"));
}
