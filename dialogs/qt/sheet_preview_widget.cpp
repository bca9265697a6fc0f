#include "dialogs/qt/sheet_preview_widget.h"

#include <QPainter>

#include "render/qt/qpainter_surface.h"

namespace {

// A4 upright in hundredths of an inch, the sheet most tag labels come on.
constexpr int kPaperWidth = 827;
constexpr int kPaperHeight = 1169;
// Pixels per inch of the picture: about a quarter of the screen's, so a page fits beside the fields.
constexpr int kDpi = 24;
constexpr int kMargin = 4;

int DevicePixels(int logical) { return logical * kDpi / 100; }

}  // namespace

SheetPreviewWidget::SheetPreviewWidget(std::function<void(Surface&)> draw, QWidget* parent)
    : QWidget(parent), draw_(std::move(draw)) {
    setFixedSize(sizeHint());
}

QSize SheetPreviewWidget::sizeHint() const {
    return {DevicePixels(kPaperWidth) + 2 * kMargin, DevicePixels(kPaperHeight) + 2 * kMargin};
}

void SheetPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().mid());
    const QRect paper(kMargin, kMargin, DevicePixels(kPaperWidth), DevicePixels(kPaperHeight));
    painter.fillRect(paper, Qt::white);
    painter.setClipRect(paper);
    painter.setRenderHint(QPainter::Antialiasing);
    {
        // Drawn as the printer draws it: images and text sizes follow the paper, not the screen.
        QPainterSurface surface(painter, kDpi, kDpi, paper.topLeft(), true);
        draw_(surface);
    }
}
