#include "dialogs/qt/card_preview_widget.h"

#include <QPainter>

#include <algorithm>

#include "render/card.h"
#include "render/qt/qpainter_surface.h"
#include "store/items.h"
#include "store/label_sizes.h"
#include "store/locations.h"
#include "store/profile_service.h"

namespace {

constexpr int kMargin = 6;

}  // namespace

void PaintCardPreview(QPainter& painter, const QRect& area, const std::string& fsPath, CardImageCache& images) {
    std::string stored;
    if (fsPath.empty() || !locations::FsPathToStored(fsPath, stored)) return;
    const profile::ProfileSnapshot snapshot;
    const SettingsProfile settings;
    RecordProfile record;
    record.SetPath(stored);
    UserItemList userItems;
    userItems.ReloadUserItems(settings);
    ViewState view;
    view.settings = &settings;
    view.record = &record;
    view.slot = CurrentSlot(record);
    view.slotPrefix = SlotPrefix(record);
    view.label = LabelSize(settings, view.slot);
    view.userItems = userItems.UserItems();
    view.image = &images;
    view.CurrentSection = "0000";
    if (view.label.width <= 0 || view.label.height <= 0) return;
    // Pixels per inch that fit the tag into the area.
    const int dpi = std::max(1, std::min(area.width() * 100 / view.label.width, area.height() * 100 / view.label.height));
    const QRect tag(area.topLeft(), QSize(view.label.width * dpi / 100, view.label.height * dpi / 100));
    painter.save();
    painter.fillRect(tag, Qt::white);
    painter.setClipRect(tag);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterSurface surface(painter, dpi, dpi, tag.topLeft(), true);
    DrawCard(view, surface, 0, 0);
    painter.restore();
}

QImage CardPreviewImage(const std::string& fsPath, const QSize& size, CardImageCache& images) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintCardPreview(painter, image.rect(), fsPath, images);
    return image;
}

CardPreviewWidget::CardPreviewWidget(QWidget* parent) : QWidget(parent) { setMinimumSize(sizeHint()); }

QSize CardPreviewWidget::sizeHint() const { return {300, 190}; }

void CardPreviewWidget::SetRecord(const std::string& fsPath) {
    fsPath_ = fsPath;
    update();
}

void CardPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().mid());
    PaintCardPreview(painter, rect().adjusted(kMargin, kMargin, -kMargin, -kMargin), fsPath_, images_);
}
