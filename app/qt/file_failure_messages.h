#pragma once

#include <QObject>

#include "app/file_failure_report.h"

// Shows the profile service's failures in message boxes over the active window. A message waits
// until the user's current action has finished (the event loop is back), so that a save is never
// interrupted half-way and one action's failures are gathered first. Listens while it lives.
class FileFailureMessages : public QObject {
public:
    explicit FileFailureMessages(QObject* parent = nullptr);
    ~FileFailureMessages() override;

private:
    void ShowDue();

    FileFailureReport report_;
};
