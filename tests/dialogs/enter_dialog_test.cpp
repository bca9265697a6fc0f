#include "dialogs/qt/enter_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "render/card.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "tests/dialogs/typing.h"

namespace {

class CEnterDlgTest : public InputDialogFixture {
protected:
    CEnterDlgTest() { StartView(); }

    CEnterDlg& Open() {
        dialog = std::make_unique<CEnterDlg>(
            view.Session(), std::vector<std::string>{}, [this] { ++refreshes; }, [this] { ++closings; });
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }
    template <typename Widget>
    Widget* Find(const char* name) {
        auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Content() { return Find<QComboBox>("content")->lineEdit(); }
    void Click(const char* button) { QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton); }
    // The drawing of the current card, as the view shows it.
    std::string DrawnCard() {
        std::ostringstream trace;
        TraceSurface surface(trace, 100, 100, false);
        view.State().CurrentSection = CardSectionName(view.Record().ReadInt("#Setting#", "CurID", 0));
        DrawCard(view.State(), surface, 0, 0);
        return trace.str();
    }

    std::unique_ptr<CEnterDlg> dialog;
    int refreshes = 0, closings = 0;
};

}  // namespace

TEST_F(CEnterDlgTest, TypedContentIsStoredAndDrawnOnTheTagAsItIsTyped) {
    Open();
    const QRect screen = dialog->screen()->availableGeometry();
    EXPECT_EQ(dialog->frameGeometry().topRight(), screen.topRight());
    EXPECT_EQ(Content()->text(), QStringLiteral("山田"));
    Retype(Content(), QStringLiteral("佐藤"));
    EXPECT_EQ(Stored("0000", N), S("佐藤"));
    const std::string drawn = DrawnCard();
    EXPECT_NE(drawn.find("\"佐藤\""), std::string::npos) << drawn;
    EXPECT_EQ(refreshes, 2);  // one redraw per typed character
}

TEST_F(CEnterDlgTest, TextBeyondCodePage932IsKeptExactlyAndShownAsTyped) {
    Open();
    Retype(Content(), QStringLiteral("A"));
    TypeText(Content(), QString::fromUtf8("\u304B\u3099\U00020BB7"));  // か + dakuten is が
    EXPECT_EQ(Content()->text(), QString::fromUtf8("Aが𠮷"));
    EXPECT_EQ(Stored("0000", N), S("Aが〓"));
    EXPECT_EQ(Stored("0000", N + "Unicode"), S("Aが") + "&#x20bb7;");
}

TEST_F(CEnterDlgTest, NextTwiceAndPreviousOnceLandOnTheSecondCard) {
    Open();
    Click("next");
    Click("next");
    Click("previous");
    EXPECT_EQ(Find<QLabel>("cardSection")->text(), QStringLiteral("0001"));
    EXPECT_TRUE(Find<QPushButton>("previous")->isEnabled());
    EXPECT_EQ(Stored("#Setting#", "Max"), "2");
}

TEST_F(CEnterDlgTest, OnlyOkClosesTheDialogAndReturnsTheViewToTheSheet) {
    Open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    Click("ok");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(view.Mode(), ViewMode::SheetMode);
    EXPECT_EQ(Stored("Current", "ItemName"), N);
}

TEST_F(CEnterDlgTest, TheWindowSwitchesNoSlotCabinetOrFileUnderTheOpenDialog) {
    Open();
    viewPlatform.cabinet = S("来賓");
    viewPlatform.file = "other.ini";
    viewPlatform.slot = 2;
    for (const CommandId command : {CommandId::SwitchLabel, CommandId::SwitchCabinet, CommandId::FileOpen}) {
        EXPECT_FALSE(view.IsAvailable(command)) << static_cast<int>(command);
        view.Execute(command);
    }
    view.OpenRecordFileAt(RecordFilePath(S("来賓"), "recent.ini"));  // the recent-file list

    Retype(Content(), QStringLiteral("佐藤"));
    EXPECT_EQ(view.Record().Path(), RecordFilePath(S("常用"), "r.ini"));
    EXPECT_EQ(view.State().slot, 1);
    EXPECT_TRUE(Find<QCheckBox>("slot1")->isChecked());
    const std::string written = ReadBytes(PathOf("Always/r.ini"));
    EXPECT_NE(written.find("\r\n" + N + "=" + S("佐藤") + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Label=1\r\n"), std::string::npos) << written;
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("Guests")));

    // Back on the sheet the window switches again.
    Click("ok");
    EXPECT_TRUE(view.IsAvailable(CommandId::SwitchLabel));
    view.Execute(CommandId::SwitchLabel);
    EXPECT_EQ(view.State().slot, 2);
}
