#include "dialogs/qt/sheet_preview_widget.h"

#include <QPainter>

#include <algorithm>

#include "render/qt/qpainter_surface.h"

namespace {

// A4 upright in hundredths of an inch, the sheet most tag labels come on.
constexpr int kPaperWidth = 827;
constexpr int kPaperHeight = 1169;
// Pixels per inch of the picture: about a quarter of the screen's, so a page fits beside the fields.
constexpr int kDpi = 24;
constexpr int kMargin = 4;

int DevicePixels(int logical) { return logical * kDpi / 100; }

// Pixels per inch that fit a paper into the picture of an A4 sheet.
int FittingDpi(int width, int height) {
    if (width <= 0 || height <= 0) return kDpi;
    return std::max(1, std::min(kDpi * kPaperWidth / width, kDpi * kPaperHeight / height));
}

}  // namespace

SheetPreviewWidget::SheetPreviewWidget(std::function<void(Surface&)> draw, QWidget* parent)
    : QWidget(parent), draw_(std::move(draw)), paperWidth_(kPaperWidth), paperHeight_(kPaperHeight) {
    setFixedSize(sizeHint());
}

QSize SheetPreviewWidget::sizeHint() const {
    return {DevicePixels(kPaperWidth) + 2 * kMargin, DevicePixels(kPaperHeight) + 2 * kMargin};
}

void SheetPreviewWidget::SetPaper(int width, int height) {
    paperWidth_ = width;
    paperHeight_ = height;
    update();
}

void SheetPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().mid());
    const int dpi = FittingDpi(paperWidth_, paperHeight_);
    const QRect paper(kMargin, kMargin, paperWidth_ * dpi / 100, paperHeight_ * dpi / 100);
    painter.fillRect(paper, Qt::white);
    painter.setClipRect(paper);
    painter.setRenderHint(QPainter::Antialiasing);
    {
        // Drawn as the printer draws it: images and text sizes follow the paper, not the screen.
        QPainterSurface surface(painter, dpi, dpi, paper.topLeft(), true);
        draw_(surface);
    }
}
