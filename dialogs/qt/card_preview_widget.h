#pragma once

#include <QWidget>
#include <string>

#include "render/card_image.h"

// A picture of card 0000 of a record file, scaled to fit, drawn as the printer draws it: the
// import dialog shows the first person of a list with the chosen design this way.
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
