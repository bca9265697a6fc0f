#include "app/qt/file_failure_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/qt/qt_text.h"

FileFailureMessages::FileFailureMessages(QObject* parent) : QObject(parent) {
    profile::ProfileService::Instance().SetFailureListener([this](const profile::FileFailure& event) {
        if (report_.Note(event)) QTimer::singleShot(0, this, [this] { ShowDue(); });
    });
}

FileFailureMessages::~FileFailureMessages() { profile::ProfileService::Instance().SetFailureListener(nullptr); }

void FileFailureMessages::ShowDue() {
    for (const std::string& text : report_.TakeMessages()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("ZUL Name Card"), ToQt(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }
}
