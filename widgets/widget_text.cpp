#include "widgets/widget_text.h"

#include <QLineEdit>

#include "store/codec.h"
#include "store/cp932.h"

namespace {

QString FromUtf8(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

QString ToWidgetText(std::string_view stored) {
    std::string utf8;
    if (codec::Cp932ToUtf8(stored, utf8)) return FromUtf8(utf8);
    QString text;
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t length = cp932::CharLength(stored, pos);
        text += codec::Cp932ToUtf8(stored.substr(pos, length), utf8) ? FromUtf8(utf8) : QString(QChar::ReplacementCharacter);
        pos += length;
    }
    return text;
}

bool FromWidgetText(const QString& text, std::string& stored) {
    const QByteArray utf8 = text.toUtf8();
    return codec::Utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), stored);
}

void ShowStoredText(QLineEdit* edit, std::string_view stored) {
    const QString text = ToWidgetText(stored);
    if (edit->text() != text) edit->setText(text);
}
