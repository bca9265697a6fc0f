#pragma once

#include <QButtonGroup>
#include <QDockWidget>

#include <array>
#include <functional>

#include "dialogs/property_panel_model.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "プロパティ": a dock beside the roster showing the selected item and the tag. Every control
// changes the tag at once; the panel shows what is stored after each change wherever it was made.
class CPropertyPanel : public QDockWidget, private DecorationPlatform {
    Q_OBJECT

public:
    // refreshAllViews redraws the views after a change made here.
    CPropertyPanel(EditSession& session, std::function<void()> refreshAllViews, QWidget* parent = nullptr);

    // Reads what is stored again and shows it (a view turned to another card or file).
    void Reload();
    PropertyPanelModel& Model() { return model_; }

protected:
    // Ctrl+Z and Ctrl+Y in a field whose value is applied are the program's undo and redo.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    void RefreshAllViews() override;

    QWidget* BuildItem();
    QWidget* BuildTag();
    QWidget* BuildScope();
    // A list of named colours and "その他の色..." (the colour chooser); picked gives the colour.
    QComboBox* ColorList(const std::vector<NamedColor>& colors, const QString& name, std::function<void(ColorRef)> picked);
    QCheckBox* CheckBox(const QString& caption, const QString& name, bool PropertyPanelModel::*field,
                        void (PropertyPanelModel::*handler)());
    // A field's own undo is for what is typed and not yet applied: once its value is applied the
    // field hands Ctrl+Z and Ctrl+Y on to the window.
    void KeepOwnUndoWhileTyping(QLineEdit* field);
    // Runs a handler of the model with the controls' values taken, then shows the fields.
    void Run(const std::function<void()>& handler);
    void ShowFields();
    static void ShowColor(QComboBox* list, const std::vector<NamedColor>& colors, ColorRef color);

    std::function<void()> refreshAllViews_;
    PropertyPanelModel model_;
    bool showing_ = false;
    QLabel* item_ = nullptr;
    QLineEdit* text_ = nullptr;
    QComboBox* face_ = nullptr;
    QComboBox* points_ = nullptr;
    QComboBox* color_ = nullptr;
    QButtonGroup* alignment_ = nullptr;
    std::array<QLineEdit*, 2> position_{};
    std::vector<std::pair<QCheckBox*, bool PropertyPanelModel::*>> checks_;
    QComboBox* frameKind_ = nullptr;
    QComboBox* frameColor_ = nullptr;
    QComboBox* fillColor_ = nullptr;
    QComboBox* band_ = nullptr;
    QRadioButton* sameDesign_ = nullptr;
    QRadioButton* everyone_ = nullptr;
    QButtonGroup* scope_ = nullptr;
    QLabel* scopeNote_ = nullptr;
};
