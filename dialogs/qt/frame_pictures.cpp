#include "dialogs/qt/frame_pictures.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <string>

#include "render/frames.h"
#include "render/qt/qpainter_surface.h"
#include "store/locations.h"

namespace {

constexpr std::int32_t kKindCount = static_cast<std::int32_t>(FrameKind::TriangleBottomRight) + 1;
// A business card at 16 pixels per inch, inset by a pixel so that its edge is not cut.
constexpr LabelExtent kCard{358, 216};
constexpr std::int32_t kKindDpi = 16;
constexpr double kMargin = 1.0;
constexpr int kSwatchWidth = 48, kSwatchHeight = 18;

QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The frame of one kind as the renderer reads it, in a section of its own ("5Frame" for kind
// 5): a light shape with a dark edge, set well in from the grey edge of the card. Without a
// shape the card is left empty.
std::string SampleFrames() {
    const ColorRef fill = Rgb(176, 208, 240), edge = Rgb(32, 64, 128), card = Rgb(128, 128, 128);
    std::string text;
    for (std::int32_t kind = 0; kind < kKindCount; ++kind) {
        const std::string k = "Frame" + std::to_string(kind);
        const bool none = kind == static_cast<std::int32_t>(FrameKind::None);
        text += "[" + std::to_string(kind) + "Frame]\r\nFrame=" + std::to_string(kind) + "\r\n";
        text += k + "Inside=" + std::to_string(fill) + "\r\n";
        text += k + "InsideRatio=" + std::to_string(none ? 4 : 0) + "\r\n";
        text += k + "BorderCol1=" + std::to_string(none ? card : edge) + "\r\n";
        text += k + "BorderWidth1=" + std::string(none ? "7" : "10") + "\r\n";
        text += k + "OutsideRatio=4\r\n" + k + "BorderCol2=" + std::to_string(card) + "\r\n";
        text += k + "BorderWidth2=7\r\n" + k + "GapAll=1\r\n" + k + "Gap=30\r\n";
    }
    return text;
}

std::vector<QImage> DrawFrameKinds() {
    const int width = static_cast<int>(kCard.width * kKindDpi / 100 + 2 * kMargin + 1);
    const int height = static_cast<int>(kCard.height * kKindDpi / 100 + 2 * kMargin + 1);
    std::vector<QImage> pictures(kKindCount, WhiteImage(width, height));

    // The renderer reads frames from a profile file; this one lives only while it is drawn.
    QTemporaryDir folder;
    const QString fsPath = folder.filePath(QStringLiteral("frames.ini"));
    QFile file(fsPath);
    const std::string content = SampleFrames();
    std::string stored;
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(content.data(), static_cast<qint64>(content.size())) != static_cast<qint64>(content.size()) ||
        !locations::FsPathToStored(fsPath.toStdString(), stored))
        return pictures;
    file.close();

    RecordProfile record;
    record.SetPath(stored);
    ViewState view;
    view.record = &record;
    view.label = kCard;
    for (std::int32_t kind = 0; kind < kKindCount; ++kind) {
        QImage image = WhiteImage(width, height);
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, kKindDpi, kKindDpi, QPointF(kMargin, kMargin), false);
            view.slotPrefix = std::to_string(kind);
            DrawFrames(view, surface, 0, 0);
        }
        pictures[static_cast<std::size_t>(kind)] = image;
    }
    return pictures;
}

}  // namespace

const std::vector<QImage>& FrameKindPictures() {
    static const std::vector<QImage> pictures = DrawFrameKinds();
    return pictures;
}

QImage FillPatternPicture(std::int32_t pattern) {
    // At 96 dpi one pattern pixel is one pixel of the swatch, as on the screen.
    constexpr std::int32_t dpi = 96;
    QImage image = WhiteImage(kSwatchWidth, kSwatchHeight);
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, dpi, dpi, QPointF(0.5, 0.5), false);
        surface.SetPen({PenStyle::Solid, 1, Rgb(128, 128, 128)});
        surface.SetBrush(MakeFillBrush(pattern, Rgb(0, 0, 0)));
        surface.DrawRectangle(0, 0, (kSwatchWidth - 1) * 100 / dpi, -(kSwatchHeight - 1) * 100 / dpi);
    }
    return image;
}

const std::vector<QString>& FrameKindCaptions() {
    static const std::vector<QString> captions = [] {
        std::vector<QString> all;
        for (const char* caption :
             {"なし", "長方形", "長方形(角の丸いやつ)", "楕円", "真円", "菱形", "平行四辺形(右傾き)", "平行四辺形(左傾き)",
              "平行四辺形(右上がり)", "平行四辺形(左上がり)", "三角形(上向き)", "三角形(下向き)", "三角形(右向き)",
              "三角形(左向き)", "三角形(左上)", "三角形(左下)", "三角形(右上)", "三角形(右下)"})
            all.push_back(QString::fromUtf8(caption));
        return all;
    }();
    return captions;
}
