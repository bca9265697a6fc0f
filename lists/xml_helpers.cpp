#include "lists/xml_helpers.h"

namespace xml {

std::string Attribute(const QXmlStreamReader& reader, QStringView localName) {
    for (const QXmlStreamAttribute& attribute : reader.attributes())
        if (attribute.name() == localName) return attribute.value().toString().toStdString();
    return {};
}

std::string Problem(const QXmlStreamReader& reader, const std::string& entry) {
    return "壊れたブックです (" + entry + " " + std::to_string(reader.lineNumber()) + " 行: " +
           reader.errorString().toStdString() + ")";
}

}  // namespace xml
