#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/qt/romaji_dialog.h"
#include "store/items.h"
#include "tests/dialogs/drive.h"
#include "tests/support/temp_home.h"

namespace {

class RomajiDialogTest : public TempHomeTest {};

}  // namespace

TEST_F(RomajiDialogTest, ChoosingTheSameItemTwiceDisablesOkAndOkTellsWhatWasWritten) {
    const std::string file = PathOf("r.ini");
    WriteBytes(file, "[#Setting#]\r\nMax=0\r\n[0000]\r\n" + S("読み") + "=" + S("さとう はなこ") + "\r\n");
    WhenModalOpens<CRomajiDlg>([](CRomajiDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("読みからローマ字"));
        EXPECT_EQ(FindChild<QLabel>(dialog, "example")->text(), QStringLiteral("さとう はなこ → Hanako SATO"));
        auto* from = FindChild<QComboBox>(dialog, "from");
        auto* to = FindChild<QComboBox>(dialog, "to");
        to->setCurrentIndex(from->currentIndex());
        emit to->activated(to->currentIndex());
        EXPECT_FALSE(FindChild<QPushButton>(dialog, "ok")->isEnabled());
        to->setCurrentIndex(to->findText(QStringLiteral("その他3")));
        emit to->activated(to->currentIndex());
        WhenModalOpens<QMessageBox>([](QMessageBox& box) {
            EXPECT_EQ(box.text(), QStringLiteral("1枚のカードの「その他3」に書き込みました。"));
            box.accept();
        });
        ClickButton(dialog, "ok");
    });
    EXPECT_TRUE(RunRomajiDialog(nullptr, SettingsProfile(), cards::RecordCards(file, ItemList({}))));
    EXPECT_EQ(ProfileFile(file).ReadString("0000", S("その他3"), ""), "Hanako SATO");
}
