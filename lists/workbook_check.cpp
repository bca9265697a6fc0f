#include "lists/workbook_check.h"

#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

namespace {

bool IsXmlPart(const std::string& name) {
    const auto endsWith = [&](const std::string& suffix) {
        return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    return endsWith(".xml") || endsWith(".rels");
}

// Unpacks the entry to its end, fed to an XML reader when it is XML: whether it is whole.
bool EntryComplete(zip_t* archive, zip_uint64_t index, bool xml) {
    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(archive, index, 0), &zip_fclose);
    if (!file) return false;
    QXmlStreamReader reader;
    int depth = 0;
    bool closed = false;
    char chunk[65536];
    zip_int64_t read = 0;
    while ((read = zip_fread(file.get(), chunk, sizeof chunk)) > 0) {
        if (!xml) continue;
        reader.addData(QByteArray(chunk, static_cast<qsizetype>(read)));
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = reader.readNext();
            if (token == QXmlStreamReader::StartElement) ++depth;
            if (token == QXmlStreamReader::EndElement && --depth == 0) closed = true;
        }
        if (reader.error() != QXmlStreamReader::NoError && reader.error() != QXmlStreamReader::PrematureEndOfDocumentError)
            return false;
    }
    return read == 0 && (!xml || closed);
}

}  // namespace

std::string IncompleteWorkbookPart(const std::string& path) {
    int error = 0;
    const std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error),
                                                                 &zip_discard);
    if (!archive) return "[archive]";
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr) return "[archive]";
        if (!EntryComplete(archive.get(), static_cast<zip_uint64_t>(i), IsXmlPart(name))) return name;
    }
    return entries > 0 ? std::string() : "[archive]";
}
