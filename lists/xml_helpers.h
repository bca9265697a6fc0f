#pragma once

#include <QXmlStreamReader>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Small helpers for reading workbook XML with QXmlStreamReader. Elements and attributes are
// matched by local name: the prefixes workbooks use vary between programs.
namespace xml {

// A reader over bytes that must outlive it.
inline QByteArray Raw(std::string_view bytes) {
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline bool Is(const QXmlStreamReader& reader, QStringView localName) { return reader.name() == localName; }

// The attribute with that local name, in any namespace, as UTF-8; empty when missing.
std::string Attribute(const QXmlStreamReader& reader, QStringView localName);

// Appends text to out as UTF-8. False, leaving out as it was, when out would pass limit bytes;
// that is known before the text is converted, so that a huge text is never copied.
bool AppendText(QStringView text, std::string& out, std::size_t limit);

// The text of the element the reader stands on, as UTF-8, the reader left on its end. Nothing
// when it would pass limit bytes.
std::optional<std::string> ElementText(QXmlStreamReader& reader, std::size_t limit);

// "ENTRY: message (line N)" when the reader stopped on bad XML.
std::string Problem(const QXmlStreamReader& reader, const std::string& entry);

}  // namespace xml
