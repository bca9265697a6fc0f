#include "app/qt/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "app/qt/qt_text.h"
#include "app/qt/toolbar_icons.h"
#include "app/window_title.h"
#include "store/codec.h"
#include "store/profiles.h"

namespace {

constexpr const char* kCommandProperty = "zulnameCommand";

QAction* NewCommandAction(CommandId id, const QString& text, QObject* parent) {
    const CommandInfo& info = Command(id);
    auto* action = new QAction(text, parent);
    action->setStatusTip(ToQt(info.prompt));
    action->setToolTip(ToQt(ToolTipText(id)));
    action->setIconVisibleInMenu(false);
    action->setProperty(kCommandProperty, static_cast<int>(id));
    return action;
}

bool CommandOf(const QAction* action, CommandId& id) {
    const QVariant value = action->property(kCommandProperty);
    if (!value.isValid()) return false;
    id = static_cast<CommandId>(value.toInt());
    return true;
}

PixelRect ToPixelRect(const QRect& rect) {
    return PixelRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

std::vector<PixelRect> AvailableScreens() {
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(ToPixelRect(screen->availableGeometry()));
    return screens;
}

// The lock-key panes. Qt reports no lock or kana state on Linux, so the panes show their
// captions greyed, as unlit indicators do, and say why when asked.
void AddIndicators(QStatusBar* bar) {
    for (const char* caption : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(ToQt(caption), bar);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setEnabled(false);
        pane->setToolTip(ToQt("この環境ではキーの状態を表示できません"));
        bar->addPermanentWidget(pane);
    }
}

}  // namespace

CMainFrame::CMainFrame(QWidget* view, CommandTarget* viewCommands, CommandTarget* appCommands, QWidget* parent)
    : QMainWindow(parent), viewCommands_(viewCommands), appCommands_(appCommands), recentFiles_(SettingsProfile()) {
    // The title a single-document window takes: the document's name, then the program's.
    ShowRecordFile(std::string());
    setWindowIcon(ProgramIcon());
    CreateActions();
    CreateMenus();
    firstToolBar_ = CreateToolBar(ToQt("ツールバー"), QStringLiteral("FirstToolBar"), FirstToolbar());
    addToolBar(Qt::TopToolBarArea, firstToolBar_);
    addToolBarBreak(Qt::TopToolBarArea);
    secondToolBar_ = CreateToolBar(ToQt("移動と配置"), QStringLiteral("SecondToolBar"), SecondToolbar());
    addToolBar(Qt::TopToolBarArea, secondToolBar_);
    CreateStatusBar();
    if (view) {
        setCentralWidget(view);
        view->setFocus();
    }
    RestorePlacement();
    UpdateCommands();
}

CMainFrame::~CMainFrame() { SavePlacement(); }

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : Commands()) {
        QAction* action = NewCommandAction(info.id, ToQt(info.caption), this);
        QList<QKeySequence> keys;
        for (std::string_view key : info.keys) keys.append(QKeySequence(ToQt(key), QKeySequence::PortableText));
        action->setShortcuts(keys);
        action->setIcon(CommandIcon(info.id));
        connect(action, &QAction::triggered, this, [this, id = info.id] { Run(id); });
        // Keys reach the window's commands whether or not a bar shows them.
        addAction(action);
        actions_[info.id] = action;
    }
    for (CommandId toggle :
         {CommandId::ToggleToolbar, CommandId::ToggleStatusBar, CommandId::ToggleRoster, CommandId::ToggleProperties})
        actions_[toggle]->setCheckable(true);
}

void CMainFrame::CreateMenus() {
    for (const MenuEntry& entry : MainMenu()) {
        if (entry.kind == MenuEntry::Kind::SubMenu) {
            QMenu* menu = menuBar()->addMenu(ToQt(MenuText(entry)));
            AddEntries(menu, entry.children, true);
        } else if (entry.kind == MenuEntry::Kind::Command) {
            // A menu bar shows an action's icon instead of its caption, so the command has an
            // action of its own here.
            menuBar()->addAction(CommandEntryAction(entry, menuBar()));
        }
    }
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("SubMenu"));
    AddEntries(contextMenu_, ::ContextMenu(), false);
}

void CMainFrame::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries, bool mainMenu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuEntry::Kind::Separator: menu->addSeparator(); break;
            case MenuEntry::Kind::SubMenu: AddEntries(menu->addMenu(ToQt(MenuText(entry))), entry.children, mainMenu); break;
            case MenuEntry::Kind::RecentFiles: AddRecentFileEntries(menu, entry); break;
            case MenuEntry::Kind::Command:
                if (mainMenu) {
                    QAction* action = actions_.at(entry.command);
                    action->setText(ToQt(MenuText(entry)));
                    menu->addAction(action);
                } else {
                    // The popup names some commands differently, so it has actions of its own.
                    menu->addAction(CommandEntryAction(entry, menu));
                }
                break;
        }
    }
}

QAction* CMainFrame::CommandEntryAction(const MenuEntry& entry, QObject* parent) {
    QAction* action = NewCommandAction(entry.command, ToQt(MenuText(entry)), parent);
    connect(action, &QAction::triggered, this, [this, id = entry.command] { Run(id); });
    return action;
}

void CMainFrame::AddRecentFileEntries(QMenu* menu, const MenuEntry& placeholder) {
    recentPlaceholder_ = menu->addAction(ToQt(MenuText(placeholder)));
    recentPlaceholder_->setEnabled(false);
    for (std::size_t i = 0; i < RecentFileList::kSize; ++i) {
        QAction* entry = menu->addAction(QString());
        connect(entry, &QAction::triggered, this, [this, i] {
            if (i < recentFiles_.Entries().size() && IsAvailable(CommandId::FileOpen))
                emit RecentFileChosen(recentFiles_.Entries()[i]);
        });
        recentEntries_.push_back(entry);
    }
    UpdateRecentFileEntries();
}

// The entries stand in the menu where the placeholder stands while the list is empty.
void CMainFrame::UpdateRecentFileEntries() {
    const std::vector<std::string>& paths = recentFiles_.Entries();
    recentPlaceholder_->setVisible(paths.empty());
    const QFontMetrics metrics(font());
    for (std::size_t i = 0; i < recentEntries_.size(); ++i) {
        QAction* entry = recentEntries_[i];
        entry->setVisible(i < paths.size());
        if (i >= paths.size()) continue;
        std::string utf8;
        const QString path = codec::Cp932ToUtf8(paths[i], utf8) ? ToQt(utf8) : ToQt("（表示できない名前）");
        const QString shown = metrics.elidedText(path, Qt::ElideMiddle, metrics.averageCharWidth() * 48);
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(shown).replace('&', QStringLiteral("&&"))));
    }
}

void CMainFrame::AddRecentFile(const std::string& storedPath) {
    recentFiles_.Add(storedPath);
    UpdateRecentFileEntries();
}

QToolBar* CMainFrame::CreateToolBar(const QString& title, const QString& name,
                                    const std::vector<ToolbarPosition>& positions) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(name);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setIconSize(QSize(16, 16));
    for (const ToolbarPosition& position : positions) {
        if (position) {
            bar->addAction(actions_.at(*position));
        } else {
            bar->addSeparator();
        }
    }
    return bar;
}

void CMainFrame::CreateStatusBar() {
    // The message pane is the bar's own: it shows the prompt of the menu item or button under
    // the pointer, over the pane that tells what was last written.
    writtenPane_ = new QLabel(statusBar());
    writtenPane_->setObjectName(QStringLiteral("WrittenPane"));
    writtenPane_->setTextFormat(Qt::RichText);
    connect(writtenPane_, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    statusBar()->addWidget(writtenPane_, 1);
    zoomPane_ = new QLabel(statusBar());
    zoomPane_->setObjectName(QStringLiteral("ZoomPane"));
    zoomPane_->setAlignment(Qt::AlignCenter);
    zoomPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zoomPane_->setMinimumWidth(zoomPane_->fontMetrics().horizontalAdvance(QStringLiteral("800%")) + 12);
    zoomPane_->setToolTip(ToQt("表示の倍率"));
    statusBar()->addPermanentWidget(zoomPane_);
    AddIndicators(statusBar());
}

void CMainFrame::ShowRecordFile(const std::string& storedPath) { setWindowTitle(ToQt(WindowTitle(storedPath))); }

void CMainFrame::ShowZoom(int percent) { zoomPane_->setText(QStringLiteral("%1%").arg(percent)); }

void CMainFrame::ShowWritten(const WrittenOutput& output) {
    QString text = ToQt(WrittenOutputNote(output)).toHtmlEscaped();
    if (!output.pdf.empty()) {
        const QString link = QString::fromUtf8(QUrl::fromLocalFile(ToQt(output.pdf)).toEncoded());
        text += QStringLiteral(" <a href=\"%1\">%2</a>").arg(link.toHtmlEscaped(), ToQt("開く"));
    }
    writtenPane_->setText(text);
    writtenPane_->setToolTip(output.pdf.empty() ? QString() : ToQt(output.pdf));
}

QAction* CMainFrame::CommandAction(CommandId id) const { return actions_.at(id); }

bool CMainFrame::IsAvailable(CommandId id) const {
    switch (Command(id).owner) {
        case CommandOwner::Frame: return true;
        case CommandOwner::Application: return appCommands_ && appCommands_->IsAvailable(id);
        case CommandOwner::View: return viewCommands_ && viewCommands_->IsAvailable(id);
    }
    return false;
}

void CMainFrame::Run(CommandId id) {
    // A key may come before the view's last change has reached the bars: ask again, and bring
    // the bars up to date when the command is gone.
    if (!IsAvailable(id)) {
        UpdateCommands();
        return;
    }
    switch (id) {
        case CommandId::Exit: close(); return;
        case CommandId::ToggleToolbar: firstToolBar_->setVisible(firstToolBar_->isHidden()); break;
        case CommandId::ToggleStatusBar: statusBar()->setVisible(statusBar()->isHidden()); break;
        default:
            (Command(id).owner == CommandOwner::Application ? appCommands_ : viewCommands_)->Execute(id);
            break;
    }
    UpdateCommands();
}

void CMainFrame::UpdateActions(const QList<QAction*>& actions) {
    // Several actions can carry one command; the view is asked once per command.
    std::map<CommandId, bool> available;
    for (QAction* action : actions) {
        CommandId id;
        if (!CommandOf(action, id)) continue;
        const auto known = available.find(id);
        action->setEnabled(known != available.end() ? known->second : (available[id] = IsAvailable(id)));
    }
    // A recent file opens as "開く" does, so the entries are offered when "開く" is.
    const bool canOpen = IsAvailable(CommandId::FileOpen);
    for (QAction* entry : recentEntries_) entry->setEnabled(canOpen);
    actions_.at(CommandId::ToggleToolbar)->setChecked(!firstToolBar_->isHidden());
    actions_.at(CommandId::ToggleStatusBar)->setChecked(!statusBar()->isHidden());
    // Each dock's entry is checked while it shows.
    for (const auto& [command, dock] : {std::pair{CommandId::ToggleRoster, "RosterDock"}, std::pair{CommandId::ToggleProperties, "properties"}}) {
        const QDockWidget* found = findChild<QDockWidget*>(QString::fromLatin1(dock));
        actions_.at(command)->setChecked(found != nullptr && !found->isHidden());
    }
}

void CMainFrame::UpdateCommands() { UpdateActions(findChildren<QAction*>()); }

void CMainFrame::RestorePlacement() {
    const PlacementStore store{SettingsProfile()};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (store.Enabled() && store.Stored())
        opened_ = store.Load();
    else if (screen)
        opened_ = FirstStartPlacement(ToPixelRect(screen->availableGeometry()));
    else
        return;
    const WindowShape shape = ShapeOf(opened_);
    normalFrame_ = KeepOnScreen(shape.normal, AvailableScreens());
    // Before the window is made, a position is the frame's; the size is the inside's until
    // FollowFrame takes the frame off it.
    restoredFrameSize_ = QSize(normalFrame_.Width(), normalFrame_.Height());
    move(normalFrame_.left, normalFrame_.top);
    resize(restoredFrameSize_);
    // Set before the window is shown; Qt keeps the rectangle above as the one to restore to.
    switch (shape.state) {
        case ShowState::Normal: break;
        case ShowState::Maximised: setWindowState(Qt::WindowMaximized); break;
        case ShowState::Minimised:
            setWindowState(shape.restoreToMaximised ? Qt::WindowMinimized | Qt::WindowMaximized : Qt::WindowMinimized);
            break;
    }
}

void CMainFrame::SavePlacement() {
    if (placementSaved_) return;
    placementSaved_ = true;
    const PlacementStore store{SettingsProfile()};
    if (!store.Enabled()) return;
    const Qt::WindowStates states = windowState();
    WindowShape shape;
    if (states & Qt::WindowMinimized) {
        shape.state = ShowState::Minimised;
        shape.restoreToMaximised = (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
    } else if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        shape.state = ShowState::Maximised;
    }
    shape.normal = normalFrame_;
    store.Save(PlacementOf(shape, opened_));
}

void CMainFrame::FollowFrame() {
    if (!isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) return;
    // The window system's own frame: the widget's frame geometry can lag behind it.
    const QMargins frame = windowHandle()->frameMargins();
    if (restoredFrameSize_.isValid()) {
        if (fittedSize_.isValid() && size() != fittedSize_) {
            restoredFrameSize_ = QSize();  // resized by the user: the size is theirs now
        } else if (!frame.isNull() && frame != fittedTo_) {
            fittedTo_ = frame;
            fittedSize_ = restoredFrameSize_.shrunkBy(frame);
            resize(fittedSize_);
        } else if (!frame.isNull()) {
            restoredFrameSize_ = QSize();  // the frame has settled
        }
    }
    normalFrame_ = ToPixelRect(geometry().marginsAdded(frame));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FollowFrame();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FollowFrame();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FollowFrame();
}

// A window restored from maximised may take its normal rectangle before its state changes.
void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) FollowFrame();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) SavePlacement();
}
