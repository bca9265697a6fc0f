#include <QAbstractEventDispatcher>
#include <QStatusBar>

#include <iostream>
#include <memory>

#include "app/qt/main_frame.h"
#include "app/qt/rozudezi_app.h"
#include "dialogs/qt/add_item_dialog.h"
#include "dialogs/qt/back_design_dialog.h"
#include "dialogs/qt/category_rules_dialog.h"
#include "dialogs/qt/character_check_dialog.h"
#include "dialogs/qt/design_chooser_dialog.h"
#include "dialogs/qt/enter_dialog.h"
#include "dialogs/qt/frame_effect_dialog.h"
#include "dialogs/qt/label_size_dialog.h"
#include "dialogs/qt/list_export_dialog.h"
#include "dialogs/qt/list_import_dialog.h"
#include "dialogs/qt/list_to_tags_dialog.h"
#include "dialogs/qt/print_options_dialog.h"
#include "dialogs/qt/print_order_dialog.h"
#include "dialogs/qt/property_panel.h"
#include "dialogs/qt/romaji_dialog.h"
#include "dialogs/qt/sheet_chooser_dialog.h"
#include "help/command_help.h"
#include "view/qt/edit_view.h"
#include "view/qt/roster_dock.h"
#include "store/profile_service.h"
#include "view/qt/pdf_export.h"

namespace {

constexpr command_help::CommandText kHelp{
    "zulname",
    "zulname\n"
    "zulname --help | --version",
    "ZUL Name Card (名札印刷): designs and prints name tags and other card-sized labels.\n"
    "\n"
    "Settings file: $ZULNAME_HOME/ZULNAME.INI when ZULNAME_HOME is set, else\n"
    "~/.config/zulname/ZULNAME.INI. Cabinet folders and value lists: $ZULNAME_HOME, else\n"
    "~/.local/share/zulname/.\n"};

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it works without a display.
    if (const auto status = command_help::HandleHelpOrVersion(argc, argv, kHelp, std::cout)) return *status;
    CRozudeziApp app(argc, argv);
    if (!app.Initialise()) return 1;

    // The frame owns the view as its central widget.
    auto* view = new CRozudeziView(app.Printer(), app.UserItems().UserItems());
    CMainFrame frame(view, view, &app);
    view->SetContextMenu(frame.ContextMenu());

    // The roster beside the view, shown as it was last time.
    const SettingsProfile settings;
    MessageBoxPrompts rosterPrompts;
    auto* roster = new CRosterDock(view->Model().Settings(), view->Model().Record(), app.UserItems().UserItems(),
                                   rosterPrompts, &frame);
    // A dock goes back to the side of the window it was on; the right one at first.
    const auto dockArea = [&settings](const char* key) {
        const auto area = static_cast<Qt::DockWidgetArea>(settings.ReadInt("Option", key, Qt::RightDockWidgetArea));
        return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea || area == Qt::TopDockWidgetArea ||
                       area == Qt::BottomDockWidgetArea
                   ? area
                   : Qt::RightDockWidgetArea;
    };
    frame.addDockWidget(dockArea("RosterArea"), roster);
    roster->setVisible(settings.ReadInt("Option", "Roster", 0) != 0);
    // The selected item and the tag, below the roster; shown until the user hides it.
    auto* properties = new CPropertyPanel(view->Model().Session(), [view] { view->Refresh(); }, &frame);
    frame.addDockWidget(dockArea("PropertiesArea"), properties);
    properties->setVisible(settings.ReadInt("Option", "Properties", 1) != 0);
    roster->currentSlot = [view] { return view->Model().State().slot; };
    roster->cardChosen = [view](std::int32_t card) { view->Model().ShowCardPage(card); };
    roster->printRequested = [view] { view->Execute(CommandId::Print); };
    roster->noted = [&frame](const QString& note) { frame.statusBar()->showMessage(note); };
    roster->importRequested = [view] { view->Execute(CommandId::ImportList); };
    roster->designRequested = [view] { view->Execute(CommandId::ChooseDesign); };
    roster->makeRequested = [view] { view->Execute(CommandId::MakeFromList); };
    roster->categoryRequested = [view] { view->Execute(CommandId::CategoryDesigns); };
    view->SetZoomChanged([&frame](int percent) { frame.ShowZoom(percent); });
    view->SetCommandsChanged([&frame, roster, properties] {
        frame.UpdateCommands();
        roster->Follow();
        if (!properties->isHidden()) properties->Reload();
    });
    // Closed by its own button too: the menu's check mark follows.
    QObject::connect(roster, &QDockWidget::visibilityChanged, &frame, [&frame] { frame.UpdateCommands(); });
    view->SetDialogCommand(CommandId::ToggleRoster, [roster] {
        roster->setVisible(roster->isHidden());
        if (!roster->isHidden()) roster->Reload();
    });
    QObject::connect(properties, &QDockWidget::visibilityChanged, &frame, [&frame] { frame.UpdateCommands(); });
    view->SetDialogCommand(CommandId::ToggleProperties, [properties] {
        properties->setVisible(properties->isHidden());
        if (!properties->isHidden()) properties->Reload();
    });
    view->SetDialogCommand(CommandId::ApplyDesign, [roster] { roster->ApplyDesign(); });
    view->SetDialogCommand(CommandId::Undo, [roster] { roster->Undo(); });
    view->SetDialogCommand(CommandId::Redo, [roster] { roster->Redo(); });
    // What one user action writes is one step of undo: the step ends whenever the program has
    // done what an event asked and waits for the next.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [] { profile::ProfileService::Instance().EndUndoStep(); });

    // The modeless input dialog lives while the view is in card mode.
    std::unique_ptr<CEnterDlg> enter;
    roster->changed = [view, &enter] {
        if (enter) enter->FollowStoredChanges();
        view->Refresh();
    };
    roster->cardOpened = [view, &enter](std::int32_t card) {
        if (enter)
            enter->FollowStoredChanges();
        else
            view->Execute(CommandId::Input);
        view->Model().ShowCardPage(card);
    };
    view->SetInputDialogOpener([&] {
        enter = std::make_unique<CEnterDlg>(
            view->Model().Session(), view->Model().State().userItems, [view] { view->Refresh(); },
            [&enter] { enter.release()->deleteLater(); }, view);
        enter->show();
    });
    view->SetDialogCommand(CommandId::PrintOptions, [view] {
        RunPrintOptionsDialog(view, view->Model().Session());
        view->Refresh();
    });
    view->SetDialogCommand(CommandId::PrintOrder, [view] {
        RunPrintOrderDialog(view, view->Model().Record());
        view->Refresh();
    });
    view->SetDialogCommand(CommandId::LabelSizeSettings, [view] {
        RunLabelSizeDialog(view, view->Model().Settings(), view->Model().Record(), view->Model().State().slot);
        view->Refresh();
    });
    view->SetDialogCommand(CommandId::ChooseSheet, [view] {
        if (RunSheetChooser(view, view->Model().Settings(), view->Model().Record(), view->Model().State().slot))
            view->Refresh();
    });
    view->SetOutputWritten([&frame](const WrittenOutput& output) { frame.ShowWritten(output); });
    view->SetDialogCommand(CommandId::ExportPdf, [view, roster, &frame] {
        const std::optional<WrittenOutput> written =
            RunPdfExport(view, view->Model(), [view](const std::string& suggested) { return ChoosePdfFile(view, suggested); },
                         {roster->SelectedCount(), [roster] { return roster->MakeSelectionThePrintJob(); }});
        if (written) frame.ShowWritten(*written);
    });
    view->SetDialogCommand(CommandId::ExportProof, [view, &frame] {
        const std::optional<WrittenOutput> written =
            ExportProof(view, view->Model(), [view](const std::string& suggested) { return ChoosePdfFile(view, suggested); },
                        [view](const RecordProfile& record) { return AskProofCards(view, record); });
        if (written) frame.ShowWritten(*written);
    });
    view->SetDialogCommand(CommandId::Fill, [view] { RunFrameEffectDialog(view, view->Model().Session(), [view] { view->Refresh(); }); });
    view->SetDialogCommand(CommandId::AddItem, [&] {
        if (!RunAddItemDialog(view)) return;
        app.UserItems().ReloadUserItems(SettingsProfile());
        view->Model().State().userItems = app.UserItems().UserItems();
        roster->SetUserItems(app.UserItems().UserItems());
        view->Refresh();
    });
    // After a list brought cards: a new record file it made becomes the view's file, and items
    // it added are known everywhere.
    const auto followImport = [&](const std::string& before) {
        if (view->Model().Record().Path() != before) view->Model().OpenRecordFileAt(view->Model().Record().Path());
        app.UserItems().ReloadUserItems(SettingsProfile());
        view->Model().State().userItems = app.UserItems().UserItems();
        roster->SetUserItems(app.UserItems().UserItems());
        view->Refresh();
    };
    // "名簿を取り込み" in the "ﾌｧｲﾙ" menu and "差し込み印刷設定" under "ツール" open the one import.
    const auto importList = [&] {
        const std::string before = view->Model().Record().Path();
        RunListImportDialog(view, view->Model().Settings(), view->Model().Record());
        followImport(before);
    };
    view->SetDialogCommand(CommandId::ImportList, importList);
    view->SetDialogCommand(CommandId::MergePrint, importList);
    view->SetDialogCommand(CommandId::MakeFromList, [&] {
        const std::string before = view->Model().Record().Path();
        const std::optional<ListToTagsResult> made =
            RunListToTagsDialog(view, view->Model().Settings(), view->Model().Record());
        followImport(before);
        if (!made) return;
        frame.statusBar()->showMessage(QString::fromStdString(made->finished));
        if (made->then == ListToTagsModel::Then::Print) view->Execute(CommandId::Print);
        if (made->then != ListToTagsModel::Then::ExportPdf) return;
        const std::optional<WrittenOutput> written = ExportAllPagesToPdf(
            view, view->Model(), [view](const std::string& suggested) { return ChoosePdfFile(view, suggested); });
        if (!written) return;
        // The note of what was written, with its 開く link, lies under a status message.
        frame.statusBar()->clearMessage();
        frame.ShowWritten(*written);
    });
    view->SetDialogCommand(CommandId::CharacterCheck, [view, roster] {
        if (!RunCharacterCheckDialog(view, roster->Model().Cards())) return;
        roster->Reload();
        view->Refresh();
    });
    view->SetDialogCommand(CommandId::Romaji, [view, roster] {
        if (!RunRomajiDialog(view, view->Model().Settings(), roster->Model().Cards())) return;
        roster->Reload();
        view->Refresh();
    });
    // A design goes to the roster's selection or everyone, for the view's label slot.
    const auto designTarget = [view, roster] {
        return DesignTarget{roster->Model().Cards(), view->Model().State().slot, roster->Model().CurrentCard(),
                            roster->SelectedCards()};
    };
    view->SetDialogCommand(CommandId::ChooseDesign, [view, roster, designTarget] {
        if (!RunDesignChooser(view, view->Model().Settings(), designTarget())) return;
        roster->Reload();
        if (roster->changed) roster->changed();
    });
    view->SetDialogCommand(CommandId::CategoryDesigns, [view, roster] {
        if (!RunCategoryRulesDialog(view, view->Model().Settings(), roster->Model().Cards())) return;
        roster->Reload();
        if (roster->changed) roster->changed();
    });
    view->SetDialogCommand(CommandId::SaveDesign,
                           [view, designTarget] { RunSaveDesign(view, view->Model().Settings(), designTarget()); });
    view->SetDialogCommand(CommandId::ChooseBackDesign, [view, designTarget] {
        if (RunBackDesignChooser(view, view->Model().Settings(), designTarget())) view->Refresh();
    });
    view->SetDialogCommand(CommandId::ExportList,
                           [view] { RunListExportDialog(view, view->Model().Settings(), view->Model().Record()); });
    view->SetRecordFileOpened([&frame](const std::string& path) {
        frame.AddRecentFile(path);
        frame.ShowRecordFile(path);
    });
    view->SetStatusNote([&frame](const std::string& note) { frame.statusBar()->showMessage(QString::fromStdString(note)); });
    QObject::connect(&frame, &CMainFrame::RecentFileChosen,
                     [view](const std::string& path) { view->Model().OpenRecordFileAt(path); });
    // The program's own page is its help.
    view->SetHomePageOpener([&app] { app.Execute(CommandId::HelpIndex); });

    frame.show();
    // The view's first update asks for the cabinet, record file and label size not yet stored.
    view->Start();
    roster->Reload();
    const int status = app.exec();
    settings.WriteInt("Option", "Roster", roster->isHidden() ? 0 : 1);
    settings.WriteInt("Option", "RosterArea", frame.dockWidgetArea(roster));
    settings.WriteInt("Option", "Properties", properties->isHidden() ? 0 : 1);
    settings.WriteInt("Option", "PropertiesArea", frame.dockWidgetArea(properties));
    settings.Flush();
    if (enter) view->Model().SetInputDialog(nullptr);
    // The panel follows the view's edit session: it goes before the view that owns the session.
    delete properties;
    return status;
}
