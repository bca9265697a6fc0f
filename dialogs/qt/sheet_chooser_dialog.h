#pragma once

#include <cstdint>

#include "dialogs/qt/model_dialog.h"
#include "dialogs/sheet_chooser_model.h"

class QLabel;
class SheetSearchBox;

// "用紙を選ぶ": a search over the label products, their list, a picture of the chosen sheet and
// what the slot would hold; OK puts the product into the slot.
class CSheetChooserDlg : public ModelDialog, private SheetChooserPlatform {
    Q_OBJECT

public:
    CSheetChooserDlg(sheets::SheetCatalogue& catalogue, const SettingsProfile& settings, const RecordProfile& record,
                     std::int32_t slot, QWidget* parent = nullptr);

    // Closes only when the product was stored.
    void accept() override;

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}
    void ShowMessage(const std::string& text) override;
    std::optional<std::string> AskSheetName() override;

    SheetChooserModel model_;
    QLabel* heading_ = nullptr;
    SheetSearchBox* box_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// The label products of this machine, read the first time they are asked for.
sheets::SheetCatalogue& ProgramCatalogue();

// Runs the chooser modally on the program's catalogue; true when a product was stored.
bool RunSheetChooser(QWidget* parent, const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot);
