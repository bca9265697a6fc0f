#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "designs/design_library.h"
#include "lists/column_mapping.h"
#include "lists/import_plan.h"
#include "lists/list_file.h"
#include "lists/temporary_record.h"
#include "store/profiles.h"

// What the import dialog needs from the window system; tests put their own in its place.
class ListImportPlatform {
public:
    virtual ~ListImportPlatform() = default;
    // The open-file chooser starting in folder (file-system paths); nothing when cancelled.
    virtual std::optional<std::string> ChooseListFile(const std::string& folder) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // What the import did: a line per count and per row told about, shown whole.
    virtual void ShowReport(const std::string& text) = 0;
    // The list holds text code page 932 cannot hold (listing names row, column, characters and
    // code points): keep them, put their usual substitutes, skip those rows, replace the
    // characters with "〓", or nothing to cancel.
    virtual std::optional<UnencodablePolicy> AskUnencodable(const std::string& listing) = 0;
    // Called while a long list is read, with the share done, and with 1 when the reading is
    // over; false when the user stops it.
    virtual bool Progress(double share) = 0;
};

// The merge folder "差し込み" made at start-up (file-system path), where list files are kept; the
// data folder when it is gone.
std::string MergeFolder(const SettingsProfile& settings);
// Where the list chooser opens: the folder of the list chosen last ("Option" "ListFolder"), else
// the merge folder.
std::string ListFolder(const SettingsProfile& settings);

// "差し込み印刷設定": a participant list (CSV, TSV, Excel, OpenDocument) becomes cards of the
// record file, with one design. The user sees the detected format, encoding and sheet, maps
// each column to an item, previews the first rows and chooses where the cards go and which
// design they take. OK writes everything in one transaction and reports what happened.
// Texts are UTF-8; the window moves controls into the fields before each handler and shows the
// fields afterwards.
class ListImportModel {
public:
    static constexpr std::size_t kPreviewRows = 5;
    enum Destination { kAppend = 0, kReplace = 1, kNewFile = 2 };
    enum DesignChoice { kCurrentCard = 0, kChosenCard = 1, kDefaults = 2, kNoDesign = 3, kLibraryDesign = 4 };

    ListImportModel(const SettingsProfile& settings, RecordProfile& record, ListImportPlatform& platform);

    // Fields exchanged with the controls.
    std::string path;        // the list file (file-system path)
    std::string formatText;  // what was detected: format, encoding or sheet, rows
    std::vector<std::string> encodingChoices;
    int encoding = 0;  // 0: detected
    bool encodingEnabled = false;
    std::vector<std::string> sheetChoices;
    int sheet = 0;
    bool sheetEnabled = false;
    bool hasHeader = true;
    std::vector<std::string> columnNames;                // "A: 氏名"
    std::vector<std::vector<std::string>> columnChoices;  // per column
    std::vector<int> columnTargets;                      // per column, index into its choices
    std::vector<std::vector<std::string>> preview;       // the first rows to import
    std::vector<std::string> kanaChoices;
    int kana = 0;
    int destination = kAppend;
    std::string newFileName;
    bool newFileNameEnabled = false;
    int design = kCurrentCard;
    std::string designCard;
    bool designCardEnabled = false;
    std::vector<std::string> libraryDesigns;  // the designs of the gallery, by name
    int libraryDesign = 0;
    bool libraryDesignEnabled = false;
    bool okEnabled = false;

    void OnOpen();
    void OnBrowse();
    void OnPathEntered();      // a path typed into the field
    void OnEncodingChanged();
    void OnSheetChanged();
    void OnHeaderToggled();
    void OnMappingChanged();   // a column's choice, or the kana choice
    void OnDestinationChanged();
    // True when the dialog closes: the cards are written and the report shown.
    bool OnOk();

    // The options of an import as the fields are now.
    ImportOptions CurrentOptions() const;
    // The report of the last import, once OK has written it.
    const std::string& Report() const { return report_; }
    // Where the cards went (file-system path) after OK.
    const std::string& WrittenRecord() const { return writtenRecord_; }
    // A temporary record file whose card 0000 is the first person of the list with the chosen
    // design, for the picture of the tag; empty when there is none. Made again after each change.
    const std::string& TagPreview() const { return tagPreview_.FsPath(); }
    // The designs of the gallery, in the order of libraryDesigns.
    const std::vector<designs::Entry>& LibraryDesigns() const { return library_; }
    // Changes whenever the tag preview is made again.
    int TagPreviewVersion() const { return tagPreviewVersion_; }

private:
    void Load();
    void GuessColumns();
    void UpdatePreview();
    void UpdateEnabled();
    std::string RecordFsPath() const;
    void UpdateTagPreview();
    // The design the new cards take, as the fields choose it; false when the card number given
    // names no card.
    bool ChosenDesign(std::optional<cards::Design>& design) const;
    // The gallery's design chosen, when the cards take one.
    const designs::Entry* LibraryDesign() const;
    std::int32_t Slot() const;

    const SettingsProfile& settings_;
    RecordProfile& record_;
    ListImportPlatform& platform_;
    std::vector<std::string> items_;                   // UTF-8 item list
    std::vector<std::vector<ColumnTarget>> targets_;   // per column, what each choice stands for
    std::optional<ListFile> list_;
    std::string report_;
    std::string writtenRecord_;
    std::vector<designs::Entry> library_;
    TemporaryRecord tagPreview_;
    int tagPreviewVersion_ = 0;
};
