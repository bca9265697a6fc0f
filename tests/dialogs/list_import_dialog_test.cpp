#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "dialogs/qt/list_import_dialog.h"
#include "store/locations.h"
#include "store/storage_layout.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/list_import_platform_fake.h"
#include "tests/support/temp_home.h"

namespace {

class ListImportDialogTest : public TempHomeTest {
protected:
    ListImportDialogTest() {
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nLabel=1\r\nMax=0\r\n[0000]\r\n" + S("氏名") + "=" + S("見本") + "\r\n1" +
                                        S("氏名") + "Xpos=80\r\n");
        record.SetPath(PathOf("r.ini"));
        WriteBytes(PathOf("list.csv"), "\xEF\xBB\xBF姓,名,フリガナ,会社名,会員番号\r\n高橋,健,タカハシ ケン,北高校,0012\r\n"
                                       "伊藤,美咲,イトウ ミサキ,南中学校,0034\r\n");
    }
    std::string Text(int card, const char* item) const {
        return ProfileFile(PathOf("r.ini")).ReadString(CardSectionName(card), S(item), "");
    }

    RecordProfile record;
    SettingsProfile settings;
    FakeListImportPlatform platform;
};

}  // namespace

TEST_F(ListImportDialogTest, ChoosingAListMappingColumnsAndOkWritesTheCards) {
    CListImportDlg dialog(settings, record, platform);
    dialog.show();
    auto* ok = FindChild<QPushButton>(dialog, "ok");
    EXPECT_FALSE(ok->isEnabled());
    const QImage blank = FindChild<QWidget>(dialog, "tag")->grab().toImage();

    platform.chosenFile = PathOf("list.csv");
    QTest::mouseClick(FindChild<QPushButton>(dialog, "browse"), Qt::LeftButton);
    EXPECT_EQ(FindChild<QLineEdit>(dialog, "path")->text(), QString::fromStdString(PathOf("list.csv")));
    EXPECT_EQ(FindChild<QLabel>(dialog, "format")->text(), QStringLiteral("CSV・UTF-8 (BOM)・3 行"));
    // The first person on a tag with the current card's design.
    EXPECT_NE(FindChild<QWidget>(dialog, "tag")->grab().toImage(), blank);
    EXPECT_TRUE(FindChild<QCheckBox>(dialog, "hasHeader")->isChecked());
    EXPECT_FALSE(FindChild<QComboBox>(dialog, "sheet")->isEnabled());

    auto* table = FindChild<QTableWidget>(dialog, "preview");
    ASSERT_EQ(table->columnCount(), 5);
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), QStringLiteral("D: 会社名"));
    EXPECT_EQ(table->rowCount(), 3);  // the choices, then two people
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("美咲"));
    EXPECT_EQ(FindChild<QComboBox>(dialog, "column0")->currentText(), QStringLiteral("姓"));
    EXPECT_EQ(FindChild<QComboBox>(dialog, "column1")->currentText(), QStringLiteral("名"));
    EXPECT_EQ(FindChild<QComboBox>(dialog, "column2")->currentText(), QStringLiteral("読み"));
    EXPECT_EQ(FindChild<QComboBox>(dialog, "column3")->currentText(), QStringLiteral("所属"));
    auto* number = FindChild<QComboBox>(dialog, "column4");
    EXPECT_EQ(number->currentText(), QStringLiteral("（取り込まない）"));
    number->setCurrentIndex(number->findText(QStringLiteral("その他1")));
    FindChild<QComboBox>(dialog, "kana")->setCurrentIndex(1);  // readings in hiragana
    EXPECT_TRUE(ok->isEnabled());

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Text(1, "氏名"), S("高橋　健"));
    EXPECT_EQ(Text(1, "読み"), S("たかはし けん"));
    EXPECT_EQ(Text(2, "所属"), S("南中学校"));
    EXPECT_EQ(Text(2, "その他1"), S("0034"));
    EXPECT_EQ(ProfileFile(PathOf("r.ini")).ReadString("0002", "1" + S("氏名") + "Xpos", ""), "80");
    EXPECT_EQ(platform.reports, std::vector<std::string>{"読み込んだ行: 2\n作成したカード: 2\n"});
}

TEST_F(ListImportDialogTest, ABadFileKeepsTheDialogOpenAndWritesNothing) {
    CListImportDlg dialog(settings, record, platform);
    dialog.show();
    WriteBytes(PathOf("bad.xlsx"), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(100, '\0'));
    auto* path = FindChild<QLineEdit>(dialog, "path");
    path->setText(QString::fromStdString(PathOf("bad.xlsx")));
    emit path->editingFinished();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("bad.xlsx: パスワードで保護されたブック"), std::string::npos);
    EXPECT_FALSE(FindChild<QPushButton>(dialog, "ok")->isEnabled());
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Text(1, "氏名"), "");
}

TEST(ImportReportTest, EveryLineOfTheReportShowsWhole) {
    std::string report = "読み込んだ行: 200\n作成したカード: 199\nお知らせ:\n";
    for (int row = 2; row <= 60; ++row)
        report += "  " + std::to_string(row) + " 行: 1 行と同じ人です (氏名と所属が同じ)\n";
    report += "  61 行 3 列: セル内の改行を空白にしました\n";
    WhenModalOpens<QDialog>([&report](QDialog& dialog) {
        auto* shown = FindChild<QPlainTextEdit>(dialog, "report");
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->toPlainText().toStdString() + "\n", report);
        // No line runs past the window: the lines are laid out unwrapped and need no scrolling
        // sideways; the rows beyond the screen scroll down.
        EXPECT_EQ(shown->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(shown->horizontalScrollBar()->maximum(), 0);
        EXPECT_GT(shown->verticalScrollBar()->maximum(), 0);
        dialog.accept();
    });
    QtListImportPlatform(nullptr).ShowReport(report);
}
