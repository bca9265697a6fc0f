#include "render/qt/offscreen.h"

#include <QByteArray>
#include <QtGlobal>

void PreferOffscreenPlatform() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}
