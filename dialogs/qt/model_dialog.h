#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

// A modal dialog whose behaviour lives in a model: every event moves the controls' values into
// the model's fields, runs the model's handler and shows the fields again.
class ModelDialog : public QDialog {
    Q_OBJECT

public:
    explicit ModelDialog(QWidget* parent);

    // "OK": runs the model's handler of OK, then closes; a text that cannot be stored keeps the
    // dialog open.
    void accept() override;

    // Runs a handler of the model between taking and showing the fields; parts of the dialog
    // built as widgets of their own run theirs this way too.
    void Run(const std::function<void()>& handler);
    // A text field that goes back into the model at every change, so that a character that
    // cannot be stored is refused as soon as it is typed.
    QLineEdit* Field(const char* name, std::function<void()> onEdited = {});

protected:
    // Moves the controls' values into the model; false when a text cannot be stored (the user
    // has been told and no handler must run).
    virtual bool TakeFields() = 0;
    virtual void ShowFields() = 0;
    virtual void Ok() = 0;

    // A push button that runs a handler of the model. Enter in a field presses OK, not this.
    QPushButton* Button(const QString& caption, const char* name, std::function<void()> handler);
    // "OK" (the default button) and "ｷｬﾝｾﾙ", at the right of a row.
    QWidget* OkCancel();
};
