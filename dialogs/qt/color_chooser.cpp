#include "dialogs/qt/color_chooser.h"

#include <QColorDialog>

std::optional<ColorRef> RunColorChooser(QWidget* parent, ColorRef initial) {
    const QColor color = QColorDialog::getColor(ToQColor(initial), parent, QStringLiteral("色の設定"));
    if (!color.isValid()) return std::nullopt;
    return FromQColor(color);
}
