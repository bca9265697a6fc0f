#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "render/card_image.h"

class QPainter;

// Card 0000 of a record file (file-system path) drawn as the printer draws it, as large as fits
// into area, at its top left; nothing for an empty path or a record without a usable label size.
void PaintCardPreview(QPainter& painter, const QRect& area, const std::string& fsPath, CardImageCache& images);
// The same as a picture of size, around a transparent background.
QImage CardPreviewImage(const std::string& fsPath, const QSize& size, CardImageCache& images);

// A picture of card 0000 of a record file, scaled to fit: the import dialog shows the first
// person of a list with the chosen design this way.
class CardPreviewWidget : public QWidget {
public:
    explicit CardPreviewWidget(QWidget* parent);

    // The record file (file-system path) to draw from; empty draws no tag.
    void SetRecord(const std::string& fsPath);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string fsPath_;
    CardImageCache images_;
};
