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
        input = std::make_unique<CEnterDlg>(view, std::vector<std::string>{}, [this] { ++refreshes; }, [] {});
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
        ClickButton(dialog, "ok");
    });
    ClickButton(*input, "line2");
    EXPECT_EQ(Stored("0000", "1Line2sx"), "25");
    EXPECT_EQ(Stored("0000", "1Line2ey"), "40");
    EXPECT_EQ(Stored("0000", "1Line2Width"), "3");
    EXPECT_NE(DrawnCard().find("line 25 0 0 -40 pen=solid:3:ff0000"), std::string::npos) << DrawnCard();
    EXPECT_EQ(refreshes, 2);  // the colour, and the input dialog afterwards
}
