#pragma once

#include <QString>
#include <string>

class QWidget;

// Text typed into a widget, as stored text (code page 932). Text that code page 932 cannot hold
// is never stored in part or with "?": the user is told which character it is, stored keeps
// its value and the result is false, so that the caller can show the field's stored text again.
bool TakeStoredText(QWidget* parent, const QString& typed, std::string& stored);
