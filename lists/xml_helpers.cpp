#include "lists/xml_helpers.h"

#include <algorithm>

namespace xml {

std::string Attribute(const QXmlStreamReader& reader, QStringView localName) {
    for (const QXmlStreamAttribute& attribute : reader.attributes())
        if (attribute.name() == localName) return attribute.value().toString().toStdString();
    return {};
}

bool AppendText(QStringView text, std::string& out, std::size_t limit) {
    const std::size_t room = limit - std::min(limit, out.size());
    // Every UTF-16 unit is at least one byte of UTF-8.
    if (static_cast<std::size_t>(text.size()) > room) return false;
    // Converted in slices: Qt sizes its result for three bytes a character.
    constexpr qsizetype kSlice = 65536;
    const std::size_t before = out.size();
    out.reserve(before + static_cast<std::size_t>(text.size()));
    while (!text.isEmpty()) {
        qsizetype length = std::min(kSlice, text.size());
        if (length < text.size() && text[length - 1].isHighSurrogate()) --length;
        const QByteArray utf8 = text.first(length).toUtf8();
        if (out.size() - before + static_cast<std::size_t>(utf8.size()) > room) {
            out.resize(before);
            return false;
        }
        out.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        text = text.sliced(length);
    }
    return true;
}

std::optional<std::string> ElementText(QXmlStreamReader& reader, std::size_t limit) {
    std::string text;
    for (int depth = 1; depth > 0 && !reader.atEnd();) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) ++depth;
        else if (token == QXmlStreamReader::EndElement) --depth;
        else if (token == QXmlStreamReader::Characters && !AppendText(reader.text(), text, limit)) return std::nullopt;
    }
    return text;
}

std::string Problem(const QXmlStreamReader& reader, const std::string& entry) {
    return "壊れたブックです (" + entry + " " + std::to_string(reader.lineNumber()) + " 行: " +
           reader.errorString().toStdString() + ")";
}

}  // namespace xml
