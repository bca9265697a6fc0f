#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>

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
