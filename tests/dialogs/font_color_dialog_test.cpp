#include "dialogs/qt/font_color_dialog.h"

#include <gtest/gtest.h>

#include <QFontDialog>
#include <QPushButton>
#include <QTest>

#include "render/qt/font_substitutes.h"
#include "tests/dialogs/drive.h"
#include "tests/support/temp_home.h"

namespace {

class FontColorDialogTest : public ::testing::Test {
protected:
    FontColorDialogTest() {
        InstallFontSubstitutes();
        initial.face = S("ＭＳ ゴシック");
        initial.points = 11.52;  // a stored height of −16, shown as 12
        initial.weight = 700;
        initial.underline = true;
        initial.color = Rgb(255, 0, 0);
    }
    static void Press(QDialog& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    FontChoice initial;
};

}  // namespace

TEST_F(FontColorDialogTest, WhatIsLeftAsShownKeepsItsStoredValue) {
    WhenModalOpens<QDialog>([](QDialog& dialog) { Press(dialog, "ok"); });
    const std::optional<FontChoice> chosen = RunFontDialog(nullptr, initial);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->face, initial.face);
    EXPECT_DOUBLE_EQ(chosen->points, 11.52);
    EXPECT_EQ(chosen->weight, 700);
    EXPECT_TRUE(chosen->underline);
    EXPECT_EQ(chosen->color, initial.color);
}

TEST_F(FontColorDialogTest, AChosenSizeIsGivenInPoints) {
    WhenModalOpens<QDialog>([](QDialog& dialog) {
        auto* fonts = dialog.findChild<QFontDialog*>();
        QFont font = fonts->currentFont();
        font.setPointSize(20);
        fonts->setCurrentFont(font);
        Press(dialog, "ok");
    });
    const std::optional<FontChoice> chosen = RunFontDialog(nullptr, initial);
    ASSERT_TRUE(chosen);
    EXPECT_DOUBLE_EQ(chosen->points, 20);
}
