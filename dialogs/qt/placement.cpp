#include "dialogs/qt/placement.h"

#include <QScreen>
#include <QWidget>

void MoveToScreenTopRight(QWidget* window) {
    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.x() + screen.width() - window->frameGeometry().width(), screen.y());
}
