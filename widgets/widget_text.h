#pragma once

#include <QString>
#include <string>
#include <string_view>

class QLineEdit;

// Stored text (code page 932) in and out of widgets.

// A character that does not decode is shown as U+FFFD, so damaged text still shows the rest;
// characters kept beyond code page 932 (store/exact_text.h) are shown as themselves.
QString ToWidgetText(std::string_view stored);
// False when code page 932 cannot hold the widget's text.
bool FromWidgetText(const QString& text, std::string& stored);
// An item's text in exact form (store/exact_text.h): any character is kept.
bool FromWidgetExactText(const QString& text, std::string& exact);

// Shows stored text in a field. Setting a field's text moves its cursor, so an unchanged text is
// left alone: showing the fields after each keystroke must not disturb the typing.
void ShowStoredText(QLineEdit* edit, std::string_view stored);
