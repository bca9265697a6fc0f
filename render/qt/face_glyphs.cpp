#include "render/qt/face_glyphs.h"

#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>

#include "render/qt/stored_text.h"

bool FaceHasGlyph(const std::string& storedFace, char32_t code) {
    // Without a GUI application there are no fonts to ask (a trace of a drawing): no face lacks one.
    if (qGuiApp == nullptr) return true;
    static QHash<QString, QRawFont> faces;
    const QString family = StoredToQString(storedFace);
    auto found = faces.find(family);
    if (found == faces.end()) {
        QFont font(family);
        font.setPixelSize(32);
        found = faces.insert(family, QRawFont::fromFont(font));
    }
    return found->isValid() && found->supportsCharacter(code);
}
