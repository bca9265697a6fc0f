#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QSize>

#include <map>
#include <string>
#include <vector>

#include "app/menus.h"
#include "app/recent_files.h"
#include "app/window_placement.h"
#include "view/commands.h"
#include "view/written_output.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The program's single window: the edit view in the middle, the main menu, two toolbars that
// dock on any edge, and the status bar. Its placement is restored from the settings file when it
// is made and stored again when it closes.
//
// The frame carries out the exit and bar commands itself and hands the others on: the
// application's (About, printer set-up, help) to appCommands, the rest to viewCommands. Either
// target may be null; its commands are then unavailable.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Takes the view as its central widget (and owns it from then on).
    CMainFrame(QWidget* view, CommandTarget* viewCommands, CommandTarget* appCommands, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Asks the targets again which commands are available, for the menu bar and the toolbars;
    // the view calls this after every change. Menus also ask when they open.
    void UpdateCommands();

    // The view's popup ("SubMenu"), for the view to show at the pointer.
    QMenu* ContextMenu() const { return contextMenu_; }
    // The action a command shares between the menus, the toolbars and the keys.
    QAction* CommandAction(CommandId id) const;
    QToolBar* FirstToolBar() const { return firstToolBar_; }
    QToolBar* SecondToolBar() const { return secondToolBar_; }

    // Puts a stored path (code page 932) first in the recent-file list of the "ﾌｧｲﾙ" menu.
    void AddRecentFile(const std::string& storedPath);
    // Names the open record file (stored path, code page 932) in the window's title.
    void ShowRecordFile(const std::string& storedPath);
    // Shows the view's zoom in its status-bar pane ("100%").
    void ShowZoom(int percent);
    // Tells in the status bar what a print job or export wrote, with a link that opens a PDF.
    void ShowWritten(const WrittenOutput& output);

signals:
    // An entry of the recent-file list was chosen; the path is stored text (code page 932).
    void RecentFileChosen(const std::string& storedPath);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries, bool mainMenu);
    // An action of its own for a command entry, where the shared action does not fit.
    QAction* CommandEntryAction(const MenuEntry& entry, QObject* parent);
    void AddRecentFileEntries(QMenu* menu, const MenuEntry& placeholder);
    void UpdateRecentFileEntries();
    QToolBar* CreateToolBar(const QString& title, const QString& name, const std::vector<ToolbarPosition>& positions);
    void CreateStatusBar();

    void Run(CommandId id);
    bool IsAvailable(CommandId id) const;
    void UpdateActions(const QList<QAction*>& actions);

    // The stored placement is the frame's, title bar and borders included, as the window
    // system places windows: a window at (0, 0) shows its title bar. With none stored, or
    // storing switched off, the window opens on most of the primary screen.
    void RestorePlacement();
    void SavePlacement();
    void FollowFrame();

    CommandTarget* viewCommands_;
    CommandTarget* appCommands_;
    std::map<CommandId, QAction*> actions_;
    QMenu* contextMenu_ = nullptr;
    QToolBar* firstToolBar_ = nullptr;
    QToolBar* secondToolBar_ = nullptr;
    QLabel* zoomPane_ = nullptr;
    QLabel* writtenPane_ = nullptr;
    RecentFileList recentFiles_;
    QAction* recentPlaceholder_ = nullptr;
    std::vector<QAction*> recentEntries_;
    WindowPlacement opened_;
    // The frame's rectangle the last time the window was neither minimised nor maximised.
    PixelRect normalFrame_;
    // The restored size is the frame's, but the frame is known only once the window system has
    // framed the window, and may still change while it settles (a window opened maximised and
    // then restored): until then the inside is fitted to each frame reported.
    QSize restoredFrameSize_;  // valid while fitting
    QSize fittedSize_;         // the inside's size last asked for
    QMargins fittedTo_;        // the frame it was fitted to
    bool placementSaved_ = false;
};
