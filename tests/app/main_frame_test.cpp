#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <set>

#include "app/qt/main_frame.h"
#include "tests/support/temp_home.h"

namespace {

class FakeTarget : public CommandTarget {
public:
    bool IsAvailable(CommandId command) const override { return available.count(command) != 0; }
    void Execute(CommandId command) override { executed.push_back(command); }

    std::set<CommandId> available;
    std::vector<CommandId> executed;
};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList Titles(const QList<QAction*>& actions) {
    QStringList titles;
    for (const QAction* action : actions) titles << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return titles;
}

QMenu* SubMenu(const QList<QAction*>& actions, const char* title) {
    for (QAction* action : actions) {
        if (action->menu() && action->text() == Text(title)) return action->menu();
    }
    return nullptr;
}

QAction* ActionTitled(QMenu* menu, const char* title) {
    for (QAction* action : menu->actions()) {
        if (action->text() == Text(title)) return action;
    }
    return nullptr;
}

// Receives the addresses the program hands the desktop.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    Q_INVOKABLE void Open(const QUrl& url) { urls.push_back(url); }
    std::vector<QUrl> urls;
};

class MainFrameTest : public TempHomeTest {
protected:
    std::unique_ptr<CMainFrame> MakeFrame() {
        return std::make_unique<CMainFrame>(new QWidget, &view, &application);
    }

    FakeTarget view;
    FakeTarget application;
};

}  // namespace

TEST_F(MainFrameTest, MenuBarHasTheMenusInOrder) {
    auto frame = MakeFrame();
    const QStringList expected = {Text("ﾌｧｲﾙ(&F)"), Text("編集(&E)"), Text("入力"), Text("ｵﾌﾟｼｮﾝ"), Text("配置"),
                                  Text("移動"), Text("ツール(&T)"), Text("表示(&V)"), Text("ﾍﾙﾌﾟ(&H)")};
    EXPECT_EQ(Titles(frame->menuBar()->actions()), expected);

    QMenu* move = SubMenu(frame->menuBar()->actions(), "移動");
    ASSERT_NE(move, nullptr);
    QMenu* horizontal = SubMenu(move->actions(), "水平");
    ASSERT_NE(horizontal, nullptr);
    EXPECT_EQ(Titles(horizontal->actions()),
              (QStringList{Text("左に\t←"), Text("ちょっと左に"), Text("ちょっと右に"), Text("右に\t→")}));
    QMenu* help = SubMenu(frame->menuBar()->actions(), "ﾍﾙﾌﾟ(&H)");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Titles(help->actions()),
              (QStringList{Text("目次\tF1"), Text("バージョン情報(&A)..."), Text("-"), Text("ホームページ")}));
}

TEST_F(MainFrameTest, ToolbarsHaveTheirPositionsAndDockAnywhere) {
    auto frame = MakeFrame();
    QToolBar* first = frame->FirstToolBar();
    QToolBar* second = frame->SecondToolBar();
    ASSERT_EQ(first->actions().size(), 17);
    ASSERT_EQ(second->actions().size(), 17);
    for (int separator : {4, 8, 10, 13}) EXPECT_TRUE(first->actions()[separator]->isSeparator()) << separator;
    for (int separator : {4, 9, 13}) EXPECT_TRUE(second->actions()[separator]->isSeparator()) << separator;
    EXPECT_EQ(first->actions()[0], frame->CommandAction(CommandId::FileNew));
    EXPECT_EQ(first->actions()[3], frame->CommandAction(CommandId::MakeFromList));
    EXPECT_EQ(first->actions()[9], frame->CommandAction(CommandId::Input));
    EXPECT_EQ(first->actions()[16], frame->CommandAction(CommandId::About));
    EXPECT_EQ(second->actions()[0], frame->CommandAction(CommandId::MoveLeft));
    EXPECT_EQ(second->actions()[16], frame->CommandAction(CommandId::AlignBottom));

    for (QToolBar* bar : {first, second}) {
        EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea);
        EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
        EXPECT_TRUE(bar->isMovable());
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) continue;
            EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
            // The button shows the command's prompt in the status bar while the pointer rests on it.
            EXPECT_EQ(bar->widgetForAction(action)->statusTip(), action->statusTip());
        }
    }
    // The second toolbar docks in a row of its own below the first.
    EXPECT_TRUE(frame->toolBarBreak(second));
}

TEST_F(MainFrameTest, AvailabilityFollowsTheTargets) {
    view.available = {CommandId::Input, CommandId::Print};
    application.available = {CommandId::About};
    auto frame = MakeFrame();
    EXPECT_TRUE(frame->CommandAction(CommandId::Input)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(CommandId::Print)->isEnabled());
    EXPECT_FALSE(frame->CommandAction(CommandId::MoveLeft)->isEnabled());
    EXPECT_FALSE(frame->CommandAction(CommandId::FileNew)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(CommandId::About)->isEnabled());
    EXPECT_FALSE(frame->CommandAction(CommandId::HelpIndex)->isEnabled());
    // The frame's own commands need no target.
    EXPECT_TRUE(frame->CommandAction(CommandId::Exit)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(CommandId::ToggleToolbar)->isEnabled());

    QAction* inputOnBar = frame->menuBar()->actions()[2];
    EXPECT_TRUE(inputOnBar->isEnabled());
    EXPECT_TRUE(inputOnBar->icon().isNull());

    view.available = {CommandId::MoveLeft};
    frame->UpdateCommands();
    EXPECT_FALSE(frame->CommandAction(CommandId::Input)->isEnabled());
    EXPECT_FALSE(inputOnBar->isEnabled());
    EXPECT_TRUE(frame->CommandAction(CommandId::MoveLeft)->isEnabled());

    // A menu asks again as it opens, without being told.
    view.available = {};
    QMenu* horizontal = SubMenu(SubMenu(frame->menuBar()->actions(), "移動")->actions(), "水平");
    emit horizontal->aboutToShow();
    EXPECT_FALSE(frame->CommandAction(CommandId::MoveLeft)->isEnabled());
}

TEST_F(MainFrameTest, CommandsReachTheirTargets) {
    view.available = {CommandId::Input, CommandId::MoveRight};
    application.available = {CommandId::About, CommandId::HelpIndex};
    auto frame = MakeFrame();
    frame->CommandAction(CommandId::Input)->trigger();
    frame->menuBar()->actions()[2]->trigger();
    frame->CommandAction(CommandId::About)->trigger();
    EXPECT_EQ(view.executed, (std::vector<CommandId>{CommandId::Input, CommandId::Input}));
    EXPECT_EQ(application.executed, std::vector<CommandId>{CommandId::About});

    // A command the view no longer offers is not carried out, even before the bars are updated.
    view.available.erase(CommandId::MoveRight);
    frame->CommandAction(CommandId::MoveRight)->trigger();
    EXPECT_EQ(view.executed.size(), 2U);
    EXPECT_FALSE(frame->CommandAction(CommandId::MoveRight)->isEnabled());

    EXPECT_TRUE(frame->CommandAction(CommandId::MoveLeft)->shortcuts().contains(QKeySequence(Qt::Key_Left)));
    EXPECT_TRUE(frame->CommandAction(CommandId::HelpIndex)->shortcuts().contains(QKeySequence(Qt::Key_F1)));
    EXPECT_TRUE(frame->CommandAction(CommandId::Paste)->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_Insert)));
}

TEST_F(MainFrameTest, WithoutAnApplicationTargetItsCommandsAreUnavailable) {
    CMainFrame frame(new QWidget, &view, nullptr);
    EXPECT_FALSE(frame.CommandAction(CommandId::About)->isEnabled());
    frame.CommandAction(CommandId::About)->trigger();
    EXPECT_TRUE(view.executed.empty());
}

TEST_F(MainFrameTest, ContextMenuRoutesItsCommandsThroughTheFrame) {
    view.available = {CommandId::PrintOptions, CommandId::Input};
    auto frame = MakeFrame();
    QMenu* popup = frame->ContextMenu();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->objectName(), QStringLiteral("SubMenu"));
    EXPECT_EQ(Titles(popup->actions()),
              (QStringList{Text("入力"), Text("ｵﾌﾟｼｮﾝ"), Text("塗りつぶし"), Text("ツール"), Text("印刷")}));
    QMenu* options = SubMenu(popup->actions(), "ｵﾌﾟｼｮﾝ");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(Titles(options->actions()),
              (QStringList{Text("印刷設定"), Text("印刷順序"), Text("ﾗﾍﾞﾙｻｲｽﾞ"), Text("項目追加")}));
    emit options->aboutToShow();
    EXPECT_TRUE(ActionTitled(options, "印刷設定")->isEnabled());
    EXPECT_FALSE(ActionTitled(options, "項目追加")->isEnabled());
    EXPECT_EQ(ActionTitled(options, "印刷設定")->statusTip(), Text("印刷時の設定"));
    ActionTitled(options, "印刷設定")->trigger();
    EXPECT_EQ(view.executed, std::vector<CommandId>{CommandId::PrintOptions});

    QMenu* tools = SubMenu(popup->actions(), "ツール");
    emit tools->aboutToShow();
    EXPECT_FALSE(ActionTitled(tools, "差し込み印刷設定")->isEnabled());
}

TEST_F(MainFrameTest, StatusBarHasTheMessagePaneAndFourIndicators) {
    auto frame = MakeFrame();
    QStringList panes;
    for (const QLabel* label : frame->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        panes << label->text();
    }
    // What was last written, then the view's zoom, both empty until they are told.
    EXPECT_EQ(panes, (QStringList{QString(), QString(), Text("ｶﾅ"), QStringLiteral("CAP"), QStringLiteral("NUM"),
                                  QStringLiteral("SCRL")}));
    frame->ShowZoom(150);
    EXPECT_EQ(frame->statusBar()->findChild<QLabel*>(QStringLiteral("ZoomPane"))->text(), QStringLiteral("150%"));
    EXPECT_EQ(frame->CommandAction(CommandId::About)->statusTip(), Text("ﾌﾟﾛｸﾞﾗﾑ情報､ﾊﾞｰｼﾞｮﾝ､版権の表示"));
    frame->show();
    frame->CommandAction(CommandId::About)->showStatusText(frame.get());
    EXPECT_EQ(frame->statusBar()->currentMessage(), Text("ﾌﾟﾛｸﾞﾗﾑ情報､ﾊﾞｰｼﾞｮﾝ､版権の表示"));
}

TEST_F(MainFrameTest, TheStatusBarTellsWhatWasWrittenAndOpensThePdf) {
    auto frame = MakeFrame();
    auto* pane = frame->statusBar()->findChild<QLabel*>(QStringLiteral("WrittenPane"));
    frame->ShowWritten({"", "Office", 3});
    EXPECT_EQ(pane->text(), Text("プリンタ「Office」で 3ページを印刷しました"));

    const std::string pdf = Home() + "/名札 #1 & 2.pdf";
    frame->ShowWritten({pdf, "", 2});
    EXPECT_TRUE(pane->text().startsWith(Text("「名札 #1 &amp; 2.pdf」に 2ページを書き出しました"))) << pane->text().toStdString();
    EXPECT_EQ(pane->toolTip().toStdString(), pdf);
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "Open");
    const qsizetype at = pane->text().indexOf(QStringLiteral("href=\""));
    ASSERT_GE(at, 0);
    // The label hands on the link's address as HTML gives it.
    const QString link = pane->text().mid(at + 6, pane->text().indexOf('"', at + 6) - at - 6);
    emit pane->linkActivated(QString(link).replace(QStringLiteral("&amp;"), QStringLiteral("&")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls.front().toLocalFile().toStdString(), pdf);
}

TEST_F(MainFrameTest, TheTitleNamesTheOpenRecordFile) {
    auto frame = MakeFrame();
    EXPECT_EQ(frame->windowTitle(), Text("Zulnam - ZUL Name"));
    // 表 ends in the byte of a backslash.
    frame->ShowRecordFile("/home/" + S("来賓") + "/" + S("表彰式.ini"));
    EXPECT_EQ(frame->windowTitle(), Text("表彰式.ini - ZUL Name"));
}

TEST_F(MainFrameTest, BarCommandsShowAndHideTheBars) {
    auto frame = MakeFrame();
    frame->show();
    QAction* toolbar = frame->CommandAction(CommandId::ToggleToolbar);
    QAction* statusBar = frame->CommandAction(CommandId::ToggleStatusBar);
    EXPECT_TRUE(toolbar->isChecked());
    toolbar->trigger();
    EXPECT_FALSE(frame->FirstToolBar()->isVisible());
    EXPECT_TRUE(frame->SecondToolBar()->isVisible());
    EXPECT_FALSE(toolbar->isChecked());
    statusBar->trigger();
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_FALSE(statusBar->isChecked());
    statusBar->trigger();
    EXPECT_TRUE(frame->statusBar()->isVisible());
    EXPECT_TRUE(statusBar->isChecked());

    frame->CommandAction(CommandId::Exit)->trigger();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, EachDocksEntryIsCheckedWhileItShows) {
    auto frame = MakeFrame();
    auto* roster = new QDockWidget(frame.get());
    roster->setObjectName(QStringLiteral("RosterDock"));
    auto* properties = new QDockWidget(frame.get());
    properties->setObjectName(QStringLiteral("properties"));
    frame->addDockWidget(Qt::RightDockWidgetArea, roster);
    frame->addDockWidget(Qt::RightDockWidgetArea, properties);
    frame->show();
    frame->UpdateCommands();
    QAction* entry = frame->CommandAction(CommandId::ToggleRoster);
    EXPECT_TRUE(entry->isCheckable());
    EXPECT_TRUE(entry->isChecked());
    roster->hide();  // its own close button
    frame->UpdateCommands();
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(frame->CommandAction(CommandId::ToggleProperties)->isChecked());
}

TEST_F(MainFrameTest, RecentFileListStandsInForItsPlaceholder) {
    auto frame = MakeFrame();
    QMenu* file = SubMenu(frame->menuBar()->actions(), "ﾌｧｲﾙ(&F)");
    QAction* placeholder = ActionTitled(file, "以前開いたファイル");
    ASSERT_NE(placeholder, nullptr);
    EXPECT_TRUE(placeholder->isVisible());
    EXPECT_FALSE(placeholder->isEnabled());

    frame->AddRecentFile(S("/data/来賓/A&B.INI"));
    EXPECT_FALSE(placeholder->isVisible());
    QAction* entry = ActionTitled(file, "&1 /data/来賓/A&&B.INI");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isVisible());
    QSignalSpy chosen(frame.get(), &CMainFrame::RecentFileChosen);
    view.available = {CommandId::FileOpen};
    emit file->aboutToShow();
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    ASSERT_EQ(chosen.size(), 1);
    // A recent file opens as "開く" does, and only while "開く" is offered, even before the menu
    // is brought up to date.
    view.available = {};
    entry->trigger();
    EXPECT_EQ(chosen.size(), 1);
    emit file->aboutToShow();
    EXPECT_FALSE(entry->isEnabled());

    auto reopened = MakeFrame();
    QMenu* reopenedFile = SubMenu(reopened->menuBar()->actions(), "ﾌｧｲﾙ(&F)");
    EXPECT_FALSE(ActionTitled(reopenedFile, "以前開いたファイル")->isVisible());
    EXPECT_NE(ActionTitled(reopenedFile, "&1 /data/来賓/A&&B.INI"), nullptr);
}

TEST_F(MainFrameTest, AFirstStartOpensCentredOnMostOfTheScreen) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const QRect screen = frame->screen()->availableGeometry();
    const QRect opened = frame->frameGeometry();
    EXPECT_EQ(opened.size(), screen.size() * 4 / 5);
    EXPECT_EQ(opened.center(), screen.center());
}

TEST_F(MainFrameTest, AWindowAtTheOriginShowsItsTitleBar) {
    const SettingsProfile stored;
    for (const auto& [key, value] : {std::pair{"NormPosL", 0}, {"NormPosT", 0}, {"NormPosR", 500}, {"NormPosB", 350}})
        stored.WriteInt("WindowSize", key, value);
    stored.Flush();
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // The stored rectangle is the frame's: the title bar and borders lie inside it.
    EXPECT_EQ(frame->frameGeometry(), QRect(0, 0, 500, 350));
    EXPECT_GT(frame->geometry().top(), 0) << "the test platform frames its windows";
    frame->close();
    const SettingsProfile settings;
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosL", -1), 0);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosT", -1), 0);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosR", -1), 500);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosB", -1), 350);
}

TEST_F(MainFrameTest, PlacementSurvivesClosingAndReopening) {
    const QRect moved(100, 120, 640, 480);
    {
        auto frame = MakeFrame();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        // The user drags the frame to (100, 120) and its corner to make it 640 × 480.
        frame->move(moved.topLeft());
        frame->resize(moved.size() - (frame->frameGeometry().size() - frame->size()));
        EXPECT_EQ(frame->frameGeometry(), moved);
        frame->close();
    }
    const SettingsProfile settings;
    EXPECT_EQ(settings.ReadInt("WindowSize", "showCmd", 0), 1);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosL", 0), 100);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosB", 0), 600);
    EXPECT_EQ(settings.ReadInt("WindowSize", "MaxPosX", 0), -1);
    {
        auto frame = MakeFrame();
        frame->show();
        EXPECT_EQ(frame->frameGeometry(), moved);
        frame->showMaximized();
        EXPECT_TRUE(frame->isMaximized());
    }
    EXPECT_EQ(settings.ReadInt("WindowSize", "showCmd", 0), 3);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosR", 0), 740);
    {
        auto frame = MakeFrame();
        frame->show();
        EXPECT_TRUE(frame->isMaximized());
        frame->showNormal();
        EXPECT_EQ(frame->frameGeometry(), moved);
    }
    EXPECT_EQ(settings.ReadInt("WindowSize", "showCmd", 0), 1);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosR", 0), 740);
}

TEST_F(MainFrameTest, SwitchedOffPlacementIsNeitherRestoredNorSaved) {
    const SettingsProfile settings;
    settings.WriteInt("WindowSize", "NormPosL", 200);
    settings.WriteInt("WindowSize", "NormPosR", 900);
    settings.WriteInt("WinSize", "Save", 0);
    {
        auto frame = MakeFrame();
        EXPECT_NE(frame->geometry().left(), 200);
        frame->show();
        frame->close();
    }
    EXPECT_EQ(settings.ReadInt("WindowSize", "showCmd", -7), -7);
    EXPECT_EQ(settings.ReadInt("WindowSize", "NormPosL", 0), 200);
}

#include "main_frame_test.moc"
