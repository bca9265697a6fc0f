#pragma once

#include <QXmlStreamReader>

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

// "ENTRY: message (line N)" when the reader stopped on bad XML.
std::string Problem(const QXmlStreamReader& reader, const std::string& entry);

}  // namespace xml
