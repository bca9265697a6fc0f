#pragma once

#include <optional>
#include <string>

#include "dialogs/list_to_tags_model.h"
#include "dialogs/qt/list_import_dialog.h"
#include "dialogs/qt/model_dialog.h"

class CardPreviewWidget;
class ColumnMappingBox;
class DesignGallery;
class ListFileBox;
class QLabel;
class QStackedWidget;
class SheetSearchBox;

// "名簿から作成": a step on each page (the list file, its columns, the design, the sheet, the
// name of the record file) with 戻る and 次へ, and on the last page 作成, PDFに書き出し… and
// 印刷…. The list's file chooser opens as the dialog does.
class CListToTagsDlg : public ModelDialog, private ListToTagsPlatform {
    Q_OBJECT

public:
    CListToTagsDlg(sheets::SheetCatalogue& catalogue,
                   const SettingsProfile& settings, RecordProfile& record, QWidget* parent = nullptr);

    // Enter: 次へ, and 作成 on the last page.
    void accept() override;
    const ListToTagsModel& Model() const { return model_; }

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}
    void Finish(ListToTagsModel::Then then);

    std::optional<std::string> ChooseListFile(const std::string& folder) override;
    void ShowMessage(const std::string& text) override;
    void ShowReport(const std::string& text) override;
    std::optional<UnencodablePolicy> AskUnencodable(const std::string& listing) override;
    bool Progress(double share) override;
    std::optional<std::string> AskSheetName() override { return std::nullopt; }

    QtListImportPlatform import_;
    ListToTagsModel model_;
    QLabel* title_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    ListFileBox* file_ = nullptr;
    ColumnMappingBox* columns_ = nullptr;
    CardPreviewWidget* firstTag_ = nullptr;
    DesignGallery* gallery_ = nullptr;
    QLabel* designText_ = nullptr;
    SheetSearchBox* sheet_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* summary_ = nullptr;
    CardPreviewWidget* chosenTag_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QWidget* finishButtons_ = nullptr;
};

// What 名簿から作成 made, once it has: what to do next, and a line for the status bar.
struct ListToTagsResult {
    ListToTagsModel::Then then;
    std::string finished;
};

// Runs the dialog modally on the installed designs and the program's sheets.
std::optional<ListToTagsResult> RunListToTagsDialog(QWidget* parent, const SettingsProfile& settings, RecordProfile& record);
