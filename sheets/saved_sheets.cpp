#include "sheets/saved_sheets.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "sheets/template_file.h"
#include "store/atomic_file.h"

namespace sheets {
namespace {

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// Millimetres with up to three decimals and a point whatever the locale: "91mm", "54.864mm".
std::string Mm(double millimetres) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, millimetres, std::chars_format::fixed, 3);
    std::string number(text, error == std::errc() ? end : text);
    while (number.find('.') != std::string::npos && (number.back() == '0' || number.back() == '.')) number.pop_back();
    return number + "mm";
}

std::string Attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, X(name));
    if (value == nullptr) return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

Doc OpenOrCreate(const std::string& path, std::string& problem) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        Doc doc(xmlNewDoc(X("1.0")));
        xmlDocSetRootElement(doc.get(), xmlNewNode(nullptr, X("Glabels-templates")));
        return doc;
    }
    std::string bytes;
    if (!ReadTemplateBytes(path, bytes, problem)) {
        problem = path + ": " + problem + "; it was left unchanged";
        return nullptr;
    }
    KeepXmlMessagesQuiet();
    Doc doc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), path.c_str(), nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOBLANKS));
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (root == nullptr || std::strcmp(reinterpret_cast<const char*>(root->name), "Glabels-templates") != 0) {
        problem = path + " is not a label template file; it was left unchanged";
        return nullptr;
    }
    return doc;
}

}  // namespace

bool SaveSheet(const std::string& path, const SheetProduct& product, std::string& problem) {
    const Doc doc = OpenOrCreate(path, problem);
    if (!doc) return false;
    xmlNode* root = xmlDocGetRootElement(doc.get());
    for (xmlNode* node = root->children; node != nullptr;) {
        xmlNode* next = node->next;
        if (node->type == XML_ELEMENT_NODE && Attribute(node, "brand") == product.maker && Attribute(node, "part") == product.part) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
    xmlNode* item = xmlNewChild(root, nullptr, X("Template"), nullptr);
    xmlNewProp(item, X("brand"), X(product.maker.c_str()));
    xmlNewProp(item, X("part"), X(product.part.c_str()));
    xmlNewProp(item, X("size"), X("Other"));
    xmlNewProp(item, X("width"), X(Mm(product.paperWidth).c_str()));
    xmlNewProp(item, X("height"), X(Mm(product.paperHeight).c_str()));
    if (!product.description.empty()) xmlNewProp(item, X("description"), X(product.description.c_str()));
    if (product.fold != Fold::None) xmlNewProp(item, X("fold"), X(FoldAttribute(product.fold)));
    xmlNode* label = xmlNewChild(item, nullptr, X("Label-rectangle"), nullptr);
    xmlNewProp(label, X("id"), X("0"));
    xmlNewProp(label, X("width"), X(Mm(product.width).c_str()));
    xmlNewProp(label, X("height"), X(Mm(product.height).c_str()));
    xmlNewProp(label, X("round"), X(Mm(product.round).c_str()));
    xmlNode* layout = xmlNewChild(label, nullptr, X("Layout"), nullptr);
    xmlNewProp(layout, X("nx"), X(std::to_string(product.columns).c_str()));
    xmlNewProp(layout, X("ny"), X(std::to_string(product.rows).c_str()));
    xmlNewProp(layout, X("x0"), X(Mm(product.left).c_str()));
    xmlNewProp(layout, X("y0"), X(Mm(product.top).c_str()));
    xmlNewProp(layout, X("dx"), X(Mm(product.pitchX).c_str()));
    xmlNewProp(layout, X("dy"), X(Mm(product.pitchY).c_str()));

    xmlChar* bytes = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc.get(), &bytes, &size, "UTF-8", 1);
    const std::string content = bytes != nullptr ? std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size)) : std::string();
    xmlFree(bytes);
    if (content.empty() || !ReplaceFileAtomically(path, content)) {
        problem = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace sheets
