#pragma once

#include <memory>
#include <vector>

#include "dialogs/list_import_model.h"
#include "dialogs/qt/model_dialog.h"

class CardPreviewWidget;
class ColumnMappingBox;
class ListFileBox;
class QButtonGroup;
class QComboBox;
class QProgressDialog;

// "差し込み印刷設定": a participant list becomes cards. The list file and what was detected at
// the top, one choice per column above a preview of the first rows, then where the cards go and
// which design they take. OK writes the cards and shows the report.
class CListImportDlg : public ModelDialog {
    Q_OBJECT

public:
    CListImportDlg(const SettingsProfile& settings, RecordProfile& record, ListImportPlatform& platform,
                   QWidget* parent = nullptr);

    void accept() override;
    const ListImportModel& Model() const { return model_; }

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}

    ListImportModel model_;
    ListFileBox* file_ = nullptr;
    ColumnMappingBox* columns_ = nullptr;
    QButtonGroup* destination_ = nullptr;
    QLineEdit* newFile_ = nullptr;
    QButtonGroup* design_ = nullptr;
    QLineEdit* designCard_ = nullptr;
    QComboBox* libraryDesign_ = nullptr;
    QWidget* ok_ = nullptr;
    CardPreviewWidget* tag_ = nullptr;
    bool showing_ = false;  // fields are being shown: control signals are not events
};

// The window system's side of the import: file chooser, message boxes, progress.
class QtListImportPlatform : public ListImportPlatform {
public:
    explicit QtListImportPlatform(QWidget* parent);
    ~QtListImportPlatform() override;
    std::optional<std::string> ChooseListFile(const std::string& folder) override;
    void ShowMessage(const std::string& text) override;
    void ShowReport(const std::string& text) override;
    std::optional<UnencodablePolicy> AskUnencodable(const std::string& listing) override;
    bool Progress(double share) override;

private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> progress_;
};

// Runs the dialog modally; true when cards were written. Either way the caller redraws.
bool RunListImportDialog(QWidget* parent, const SettingsProfile& settings, RecordProfile& record);
