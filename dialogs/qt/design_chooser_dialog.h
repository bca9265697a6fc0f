#pragma once

#include "dialogs/design_chooser_model.h"
#include "dialogs/qt/model_dialog.h"

class QLabel;
class DesignGallery;
class QRadioButton;

// The design dialogs' questions and messages as message boxes, input and file dialogs.
class QtDesignPlatform : public DesignChooserPlatform {
public:
    explicit QtDesignPlatform(QWidget* parent) : parent_(parent) {}

    void ShowMessage(const std::string& text) override;
    bool Confirm(const std::string& question) override;
    std::optional<std::string> AskName(const std::string& title, const std::string& current) override;
    std::optional<std::string> AskExportPath(const std::string& fileName) override;
    std::optional<std::string> AskImportPath() override;

private:
    QWidget* parent_;
};

// "デザインを選ぶ": the designs as tags drawn from the record with its own people, their names
// below, the chosen one's description, which cards and label sizes it goes to, and the
// buttons that keep the user's designs.
class CDesignChooserDlg : public ModelDialog {
    Q_OBJECT

public:
    CDesignChooserDlg(const designs::DesignLibrary& library, const SettingsProfile& settings, DesignTarget target,
                      QWidget* parent = nullptr);

    // Closes only when the design was applied.
    void accept() override;

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override {}

    QtDesignPlatform platform_;
    DesignChooserModel model_;
    DesignGallery* list_ = nullptr;
    QLabel* description_ = nullptr;
    QRadioButton* everyone_ = nullptr;
    QRadioButton* selection_ = nullptr;
    QRadioButton* thisSize_ = nullptr;
    QRadioButton* allSizes_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Runs the gallery modally on the installed designs; true when a design was applied.
bool RunDesignChooser(QWidget* parent, const SettingsProfile& settings, DesignTarget target);
// "デザインとして保存": asks a name and keeps the current card's design under it.
void RunSaveDesign(QWidget* parent, const SettingsProfile& settings, const DesignTarget& target);
