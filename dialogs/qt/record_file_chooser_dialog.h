#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "dialogs/record_file_chooser_model.h"

class QLineEdit;
class QListWidget;

// "記録ファイル選択": a name typed or picked from the files of the cabinet folder, and "OK";
// Escape or closing the window cancels.
class CGetIniNameDlg : public QDialog, private RecordFileChooserPlatform {
    Q_OBJECT

public:
    // Texts are stored text (code page 932); empty ones are filled in as the model says.
    CGetIniNameDlg(const RecordProfile& record, std::string cabinet, std::string folder, std::string presetName,
                   QWidget* parent = nullptr);

    const std::optional<std::string>& Chosen() const { return model_.Result(); }
    void reject() override;

private:
    void Beep() override;
    void FocusNameField() override;
    void DoubleClick(int row);
    void Ok();

    RecordFileChooserModel model_;
    QLineEdit* name_;
    QListWidget* files_;
};

// Runs the chooser modally for a cabinet (empty: the current one); the folder is composed and
// the name preset to the new record file's name when they are not given. Returns the file name
// (stored text), or nothing when cancelled.
std::optional<std::string> RunRecordFileChooser(QWidget* parent, const RecordProfile& record,
                                                const std::string& cabinet, const std::string& folder = {},
                                                const std::string& presetName = {});
