#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/enter_dialog_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// "入力": the modeless input dialog of the edit view. It opens at the top right of the screen
// on the view's current record file, card, slot and item, and registers itself with the view
// for the hand-over of positions. Only "OK" closes it; Escape and the close box do nothing.
class CEnterDlg : public QDialog, private EnterDialogPlatform {
    Q_OBJECT

public:
    // userItems: the application's user-defined items. refreshAllViews redraws every view;
    // closed is called once "OK" has put the view back on the sheet and hidden the dialog, for
    // the owner to destroy it.
    CEnterDlg(EditSession& view, std::vector<std::string> userItems, std::function<void()> refreshAllViews,
              std::function<void()> closed, QWidget* parent = nullptr);

    void reject() override;
    // Shows the current card and item as stored now, after a change made elsewhere.
    void FollowStoredChanges();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Axis = EnterDialogModel::Axis;

    void Beep() override;
    void ShowMessage(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
    std::optional<std::string> ChooseCabinet(const std::string& preset) override;
    std::optional<std::string> ChooseRecordFile(const std::string& cabinet) override;
    void RefreshAllViews() override;
    void BringToFront() override;
    void ShowFields() override;

    QWidget* BuildSlots();
    QWidget* BuildPositions();
    QWidget* BuildCabinetAndFile();
    // Everything about the item in use, beside the item list.
    QWidget* BuildEditor();
    QWidget* BuildDecoration();
    // A push button that runs a handler of the model.
    QPushButton* Button(const QString& caption, const char* name, std::function<void()> handler);
    // Moves the controls' values into the model, runs the handler and shows the result. Text
    // that cannot be stored is refused and the fields show their stored values again.
    void Run(const std::function<void()>& handler);
    bool Take();
    void Ok();

    EditSession& view_;
    std::function<void()> refreshAllViews_, closed_;
    EnterDialogModel model_;
    std::array<QCheckBox*, kLabelSlotCount> slots_{};
    QListWidget* items_ = nullptr;
    QLineEdit* itemName_ = nullptr;
    QComboBox* content_ = nullptr;
    std::array<QLineEdit*, 2> position_{};
    std::array<QToolButton*, 2> stepUp_{};
    QCheckBox* print_ = nullptr;
    QCheckBox* hideImage_ = nullptr;
    QLabel* cabinet_ = nullptr;
    QLabel* recordTitle_ = nullptr;
    QLabel* cardSection_ = nullptr;
    QPushButton* previous_ = nullptr;
    bool placed_ = false;
};
