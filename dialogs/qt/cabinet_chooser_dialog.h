#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "dialogs/cabinet_chooser_model.h"

class QListWidget;

// "キャビネット選択": the cabinets in a list and "OK"; Escape or closing the window cancels.
class CGetGenreDlg : public QDialog {
    Q_OBJECT

public:
    explicit CGetGenreDlg(std::string preset, QWidget* parent = nullptr);

    const std::optional<std::string>& Chosen() const { return model_.Result(); }
    void reject() override;

private:
    void Select();
    void DoubleClick(int row);
    void Ok();

    CabinetChooserModel model_;
    QListWidget* list_;
};

// Runs the chooser modally: the chosen cabinet (stored text), or nothing when cancelled.
std::optional<std::string> RunCabinetChooser(QWidget* parent, const std::string& preset);
