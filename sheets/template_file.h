#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheets/paper_sizes.h"
#include "sheets/sheet_product.h"

// Reading one file of the label template format: a "Glabels-templates" document of "Template"
// elements, or a "Glabels-paper-sizes" document.
namespace sheets {

// A template as written, before its references and its geometry are checked.
struct TemplateEntry {
    SheetProduct product;
    std::string equiv;       // the part number of the same maker whose labels this one shares
    std::string shape;       // the label element: "Label-rectangle", "Label-round", …; empty if none
    int layouts = 0;         // Layout elements of the label
    bool badLength = false;  // a length with an unknown unit or no number
};

struct TemplateFile {
    std::vector<TemplateEntry> templates;
    std::vector<PaperSize> paperSizes;
};

// The label database's largest file is under 100 KB; larger files are refused unread, so that
// libxml2's tree of a huge file never fills memory.
inline constexpr std::size_t kMaxTemplateFileBytes = 16u << 20;

// The bytes of a template file: false, with the problem, for a file that is missing, not a
// regular file (a FIFO is never waited on) or over kMaxTemplateFileBytes.
bool ReadTemplateBytes(const std::string& path, std::string& bytes, std::string& problem);

// Keeps libxml2's own messages (also "out of memory") off the terminal for this thread: a
// problem with a file is reported once, by the caller.
void KeepXmlMessagesQuiet();

// Adds what the file holds to `into`. False, with the problem in one line, for a file that is
// not well-formed XML or holds neither templates nor paper sizes (the vendor and category lists
// that sit beside the templates are read as empty).
bool ReadTemplateFile(const std::string& path, SheetSource source, TemplateFile& into, std::string& problem);
// The same for XML held in memory; name stands for the file in products and messages.
bool ReadTemplateText(std::string_view xml, const std::string& name, SheetSource source, TemplateFile& into,
                      std::string& problem);

}  // namespace sheets
