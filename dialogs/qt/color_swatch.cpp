#include "dialogs/qt/color_swatch.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "render/qt/qt_colors.h"

void ShowColorSwatch(QPushButton* button, ColorRef color) {
    QPixmap swatch(24, 12);
    swatch.fill(ToQColor(color));
    QPainter(&swatch).drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}
