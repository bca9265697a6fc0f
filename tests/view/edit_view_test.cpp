#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "store/storage_layout.h"
#include "tests/support/temp_home.h"
#include "view/qt/edit_view.h"

namespace {

class EditViewTest : public TempHomeTest {
protected:
    // Presses "OK" in each modal dialog as it opens, noting its caption.
    void AnswerDialogsWithOk() {
        QTimer::singleShot(0, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                if (++idleChecks_ < 200) AnswerDialogsWithOk();
                return;
            }
            idleChecks_ = 0;
            captions.push_back(modal->windowTitle().toStdString());
            for (QPushButton* button : modal->findChildren<QPushButton*>())
                if (button->text() == "OK") button->click();
            AnswerDialogsWithOk();
        });
    }

    std::vector<std::string> captions;
    QPrinter printer;

private:
    int idleChecks_ = 0;
};

}  // namespace

TEST_F(EditViewTest, FirstStartAsksForCabinetFileAndSlotThenNeverAgain) {
    for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
    {
        CRozudeziView view(printer, {});
        AnswerDialogsWithOk();
        view.Start();
        EXPECT_EQ(captions, (std::vector<std::string>{"キャビネット選択", "記録ファイル選択", "ラベルのサイズ決定"}));
    }
    const SettingsProfile settings;
    EXPECT_EQ(settings.ReadString("Current", "Genre", ""), S("常用"));
    EXPECT_EQ(settings.ReadString("CurrentIni", S("常用"), ""), Home() + "/Always/zulname.ini");
    EXPECT_EQ(ReadBytes(PathOf("Always/zulname.ini")), "[#Setting#]\r\nLabel=1\r\n");

    captions.clear();
    CRozudeziView again(printer, {});
    AnswerDialogsWithOk();
    again.Start();
    QTest::qWait(50);
    EXPECT_TRUE(captions.empty());
}

TEST_F(EditViewTest, DoubleClickOnTheSheetOpensTheInputDialogAndItsCommands) {
    for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
    WriteBytes(PathOf("ZULNAME.INI"), "[Current]\r\nGenre=" + S("常用") + "\r\n[CurrentIni]\r\n" + S("常用") + "=" +
                                          Home() + "/Always/r.ini\r\n");
    WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n");
    CRozudeziView view(printer, {});
    view.resize(800, 600);
    int opened = 0;
    view.SetInputDialogOpener([&] { ++opened; });
    view.Start();
    EXPECT_TRUE(view.IsAvailable(CommandId::Input));
    EXPECT_FALSE(view.IsAvailable(CommandId::MoveLeft));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(view.Model().Mode(), ViewMode::CardMode);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(view.IsAvailable(CommandId::Input));
    EXPECT_FALSE(view.IsAvailable(CommandId::Print));
}

TEST_F(EditViewTest, PointerPositionsFollowResolutionAndScrolling) {
    for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
    WriteBytes(PathOf("ZULNAME.INI"), "[Current]\r\nGenre=" + S("常用") + "\r\n[CurrentIni]\r\n" + S("常用") + "=" +
                                          Home() + "/Always/r.ini\r\n");
    WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n");
    class Dialog : public InputDialogLink {
    public:
        void SetPosition(ItemPosition at, bool) override { position = at; }
        ItemPosition GetPosition() const override { return position; }
        ItemPosition position{-1, -1};
    } dialog;
    CRozudeziView view(printer, {});
    view.resize(300, 200);
    view.SetInputDialogOpener([&] { view.Model().SetInputDialog(&dialog); });
    view.Start();
    view.Execute(CommandId::Input);
    const int dpi = view.logicalDpiX();
    // A click one inch right of and one inch below the view's corner is 100 units from it.
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(dpi, dpi));
    EXPECT_EQ(dialog.position.x, 90);
    EXPECT_EQ(dialog.position.y, 90);
    // Scrolled down by an inch, the same click lands an inch further down the tag.
    view.verticalScrollBar()->setValue(dpi);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(dpi, dpi));
    EXPECT_EQ(dialog.position.y, 190);
}
