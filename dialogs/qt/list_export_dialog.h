#pragma once

#include "store/profiles.h"

class QWidget;

// "名簿を書き出し": asks where and in which format (CSV UTF-8, CSV Shift_JIS, TSV, Excel), writes
// the cards of the record file there and says how it went.
void RunListExportDialog(QWidget* parent, const SettingsProfile& settings, const RecordProfile& record);
