#pragma once

#include <functional>
#include <string_view>

#include "lists/list_error.h"
#include "lists/list_table.h"

// Comma-, tab- or semicolon-separated text (RFC 4180): fields in double quotes may hold
// separators, line breaks and doubled quotes. Rows may be ragged; blank rows are skipped.

// The separator that splits the first rows of text most consistently into more than one field;
// a comma when none does.
char DetectSeparator(std::string_view text);

// Reads UTF-8 text into table. progress is called now and then with the share read so far
// (0..1) and may return false to stop. False, with the line and column, on a quote that is
// never closed, past the last column or the budget of a list (TableBudget), or when stopped.
bool ParseDelimited(std::string_view text, char separator, ListTable& table, ListError& error,
                    const std::function<bool(double)>& progress = {});
