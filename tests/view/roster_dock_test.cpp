#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <string>
#include <vector>

#include "store/profile_service.h"
#include "store/profiles.h"
#include "tests/support/temp_home.h"
#include "view/qt/roster_dock.h"

namespace {

class FakePrompts : public RosterPrompts {
public:
    bool Confirm(QWidget*, const QString& question) override {
        questions.push_back(question.toStdString());
        return answer;
    }
    std::optional<std::int32_t> ChooseDesignSlots(QWidget*, std::int32_t slot, std::int32_t whom, std::int32_t inSlot,
                                                  std::int32_t inAll) override {
        people = whom;
        counts = {inSlot, inAll};
        return slot;
    }
    void Tell(QWidget*, const QString& message) override { told.push_back(message.toStdString()); }

    bool answer = true;
    std::vector<std::string> questions, told;
    std::pair<std::int32_t, std::int32_t> counts;
    std::int32_t people = -1;
};

class RosterDockTest : public TempHomeTest {
protected:
    RosterDockTest() {
        WriteBytes(File(), "[#Setting#]\r\nMax=1\r\nCurID=0\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n1" + S("氏名") +
                               "Xpos=80\r\n[0001]\r\n" + S("氏名") + "=" + S("佐藤") + "\r\n");
        record.SetPath(File());
        dock = new CRosterDock(settings, record, {}, prompts, &window);
        dock->changed = [this] { ++changes; };
        window.addDockWidget(Qt::RightDockWidgetArea, dock);
        window.show();
        QApplication::setActiveWindow(&window);
        dock->Reload();
    }
    std::string File() const { return PathOf("r.ini"); }
    std::string Stored(const std::string& section, const std::string& key) const {
        return ProfileFile(File()).ReadString(section, key, "(none)");
    }
    QTableView* Table() const { return dock->Table(); }
    // Types text into a cell as a user does: start editing, type, press Enter.
    void TypeIntoCell(int row, int column, const QString& text) {
        const QModelIndex index = Table()->model()->index(row, column);
        Table()->setCurrentIndex(index);
        Table()->edit(index);
        auto* editor = Table()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        // Key clicks carry only ASCII: the typed text goes in as an input method would put it.
        editor->setFocus();
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits the text in a queued call
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // and drops its editor
    }
    void SelectRows(const std::vector<int>& rows) {
        Table()->clearSelection();
        for (const int row : rows)
            Table()->selectionModel()->select(Table()->model()->index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    SettingsProfile settings;
    RecordProfile record;
    FakePrompts prompts;
    QMainWindow window;
    CRosterDock* dock = nullptr;
    int changes = 0;
};

}  // namespace

TEST_F(RosterDockTest, CellsAreEditedInPlaceAndWrittenAtOnce) {
    EXPECT_EQ(Table()->model()->rowCount(), 2);
    EXPECT_EQ(Table()->model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("氏名"));
    TypeIntoCell(1, 4, QString::fromUtf8("さとう"));
    EXPECT_EQ(Stored("0001", S("読み")), S("さとう"));
    EXPECT_GE(changes, 1);
    // Text beyond code page 932 is kept exactly beside its 〓 form.
    TypeIntoCell(1, 1, QString::fromUtf8("Zoë"));
    EXPECT_EQ(Stored("0001", S("氏名")), S("Zo〓"));
    EXPECT_EQ(Stored("0001", S("氏名") + "Unicode"), "Zo&#xeb;");
    EXPECT_EQ(Table()->model()->index(1, 1).data().toString(), QString::fromUtf8("Zoë"));
}

TEST_F(RosterDockTest, PastedSpreadsheetRowsBecomeCardsAfterTheSelection) {
    SelectRows({0});
    QApplication::clipboard()->setText(QString::fromUtf8("氏名\t肩書き\n高橋\t課長\n林\t係長\n"));
    dock->Paste();
    EXPECT_EQ(Table()->model()->rowCount(), 4);
    EXPECT_EQ(Stored("0001", S("氏名")), S("高橋"));
    EXPECT_EQ(Stored("0002", S("肩書き")), S("係長"));
    EXPECT_EQ(Stored("0002", "1" + S("氏名") + "Xpos"), "80");
    EXPECT_EQ(Stored("0003", S("氏名")), S("佐藤"));

    SelectRows({1, 2});
    dock->Copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "高橋\t課長\r\n林\t係長\r\n");
    dock->Delete();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_NE(prompts.questions[0].find("2枚"), std::string::npos);
    EXPECT_EQ(Stored("0001", S("氏名")), S("佐藤"));
    EXPECT_EQ(Stored("#Setting#", "Max"), "1");
}

TEST_F(RosterDockTest, SearchHidesRowsAndAHeaderClickSortsAfterAsking) {
    ProfileFile(File()).WriteString("0000", S("読み"), S("ヤマダ"));
    ProfileFile(File()).WriteString("0001", S("読み"), S("ｻﾄｳ"));
    ProfileFile(File()).Flush();
    dock->Reload();
    dock->SearchField()->setText(QString::fromUtf8("さとう"));
    EXPECT_TRUE(Table()->isRowHidden(0));
    EXPECT_FALSE(Table()->isRowHidden(1));
    dock->SearchField()->clear();
    EXPECT_FALSE(Table()->isRowHidden(0));

    prompts.answer = false;
    Table()->horizontalHeader()->sectionClicked(4);
    EXPECT_EQ(Stored("0000", S("氏名")), S("山田"));
    std::vector<std::int32_t> shown;
    dock->cardChosen = [&](std::int32_t card) { shown.push_back(card); };
    prompts.answer = true;
    Table()->horizontalHeader()->sectionClicked(4);
    EXPECT_EQ(Stored("0000", S("氏名")), S("佐藤"));
    EXPECT_EQ(Stored("#Setting#", "CurID"), "1");  // 山田 is still the current card
    EXPECT_EQ(shown, std::vector<std::int32_t>{1}) << "the view turns to 山田's page";
}

TEST_F(RosterDockTest, TheCurrentCardsDesignGoesToEveryoneAfterShowingTheCount) {
    dock->ApplyDesign();
    EXPECT_EQ(prompts.counts, (std::pair<std::int32_t, std::int32_t>{1, 1}));
    EXPECT_EQ(Stored("0001", "1" + S("氏名") + "Xpos"), "80");
    std::int32_t chosen = -1;
    dock->cardChosen = [&](std::int32_t card) { chosen = card; };
    Table()->setCurrentIndex(Table()->model()->index(1, 2));
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(Stored("#Setting#", "CurID"), "1");
}

TEST_F(RosterDockTest, TheImportButtonAndMenuEntryAskTheWindowForTheListImport) {
    int asked = 0;
    dock->importRequested = [&] { ++asked; };
    const QString caption = QString::fromUtf8("名簿を取り込み");
    QPushButton* button = nullptr;
    for (QPushButton* candidate : dock->findChildren<QPushButton*>())
        if (candidate->text() == caption) button = candidate;
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    for (QAction* action : Table()->actions())
        if (action->text() == caption) action->trigger();
    EXPECT_EQ(asked, 2);
}

TEST_F(RosterDockTest, EveryEntryOfTheContextMenuHasACaption) {
    ASSERT_EQ(Table()->contextMenuPolicy(), Qt::ActionsContextMenu);
    for (QAction* action : Table()->actions()) EXPECT_FALSE(action->text().isEmpty()) << action->shortcut().toString().toStdString();
}

TEST_F(RosterDockTest, EditPasteAndDeleteAreEachOneStepOfUndoAndRedo) {
    TypeIntoCell(0, 2, QString::fromUtf8("部長"));
    const std::string edited = ReadBytes(File());
    EXPECT_EQ(Stored("0000", S("肩書き")), S("部長"));

    SelectRows({1});
    QApplication::clipboard()->setText(QString::fromUtf8("高橋\t課長\n林\t係長\n"));
    dock->Paste();
    const std::string pasted = ReadBytes(File());
    EXPECT_EQ(Stored("0003", S("氏名")), S("林"));

    SelectRows({0, 2});
    dock->Delete();
    EXPECT_EQ(Stored("0000", S("氏名")), S("佐藤"));
    EXPECT_EQ(Stored("#Setting#", "Max"), "1");

    dock->Undo();
    EXPECT_EQ(ReadBytes(File()), pasted);
    EXPECT_EQ(Table()->model()->rowCount(), 4);
    dock->Undo();
    EXPECT_EQ(ReadBytes(File()), edited);
    dock->Redo();
    EXPECT_EQ(Stored("0003", S("氏名")), S("林"));
    EXPECT_EQ(Table()->model()->rowCount(), 4);
    dock->Undo();
    dock->Undo();
    EXPECT_EQ(Stored("0000", S("肩書き")), "(none)");
    EXPECT_EQ(Stored("0000", S("氏名")), S("山田"));
    EXPECT_EQ(Table()->model()->rowCount(), 2);
    dock->Redo();
    EXPECT_EQ(ReadBytes(File()), edited);
    EXPECT_TRUE(prompts.told.empty());
}

TEST_F(RosterDockTest, TheSelectedCardsBecomeThePrintJobForPrintingAndPdf) {
    int printed = 0;
    dock->printRequested = [&printed] { ++printed; };
    SelectRows({1});
    EXPECT_EQ(dock->SelectedCount(), 1);
    dock->PrintSelected();
    EXPECT_EQ(Stored("Current", "PrintOrder"), "0001|");
    EXPECT_EQ(printed, 1);
    SelectRows({0, 1});
    EXPECT_TRUE(dock->MakeSelectionThePrintJob());
    EXPECT_EQ(Stored("Current", "PrintOrder"), "0000|0001|");
    EXPECT_EQ(printed, 1) << "making the print job alone prints nothing";
    dock->Follow();
    EXPECT_EQ(dock->SelectedCount(), 2) << "the selection outlives the change of the print job";
    dock->hide();
    EXPECT_EQ(dock->SelectedCount(), 0) << "a hidden roster offers no selection";
}

// Choosing a card shows it in the view, whose refresh makes the roster follow the stored change
// of the current card while the click is still being handled.
TEST_F(RosterDockTest, ControlClicksAddCardsToTheSelection) {
    int chosen = 0;
    dock->cardChosen = [this, &chosen](std::int32_t) {
        ++chosen;
        dock->Follow();
    };
    const auto click = [this](int row, Qt::KeyboardModifiers modifiers) {
        const QRect cell = Table()->visualRect(Table()->model()->index(row, 1));
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, modifiers, cell.center());
    };
    click(1, Qt::NoModifier);
    click(0, Qt::ControlModifier);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(dock->SelectedCount(), 2);
    EXPECT_EQ(Stored("#Setting#", "CurID"), "0") << "the card clicked last is the current one";
}

// Searching 山 shows 山田 and 山本: Ctrl+A, a Shift-click across a hidden row and a search made
// after selecting all leave only those two selected, and each action names them.
TEST_F(RosterDockTest, ASelectionHoldsOnlyTheRowsTheSearchShows) {
    WriteBytes(File(), "[#Setting#]\r\nMax=3\r\nCurID=0\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n[0001]\r\n" +
                           S("氏名") + "=" + S("佐藤") + "\r\n[0002]\r\n" + S("氏名") + "=" + S("山本") + "\r\n[0003]\r\n" +
                           S("氏名") + "=" + S("鈴木") + "\r\n");
    dock->Reload();
    ASSERT_EQ(Table()->model()->rowCount(), 4);
    Table()->selectAll();
    dock->SearchField()->setText(QString::fromUtf8("山"));
    EXPECT_EQ(dock->SelectedCount(), 2);
    EXPECT_EQ(Table()->selectionModel()->selectedRows().size(), 2) << "hidden rows leave the selection";

    Table()->clearSelection();
    Table()->setFocus();
    QTest::keyClick(Table(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Table()->selectionModel()->selectedRows().size(), 2);
    const auto click = [this](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, modifiers,
                          Table()->visualRect(Table()->model()->index(row, 1)).center());
    };
    click(0, Qt::NoModifier);
    click(2, Qt::ShiftModifier);
    EXPECT_EQ(dock->SelectedCount(), 2);

    prompts.answer = false;
    dock->Delete();
    EXPECT_EQ(prompts.questions.back(), "選択した2枚のカードを削除しますか？");
    QString note;
    dock->noted = [&note](const QString& told) { note = told; };
    dock->PrintSelected();
    EXPECT_EQ(Stored("Current", "PrintOrder"), "0000|0002|");
    EXPECT_EQ(note, QString::fromUtf8("選択した 2 名のカードを印刷します"));
    dock->Copy();
    EXPECT_EQ(note, QString::fromUtf8("2 名のカードをコピーしました"));
    dock->ApplyDesign();
    EXPECT_EQ(prompts.people, 2);
}

TEST_F(RosterDockTest, TheRosterOpensTallEnoughForTenRows) {
    auto* below = new QDockWidget(QString::fromUtf8("プロパティ"), &window);
    auto* tall = new QWidget(below);
    tall->setMinimumHeight(400);
    below->setWidget(tall);
    window.addDockWidget(Qt::RightDockWidgetArea, below);
    window.resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_GE(Table()->viewport()->height(), 10 * Table()->verticalHeader()->defaultSectionSize());
}
