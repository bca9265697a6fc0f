#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColorDialog>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <memory>

#include "dialogs/qt/decorative_line_dialog.h"
#include "dialogs/qt/enter_dialog.h"
#include "dialogs/qt/text_decoration_dialog.h"
#include "dialogs/qt/typesetting_dialog.h"
#include "render/card.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "tests/dialogs/typing.h"

namespace {

// The decoration dialogs as the input dialog opens them.
class DecorationDialogsTest : public InputDialogFixture {
protected:
    DecorationDialogsTest() {
        Store("0000", "1IsPrint" + N, "1");  // a card whose name is not printed draws nothing more
        StartView();
        input = std::make_unique<CEnterDlg>(view.Session(), std::vector<std::string>{}, [this] { ++refreshes; }, [] {});
        input->show();
    }

    static QString Text(QWidget& dialog, const char* field) { return FindChild<QLineEdit>(dialog, field)->text(); }
    static void ExpectAtScreenTopRight(QWidget& dialog) {
        EXPECT_EQ(dialog.frameGeometry().topRight(), dialog.screen()->availableGeometry().topRight());
    }
    std::string DrawnCard() {
        std::ostringstream trace;
        TraceSurface surface(trace, 100, 100, false);
        view.State().CurrentSection = "0000";
        DrawCard(view.State(), surface, 0, 0);
        return trace.str();
    }

    std::unique_ptr<CEnterDlg> input;
    int refreshes = 0;
};

}  // namespace

TEST_F(DecorationDialogsTest, TextDecorationTiltsTheItemOnUpdateAndCancelTakesTheTiltBack) {
    WhenModalOpens<CDecolationDlg>([this](CDecolationDlg& dialog) {
        ExpectAtScreenTopRight(dialog);
        EXPECT_EQ(Text(dialog, "angle"), QStringLiteral("0"));
        Retype(dialog, "angle", QStringLiteral("200"));
        EXPECT_EQ(Text(dialog, "angle"), QStringLiteral("180"));
        ClickButton(dialog, "angleDown");
        EXPECT_FALSE(FindChild<QLineEdit>(dialog, "offsetX")->isEnabled());
        ClickButton(dialog, "shadowDrop");
        EXPECT_TRUE(FindChild<QLineEdit>(dialog, "offsetX")->isEnabled());
        ClickButton(dialog, "updateView");
        EXPECT_NE(DrawnCard().find("esc=1790"), std::string::npos) << DrawnCard();
        EXPECT_EQ(refreshes, 1);

        EXPECT_FALSE(FindChild<QWidget>(dialog, "backgroundColor")->isEnabled());
        ClickButton(dialog, "background");
        EXPECT_TRUE(FindChild<QWidget>(dialog, "backgroundColor")->isEnabled());
        ClickButton(dialog, "cancel");
    });
    ClickButton(*input, "textDecoration");
    EXPECT_EQ(Stored("0000", "1" + N + "bShadow"), "0");
    EXPECT_EQ(Stored("0000", "1" + N + "bBkCol"), "1");
    const std::string drawn = DrawnCard();
    EXPECT_NE(drawn.find("esc=0 "), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("bk=opaque:ffffff"), std::string::npos) << drawn;
    EXPECT_EQ(refreshes, 3);  // update, background, and the input dialog afterwards
}

TEST_F(DecorationDialogsTest, DecorativeLineStoresTheTypedLineOfItsSlotAndColourOnOk) {
    WhenModalOpens<CSetLineDlg>([](CSetLineDlg& dialog) {
        ExpectAtScreenTopRight(dialog);
        EXPECT_EQ(Text(dialog, "startX"), QStringLiteral("0"));
        EXPECT_EQ(Text(dialog, "width"), QStringLiteral("1"));
        Retype(dialog, "startX", QStringLiteral("25"));
        Retype(dialog, "endY", QStringLiteral("40"));
        Retype(dialog, "width", QStringLiteral("3"));
        WhenModalOpens<QColorDialog>([](QColorDialog& chooser) {
            chooser.setCurrentColor(QColor(255, 0, 0));
            chooser.accept();
        });
        ClickButton(dialog, "color");
        const QAbstractButton* color = FindChild<QAbstractButton>(dialog, "color");
        EXPECT_EQ(color->icon().pixmap(color->iconSize()).toImage().pixelColor(color->iconSize().width() / 2, 5),
                  QColor(255, 0, 0))
            << "the button shows the chosen colour";
        ClickButton(dialog, "ok");
    });
    ClickButton(*input, "line2");
    EXPECT_EQ(Stored("0000", "1Line2sx"), "25");
    EXPECT_EQ(Stored("0000", "1Line2ey"), "40");
    EXPECT_EQ(Stored("0000", "1Line2Width"), "3");
    EXPECT_NE(DrawnCard().find("line 25 0 0 -40 pen=solid:3:ff0000"), std::string::npos) << DrawnCard();
    EXPECT_EQ(refreshes, 2);  // the colour, and the input dialog afterwards
}

TEST_F(DecorationDialogsTest, TypesettingShowsEachChangeOnTheTagAndCancelTakesThemBack) {
    Store("0000", N, S("勅使河原 左衛門三郎"));
    Store("0000", "1" + N + "Xpos", "58");
    WhenModalOpens<CTypesetDlg>([this](CTypesetDlg& dialog) {
        ExpectAtScreenTopRight(dialog);
        EXPECT_EQ(Text(dialog, "maxWidth"), QStringLiteral("0"));
        EXPECT_FALSE(FindChild<QWidget>(dialog, "qrSize")->isEnabled());
        ClickButton(dialog, "fitToLabel");  // 358 − 58
        EXPECT_EQ(Text(dialog, "maxWidth"), QStringLiteral("300"));
        Retype(dialog, "maxWidth", QStringLiteral("150"));
        EXPECT_NE(DrawnCard().find("scalex="), std::string::npos) << DrawnCard();
        ClickButton(dialog, "vertical");
        EXPECT_NE(DrawnCard().find("vtext "), std::string::npos) << DrawnCard();
        ClickButton(dialog, "qr");
        EXPECT_TRUE(FindChild<QWidget>(dialog, "qrSize")->isEnabled());
        EXPECT_NE(DrawnCard().find("qr 58 0 80 level=M"), std::string::npos) << DrawnCard();
        EXPECT_FALSE(FindChild<QWidget>(dialog, "qrProblem")->isVisible());
        Retype(dialog, "qrSize", QStringLiteral("20"));
        EXPECT_TRUE(FindChild<QWidget>(dialog, "qrProblem")->isVisible());
        ClickButton(dialog, "cancel");
    });
    ClickButton(*input, "typesetting");
    const std::string drawn = DrawnCard();
    EXPECT_EQ(drawn.find("scalex="), std::string::npos) << drawn;
    EXPECT_EQ(drawn.find("qr "), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("text 58 0 190 20 "), std::string::npos) << drawn;
}

TEST_F(DecorationDialogsTest, TypesettingKeepsWhatOkConfirms) {
    WhenModalOpens<CTypesetDlg>([](CTypesetDlg& dialog) {
        EXPECT_TRUE(FindChild<QWidget>(dialog, "ruby")->isEnabled());  // the name is selected
        ClickButton(dialog, "ruby");
        Retype(dialog, "fitMin", QStringLiteral("70"));
        ClickButton(dialog, "ok");
    });
    ClickButton(*input, "typesetting");
    EXPECT_EQ(Stored("0000", "1" + N + "Ruby"), "1");
    EXPECT_EQ(Stored("0000", "1" + N + "FitMin"), "70");
}
