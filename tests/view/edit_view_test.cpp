#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <filesystem>

#include "render/sheet.h"
#include "store/storage_layout.h"
#include "tests/dialogs/drive.h"
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
    EXPECT_EQ(ReadBytes(PathOf("Always/zulname.ini")).find("[#Setting#]\r\nLabel=1\r\n"), 0u);
    EXPECT_EQ(ProfileFile(PathOf("Always/zulname.ini")).ReadInt("0000", "1IsPrint" + S("氏名"), 0), 1);

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
                                          Home() + "/Always/r.ini\r\n[Option]\r\nZoom=100\r\n");
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

namespace {

class PositionDialog : public InputDialogLink {
public:
    void SetPosition(ItemPosition at, bool) override { position = at; }
    ItemPosition GetPosition() const override { return position; }
    ItemPosition position{-1, -1};
};

class ZoomedViewTest : public EditViewTest {
protected:
    // A record file with one slot; the settings name it, and the zoom when one is given.
    void WriteFiles(const std::string& zoom) {
        for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
        WriteBytes(PathOf("ZULNAME.INI"), "[Current]\r\nGenre=" + S("常用") + "\r\n[CurrentIni]\r\n" + S("常用") + "=" +
                                              Home() + "/Always/r.ini\r\n" +
                                              (zoom.empty() ? "" : "[Option]\r\nZoom=" + zoom + "\r\n"));
        WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n");
    }
};

}  // namespace

TEST_F(ZoomedViewTest, PointerPositionsMapThroughZoomAndScrolling) {
    for (const int percent : {50, 100, 200}) {
        WriteFiles(std::to_string(percent));
        PositionDialog dialog;
        CRozudeziView view(printer, {});
        view.resize(300, 200);
        view.show();
        view.SetInputDialogOpener([&] { view.Model().SetInputDialog(&dialog); });
        view.Start();
        view.Execute(CommandId::Input);
        const ViewZoom& zoom = view.Zoom();
        ASSERT_EQ(zoom.Percent(), percent);
        // The contents are the sheet at the zoom.
        const QSize extent = view.LogicalExtent();
        EXPECT_EQ(view.verticalScrollBar()->maximum(), std::max(0, zoom.ExtentY(extent.height()) - view.viewport()->height()));
        EXPECT_EQ(view.horizontalScrollBar()->maximum(), std::max(0, zoom.ExtentX(extent.width()) - view.viewport()->width()));
        for (const int scroll : {0, 30}) {
            view.verticalScrollBar()->setValue(scroll);
            ASSERT_EQ(view.verticalScrollBar()->value(), scroll);
            // A click on the pixel where the point 110, 80 units from the corner is drawn: the
            // tag starts 10 units in. At 50 % a pixel covers two units, and either may be hit.
            QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(zoom.PixelX(110, 0), zoom.PixelY(80, scroll)));
            const int slack = percent >= 100 ? 0 : 1;
            EXPECT_NEAR(dialog.position.x, 100, slack) << percent << "% " << scroll;
            EXPECT_NEAR(dialog.position.y, 70, slack) << percent << "% " << scroll;
        }
    }
}

TEST_F(ZoomedViewTest, FirstStartFitsTheWholePageAndKeepsTheZoom) {
    WriteFiles("");
    std::vector<int> shown;
    {
        CRozudeziView view(printer, {});
        view.resize(400, 500);
        view.show();
        view.SetZoomChanged([&](int percent) { shown.push_back(percent); });
        view.Start();
        const int percent = view.Zoom().Percent();
        EXPECT_LT(percent, 100);
        const int height = view.LogicalExtent().height();
        EXPECT_LE(view.Zoom().ExtentY(height), view.viewport()->height());
        EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(shown, std::vector<int>{percent});
        EXPECT_EQ(SettingsProfile().ReadInt("Option", "Zoom", 0), 0) << "nothing is stored until the user zooms";
        // Maximised, the window still shows the whole page, larger.
        view.resize(800, 1000);
        EXPECT_GT(view.Zoom().Percent(), percent);
        EXPECT_LE(view.Zoom().ExtentY(height), view.viewport()->height());
        EXPECT_GT(view.Zoom().ExtentY(height), view.viewport()->height() * 9 / 10);
        EXPECT_EQ(shown.back(), view.Zoom().Percent());
        view.Execute(CommandId::ZoomIn);
        const int chosen = view.Zoom().Percent();
        EXPECT_EQ(shown.back(), chosen);
        EXPECT_EQ(SettingsProfile().ReadInt("Option", "Zoom", 0), chosen);
        view.resize(400, 500);
        EXPECT_EQ(view.Zoom().Percent(), chosen) << "a zoom the user chose stays";
    }
    // The next start shows the zoom the last one ended with.
    const int kept = SettingsProfile().ReadInt("Option", "Zoom", 0);
    CRozudeziView again(printer, {});
    again.resize(400, 500);
    again.Start();
    EXPECT_EQ(again.Zoom().Percent(), kept);
}

TEST_F(ZoomedViewTest, WholeTagFillsTheViewWithTheTag) {
    WriteFiles("100");
    CRozudeziView view(printer, {});
    view.resize(600, 500);
    view.show();
    view.Start();
    view.Execute(CommandId::ZoomWholeTag);
    const ViewZoom& zoom = view.Zoom();
    const SheetLayout layout = ReadSheetLayout(view.Model().State());
    ASSERT_GT(layout.label.width, 0);
    EXPECT_GT(zoom.Percent(), 100);
    // The tag and its margin fit; the tag's corner is just inside the view's.
    EXPECT_LE(zoom.ExtentX(layout.label.width + 20), view.viewport()->width());
    EXPECT_LE(zoom.ExtentY(layout.label.height + 20), view.viewport()->height());
    const QPoint scroll(view.horizontalScrollBar()->value(), view.verticalScrollBar()->value());
    EXPECT_NEAR(zoom.PixelX(layout.left, scroll.x()), zoom.ExtentX(10), 1);
    EXPECT_NEAR(zoom.PixelY(layout.top, scroll.y()), zoom.ExtentY(10), 1);
}

TEST_F(ZoomedViewTest, CtrlWheelZoomsAboutThePointerAndTheWheelAloneScrolls) {
    WriteFiles("100");
    CRozudeziView view(printer, {});
    view.resize(400, 300);
    view.show();
    view.Start();
    const QPoint pointer(150, 120);
    const auto wheel = [&](Qt::KeyboardModifiers modifiers, int delta) {
        QWheelEvent event(pointer, view.viewport()->mapToGlobal(pointer), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    };
    const auto under = [&] {
        return std::pair{view.Zoom().LogicalX(pointer.x(), view.horizontalScrollBar()->value()),
                         view.Zoom().LogicalY(pointer.y(), view.verticalScrollBar()->value())};
    };
    const auto before = under();
    wheel(Qt::ControlModifier, 120);
    EXPECT_EQ(view.Zoom().Percent(), 125);
    EXPECT_NEAR(under().first, before.first, 1);
    EXPECT_NEAR(under().second, before.second, 1);
    wheel(Qt::ControlModifier, -120);
    wheel(Qt::ControlModifier, -120);
    EXPECT_EQ(view.Zoom().Percent(), 75);
    EXPECT_EQ(SettingsProfile().ReadInt("Option", "Zoom", 0), 75);
    // Without Ctrl the zoom stays.
    wheel(Qt::NoModifier, -120);
    EXPECT_EQ(view.Zoom().Percent(), 75);
}

TEST_F(ZoomedViewTest, TheSheetShowsThePapersEdgeOnScreen) {
    WriteFiles("50");
    SettingsProfile().WriteString("PrintOptions", "1Paper", "100x148");
    SettingsProfile().Flush();
    CRozudeziView view(printer, {});
    view.resize(600, 700);
    view.show();
    view.Start();
    const QImage shown = view.viewport()->grab().toImage();
    const QColor background = shown.pixelColor(shown.width() - 2, shown.height() - 2);
    // A postcard of 100 × 148 mm: its right edge above the tags, its bottom edge left of them.
    const int right = view.Zoom().ExtentX(394), bottom = view.Zoom().ExtentY(583);
    EXPECT_NE(shown.pixelColor(right, 2), background);
    EXPECT_EQ(shown.pixelColor(right + 3, 2), background);
    EXPECT_EQ(shown.pixelColor(right - 3, 2), background) << "an edge, not a fill";
    EXPECT_NE(shown.pixelColor(2, bottom), background);
    EXPECT_EQ(shown.pixelColor(2, bottom + 3), background);
    EXPECT_EQ(shown.pixelColor(2, bottom - 3), background);
}

TEST_F(ZoomedViewTest, APrintJobTellsWhereItWentAndHowManyPages) {
    WriteFiles("");
    CRozudeziView view(printer, {});
    view.Start();
    std::vector<WrittenOutput> told;
    view.SetOutputWritten([&](const WrittenOutput& output) { told.push_back(output); });
    // With no printer installed, the job goes to a PDF file.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(PathOf("printed.pdf")));
    WhenModalOpens<QPrintDialog>([](QPrintDialog& dialog) { dialog.accept(); });
    view.Execute(CommandId::Print);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].pdf, PathOf("printed.pdf"));
    EXPECT_EQ(told[0].pages, 1);
    WhenModalOpens<QPrintDialog>([](QPrintDialog& dialog) { dialog.reject(); });
    view.Execute(CommandId::Print);
    EXPECT_EQ(told.size(), 1u) << "a cancelled job tells nothing";
}

TEST_F(ZoomedViewTest, PrintingStartsOnThePaperOfTheSheetChosenForTheSlot) {
    WriteFiles("");
    const auto previewPaper = [this] {
        CRozudeziView view(printer, {});
        view.Start();
        WhenModalOpens<QPrintPreviewDialog>([](QPrintPreviewDialog& preview) { preview.reject(); });
        view.Execute(CommandId::PrintPreview);
        return printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    };
    printer.setPageSize(QPageSize(QPageSize::B5));
    EXPECT_EQ(previewPaper(), QPageSize(QPageSize::B5).size(QPageSize::Millimeter)) << "no sheet chosen: the printer's own";
    SettingsProfile().WriteString("PrintOptions", "1Paper", "100x148");
    SettingsProfile().Flush();
    const QSizeF postcard = previewPaper();
    EXPECT_NEAR(postcard.width(), 100, 0.5);
    EXPECT_NEAR(postcard.height(), 148, 0.5);
}

TEST_F(ZoomedViewTest, OpeningARecordFileTakesTheSheetRecordedInItAndSaysSo) {
    WriteFiles("");
    WriteBytes(PathOf("Guests/g.ini"), "[#Setting#]\r\nLabel=1\r\nSheet1=300,200,3,4,0,0,,1\r\n");
    CRozudeziView view(printer, {});
    std::vector<std::string> notes;
    view.SetStatusNote([&notes](const std::string& note) { notes.push_back(note); });
    view.Start();
    EXPECT_TRUE(notes.empty());  // the first file records no sheet
    view.Model().OpenRecordFileAt(Home() + "/Guests/g.ini");
    EXPECT_EQ(notes, std::vector<std::string>{"用紙の設定を記録ファイルに合わせました（ラベル1: 76.2×50.8mm 3×4面）"});
    EXPECT_EQ(view.Model().State().label.width, 300);  // drawn with it from the first paint
    EXPECT_EQ(SettingsProfile().ReadString("PrintOptions", "1NoCutLine", ""), "1");
}

TEST_F(ZoomedViewTest, SaveSaysEveryChangeIsAlreadySaved) {
    WriteFiles("");
    CRozudeziView view(printer, {});
    std::vector<std::string> notes;
    view.SetStatusNote([&notes](const std::string& note) { notes.push_back(note); });
    view.Start();
    ASSERT_TRUE(view.IsAvailable(CommandId::FileSave));  // not greyed out
    view.Execute(CommandId::FileSave);
    EXPECT_EQ(notes, std::vector<std::string>{"変更はすべて保存されています"});
}

TEST_F(ZoomedViewTest, TheBannerOverAnEmptySheetLeavesTheSheetsOwnHintInSight) {
    WriteFiles("40");
    CRozudeziView view(printer, {});
    view.SetDialogCommand(CommandId::MakeFromList, [] {});
    view.resize(420, 300);  // narrow: the page's first tag lies under the banner's place
    view.show();
    view.Start();
    auto* banner = view.viewport()->findChild<QWidget*>(QStringLiteral("emptyHint"));
    ASSERT_TRUE(banner != nullptr && banner->isVisible());
    banner->hide();
    const QImage sheet = view.viewport()->grab().toImage();
    banner->show();
    // The hint's text is what is drawn off the outlines' long lines.
    const auto inked = [&sheet](int x, int y) { return qGray(sheet.pixel(x, y)) < 230; };
    std::vector<int> rows(static_cast<std::size_t>(sheet.height())), columns(static_cast<std::size_t>(sheet.width()));
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (inked(x, y)) {
                ++rows[static_cast<std::size_t>(y)];
                ++columns[static_cast<std::size_t>(x)];
            }
    int hint = 0, covered = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (inked(x, y) && rows[static_cast<std::size_t>(y)] < sheet.width() / 3 &&
                columns[static_cast<std::size_t>(x)] < sheet.height() / 3) {
                ++hint;
                covered += banner->geometry().contains(x, y);
            }
    EXPECT_GT(hint, 20);
    EXPECT_EQ(covered, 0);
}
