#include "sheets/template_file.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "sheets/length.h"
#include "store/regular_file.h"

namespace sheets {
namespace {

// No network, no entity expansion, and libxml2's own messages kept off the terminal: a damaged
// file is reported once, by the caller.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

bool Is(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string Attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr) return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

bool HasAttribute(const xmlNode* node, const char* name) {
    return xmlHasProp(node, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

// Reads a length attribute into `millimetres`; a missing attribute leaves it unchanged.
void Length(const xmlNode* node, const char* name, double& millimetres, bool& bad) {
    if (!HasAttribute(node, name)) return;
    if (!ParseLength(Attribute(node, name), millimetres)) bad = true;
}

// A count: plain decimal digits; anything else is 0, which makes the product unusable.
std::int32_t Count(const xmlNode* node, const char* name) {
    const std::string text = Attribute(node, name);
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
    return static_cast<std::int32_t>(std::stol(text));
}

void ReadLabel(const xmlNode* label, TemplateEntry& entry) {
    SheetProduct& product = entry.product;
    entry.shape = reinterpret_cast<const char*>(label->name);
    Length(label, "width", product.width, entry.badLength);
    Length(label, "height", product.height, entry.badLength);
    Length(label, "round", product.round, entry.badLength);
    for (const xmlNode* child = label->children; child != nullptr; child = child->next) {
        if (!Is(child, "Layout")) continue;
        if (++entry.layouts > 1) continue;
        product.columns = Count(child, "nx");
        product.rows = Count(child, "ny");
        Length(child, "x0", product.left, entry.badLength);
        Length(child, "y0", product.top, entry.badLength);
        Length(child, "dx", product.pitchX, entry.badLength);
        Length(child, "dy", product.pitchY, entry.badLength);
    }
}

TemplateEntry ReadTemplate(const xmlNode* node, const std::string& name, SheetSource source) {
    TemplateEntry entry;
    SheetProduct& product = entry.product;
    product.source = source;
    product.file = name;
    product.maker = Attribute(node, "brand");
    product.part = Attribute(node, "part");
    product.description = HasAttribute(node, "_description") ? Attribute(node, "_description") : Attribute(node, "description");
    product.paperId = Attribute(node, "size");
    Length(node, "width", product.paperWidth, entry.badLength);
    Length(node, "height", product.paperHeight, entry.badLength);
    entry.equiv = Attribute(node, "equiv");
    product.fold = FoldNamed(Attribute(node, "fold"));
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || std::strncmp(reinterpret_cast<const char*>(child->name), "Label-", 6) != 0)
            continue;
        if (!entry.shape.empty()) {
            ++entry.layouts;  // a second label kind counts as a second layout: not one grid
            continue;
        }
        ReadLabel(child, entry);
    }
    return entry;
}

bool ReadDocument(xmlDoc* doc, const std::string& name, SheetSource source, TemplateFile& into, std::string& problem) {
    if (doc == nullptr) {
        const xmlError* error = xmlGetLastError();
        problem = "not well-formed XML";
        if (error != nullptr && error->message != nullptr) {
            std::string message = error->message;
            while (!message.empty() && message.back() == '\n') message.pop_back();
            problem += " (line " + std::to_string(error->line) + ": " + message + ")";
        }
        return false;
    }
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (root == nullptr) {
        problem = "an empty document";
        return false;
    }
    if (Is(root, "Glabels-templates")) {
        for (const xmlNode* node = root->children; node != nullptr; node = node->next)
            if (Is(node, "Template")) into.templates.push_back(ReadTemplate(node, name, source));
        return true;
    }
    if (Is(root, "Glabels-paper-sizes")) {
        for (const xmlNode* node = root->children; node != nullptr; node = node->next) {
            if (!Is(node, "Paper-size")) continue;
            PaperSize size{Attribute(node, "id")};
            bool bad = false;
            Length(node, "width", size.width, bad);
            Length(node, "height", size.height, bad);
            if (!bad && !size.id.empty()) into.paperSizes.push_back(std::move(size));
        }
        return true;
    }
    if (Is(root, "Glabels-vendors") || Is(root, "Glabels-categories")) return true;
    problem = "not a label template file (its root element is <" + std::string(reinterpret_cast<const char*>(root->name)) + ">)";
    return false;
}

void IgnoreXmlMessage(void*, const char*, ...) {}
void IgnoreXmlError(void*, xmlErrorPtr) {}

}  // namespace

bool ReadTemplateBytes(const std::string& path, std::string& bytes, std::string& problem) {
    switch (ReadRegularFile(path, kMaxTemplateFileBytes, bytes)) {
        case 0: return true;
        case EFBIG: problem = "larger than " + std::to_string(kMaxTemplateFileBytes >> 20) + " MB"; return false;
        case EISDIR:
        case EINVAL: problem = "not a regular file"; return false;
        default: problem = "cannot be read"; return false;
    }
}

void KeepXmlMessagesQuiet() {
    xmlSetGenericErrorFunc(nullptr, IgnoreXmlMessage);
    xmlSetStructuredErrorFunc(nullptr, IgnoreXmlError);
}

bool ReadTemplateFile(const std::string& path, SheetSource source, TemplateFile& into, std::string& problem) {
    std::string bytes;
    return ReadTemplateBytes(path, bytes, problem) && ReadTemplateText(bytes, path, source, into, problem);
}

bool ReadTemplateText(std::string_view xml, const std::string& name, SheetSource source, TemplateFile& into,
                      std::string& problem) {
    if (xml.size() > kMaxTemplateFileBytes) {
        problem = "larger than " + std::to_string(kMaxTemplateFileBytes >> 20) + " MB";
        return false;
    }
    KeepXmlMessagesQuiet();
    const Doc doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), name.c_str(), nullptr, kParseOptions));
    return ReadDocument(doc.get(), name, source, into, problem);
}

}  // namespace sheets
