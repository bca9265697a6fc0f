#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QWidget>

// Types text as an input method commits it, one character at a time, so that any script can be
// typed (key clicks only know Latin-1).
inline void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype pos = 0; pos < text.size();) {
        const qsizetype length = text.at(pos).isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
        QInputMethodEvent event;
        event.setCommitString(text.mid(pos, length));
        QApplication::sendEvent(widget, &event);
        pos += length;
    }
}

// Replaces the text of a field as typing does.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    TypeText(edit, text);
}
