#pragma once

#include "dialogs/back_design_model.h"
#include "dialogs/qt/design_chooser_dialog.h"
#include "dialogs/qt/model_dialog.h"

class QLabel;
class DesignGallery;

// "裏面のデザイン": the back as it is, none, the current card's design and the gallery's designs
// as tags drawn from the record, with the chosen one's description.
class CBackDesignDlg : public ModelDialog {
    Q_OBJECT

public:
    CBackDesignDlg(const designs::DesignLibrary& library, const SettingsProfile& settings, DesignTarget target,
                   QWidget* parent = nullptr);

    // Closes only when the back was stored.
    void accept() override;

private:
    bool TakeFields() override { return true; }
    void ShowFields() override;
    void Ok() override {}

    QtDesignPlatform platform_;
    BackDesignModel model_;
    DesignGallery* list_ = nullptr;
    QLabel* description_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Runs the chooser modally on the installed designs; true when the back was stored.
bool RunBackDesignChooser(QWidget* parent, const SettingsProfile& settings, DesignTarget target);
