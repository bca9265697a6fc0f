// Writes the launcher's icon files into a hicolor theme folder: the program's own icon drawing
// as PNG images of every usual size and as a scalable SVG.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>

#include <iostream>

#include "app/qt/toolbar_icons.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kGrid = 16;

bool WritePng(const QString& theme, int size) {
    const QString folder = theme + QStringLiteral("/%1x%1/apps").arg(size);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(size) / kGrid, qreal(size) / kGrid);
        DrawProgramIcon(painter);
    }
    return QDir().mkpath(folder) && image.save(folder + QStringLiteral("/zulname.png"));
}

bool WriteSvg(const QString& theme) {
    const QString folder = theme + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(folder)) return false;
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/zulname.svg"));
    svg.setSize(QSize(kGrid, kGrid));
    svg.setViewBox(QRect(0, 0, kGrid, kGrid));
    svg.setTitle(QStringLiteral("ZUL Name Card"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    DrawProgramIcon(painter);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zulname-icon-files HICOLOR-FOLDER\n";
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    for (const int size : kSizes)
        if (!WritePng(theme, size)) {
            std::cerr << "zulname-icon-files: cannot write the " << size << " pixel icon\n";
            return 1;
        }
    if (!WriteSvg(theme)) {
        std::cerr << "zulname-icon-files: cannot write the scalable icon\n";
        return 1;
    }
    return 0;
}
