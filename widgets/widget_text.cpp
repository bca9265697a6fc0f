#include "widgets/widget_text.h"

#include <QLineEdit>

#include "store/codec.h"
#include "store/exact_text.h"

QString ToWidgetText(std::string_view stored) {
    const std::u16string utf16 = exact_text::ToUtf16(stored);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}

bool FromWidgetText(const QString& text, std::string& stored) {
    const QByteArray utf8 = text.toUtf8();
    return codec::Utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), stored);
}

bool FromWidgetExactText(const QString& text, std::string& exact) {
    const QByteArray utf8 = text.toUtf8();
    return exact_text::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), exact);
}

void ShowStoredText(QLineEdit* edit, std::string_view stored) {
    const QString text = ToWidgetText(stored);
    if (edit->text() != text) edit->setText(text);
}
