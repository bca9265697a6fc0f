#include "dialogs/qt/stored_input.h"

#include <QMessageBox>

#include "widgets/widget_text.h"

namespace {

// The first character of text that code page 932 cannot hold, or an empty string.
QString FirstUnstorableCharacter(const QString& text) {
    std::string ignored;
    for (qsizetype pos = 0; pos < text.size();) {
        const qsizetype length = text.at(pos).isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(pos, length);
        if (!FromWidgetText(character, ignored)) return character;
        pos += length;
    }
    return {};
}

}  // namespace

bool TakeStoredText(QWidget* parent, const QString& typed, std::string& stored) {
    std::string converted;
    if (FromWidgetText(typed, converted)) {
        stored = std::move(converted);
        return true;
    }
    QMessageBox::warning(parent, QStringLiteral("ZUL Name Card"),
                         QStringLiteral("「%1」は保存できない文字です。別の文字で入力して下さい。")
                             .arg(FirstUnstorableCharacter(typed)));
    return false;
}
