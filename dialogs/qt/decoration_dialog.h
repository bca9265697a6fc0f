#pragma once

#include <QDialog>
#include <functional>
#include <string_view>

#include "dialogs/decoration_platform.h"

class QLineEdit;
class QPushButton;

// The frame of the modal decoration dialogs that the input dialog opens: controls bound to a
// model, the platform's colour chooser, a redraw of all views, and a place at the top right of
// the screen so that the tag stays in sight. Every event moves the controls' values into the
// model's fields, runs the model's handler and shows the fields again.
class DecorationDialog : public QDialog, protected DecorationPlatform {
    Q_OBJECT

public:
    DecorationDialog(std::function<void()> refreshAllViews, QWidget* parent);

    // "OK": stores what the fields show, then closes; a text that cannot be stored keeps it open.
    void accept() override;

protected:
    // Moves the controls' values into the model; false when a text cannot be stored (the user
    // has been told and no handler must run).
    virtual bool TakeFields() = 0;
    virtual void ShowFields() = 0;
    // The model's handler of "OK".
    virtual void Ok() = 0;

    void Run(const std::function<void()>& handler);
    // A push button that runs a handler of the model. Enter in a field presses OK, not this.
    QPushButton* Button(const QString& caption, const char* name, std::function<void()> handler);
    // A text field that goes back into the model at every change, so that a character that
    // cannot be stored is refused as soon as it is typed.
    QLineEdit* Field(const char* name, std::function<void()> onEdited = {});
    // "OK" (the default button), "ｷｬﾝｾﾙ" and "ﾋﾞｭｰ更新" in a row.
    QWidget* OkCancelUpdate(std::function<void()> onUpdate);
    // Shows stored text in a field; an unchanged text is left alone, so the cursor stays put.

    void showEvent(QShowEvent* event) override;
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    void RefreshAllViews() override;

private:
    std::function<void()> refreshAllViews_;
};
