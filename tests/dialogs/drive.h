#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/dialogs/typing.h"

// Drives the next modal dialog once its loop runs, so that a Run… function can be tested as
// the program calls it.
template <typename Dialog>
void WhenModalOpens(std::function<void(Dialog&)> drive) {
    QTimer::singleShot(0, [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            drive(*dialog);
        } else {
            ADD_FAILURE() << "the expected dialog is not open";
            if (modal != nullptr) modal->close();  // don't leave the test waiting
        }
    });
}

// A double-click as the mouse makes it: a click, then the second press that a list takes as a
// double-click on the entry it pressed first.
inline void DoubleClickRow(QListWidget* list, int row) {
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

// A control of a dialog by its object name.
template <typename Widget>
Widget* FindChild(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// A click near the left edge of a button, where a check box has its box.
inline void ClickButton(QWidget& dialog, const char* name) {
    QAbstractButton* button = FindChild<QAbstractButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Replaces the text of a dialog's field as typing does.
inline void Retype(QWidget& dialog, const char* field, const QString& text) {
    Retype(FindChild<QLineEdit>(dialog, field), text);
}

