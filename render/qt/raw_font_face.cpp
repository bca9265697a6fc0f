#include "render/qt/raw_font_face.h"

#include <hb.h>

#include <QByteArray>
#include <QRawFont>

#include <array>

namespace {

hb_blob_t* ReferenceTable(hb_face_t* /*face*/, hb_tag_t tag, void* user) {
    const auto* raw = static_cast<const QRawFont*>(user);
    const std::array<char, 5> name = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16),
                                      static_cast<char>(tag >> 8), static_cast<char>(tag), '\0'};
    auto* table = new QByteArray(raw->fontTable(name.data()));
    if (table->isEmpty()) {
        delete table;
        return nullptr;
    }
    return hb_blob_create(table->constData(), static_cast<unsigned int>(table->size()), HB_MEMORY_MODE_READONLY, table,
                          [](void* data) { delete static_cast<QByteArray*>(data); });
}

}  // namespace

hb_face_t* FaceOfRawFont(const QRawFont& raw) {
    return hb_face_create_for_tables(ReferenceTable, const_cast<QRawFont*>(&raw), nullptr);
}
