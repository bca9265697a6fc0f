#pragma once

#include <QFont>
#include <QStringList>

// The desktop's default font often has no Japanese (DejaVu Sans). Japanese text then mixes it
// with a fallback font whose brackets are drawn wider than they were measured, and the last
// character of a line is cut off ("…（氏名と所属が同じ" without its "）"). The program's font
// puts a Japanese font first when the desktop's lacks Japanese; installed is the list of font
// families on the machine.
QFont JapaneseUiFont(QFont desktop, const QStringList& installed);

// Makes that the font of every window and control.
void InstallJapaneseUiFont();
