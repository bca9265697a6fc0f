#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/design_chooser_model.h"
#include "dialogs/design_previews.h"
#include "dialogs/list_import_model.h"
#include "dialogs/sheet_chooser_model.h"
#include "sheets/catalogue.h"
#include "store/profiles.h"

// What "名簿から作成" needs from the window system: the import's and the sheet chooser's.
class ListToTagsPlatform : public ListImportPlatform, public SheetChooserPlatform {};

// "名簿から作成": a participant list to a new record file of finished tags, in steps: the list
// file, its columns, the design (the gallery, drawn with the list's first person), the label
// sheet, and the name of the record file. Finishing writes the file into the current cabinet,
// makes it the current one with the sheet in its label slot, and tells the window what to do
// next (show it, write a PDF or print). Texts are UTF-8; the window moves controls into the
// fields before each handler and shows the fields afterwards.
class ListToTagsModel {
    // Forwards the import's questions to the platform, keeping its report for the end.
    class ImportPlatform : public ListImportPlatform {
    public:
        explicit ImportPlatform(ListToTagsPlatform& platform) : platform_(platform) {}
        std::optional<std::string> ChooseListFile(const std::string& folder) override { return platform_.ChooseListFile(folder); }
        void ShowMessage(const std::string& text) override { static_cast<ListImportPlatform&>(platform_).ShowMessage(text); }
        void ShowReport(const std::string& text) override { report = text; }
        std::optional<UnencodablePolicy> AskUnencodable(const std::string& listing) override {
            return platform_.AskUnencodable(listing);
        }
        bool Progress(double share) override { return platform_.Progress(share); }

        std::string report;

    private:
        ListToTagsPlatform& platform_;
    };

    // Made before the steps' models, which keep them.
    ImportPlatform importPlatform_;
    std::int32_t slot_;

public:
    enum Page { kListPage = 0, kColumnsPage, kDesignPage, kSheetPage, kFinishPage, kPageCount };
    enum class Then { Show, ExportPdf, Print };

    ListToTagsModel(sheets::SheetCatalogue& catalogue,
                    const SettingsProfile& settings, RecordProfile& record, ListToTagsPlatform& platform);

    // The steps' own models: the list file and its columns, and the label sheet.
    ListImportModel list;
    SheetChooserModel sheet;

    // Fields exchanged with the controls.
    int page = kListPage;
    std::string pageTitle;  // "2/5 列の割り当て"
    std::vector<DesignRow> designs;
    int design = -1;
    std::string designDescription;
    int designVersion = 0;  // changes whenever the designs' tags are drawn again
    std::string recordName;  // the new record file, as typed
    std::string summary;     // what finishing makes
    bool backEnabled = false, nextEnabled = false, finishEnabled = false;

    void OnOpen();
    // The list file chosen in the file chooser, or typed: a list that can be read moves on to its
    // columns.
    void OnBrowse();
    void OnPathEntered();
    void OnNext();
    void OnBack();
    void OnSelectDesign(int row);
    // A design double-clicked: chosen, and on to the sheet.
    void OnDesignChosen(int row);
    // Makes the record file; true when the dialog closes, the file made and current.
    bool OnFinish(Then then);

    // What the window does once the dialog has closed.
    Then AfterFinish() const { return then_; }
    // What was made, for the status bar, once finished.
    const std::string& Finished() const { return finished_; }
    // The record file of the row's tag (file-system path); empty when there is none.
    const std::string& DesignPreviewFsPath(int row) const;
    std::int32_t Slot() const { return slot_; }

    // Keeps the fields in step after a handler of list or sheet ran: the designs' tags show the
    // list's first person as the columns now give it.
    void Update();

private:
    void AfterListChosen();
    void DrawDesigns();
    std::string FreeRecordName(const std::string& stem) const;
    const designs::Entry* ChosenDesign() const;
    bool PageDone(int which) const;

    const SettingsProfile& settings_;
    RecordProfile& record_;
    ListToTagsPlatform& platform_;
    int drawnFrom_ = -1;  // the list's tag preview the designs' tags were drawn from
    DesignPreviews previews_;
    std::string finished_;
    Then then_ = Then::Show;
};
