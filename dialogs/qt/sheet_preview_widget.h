#pragma once

#include <QWidget>
#include <functional>

#include "render/surface.h"

// A small picture of one sheet of paper, A4 upright, with what draw puts on it in logical units
// from the paper's top-left corner. It draws again whenever it is updated.
class SheetPreviewWidget : public QWidget {
public:
    SheetPreviewWidget(std::function<void(Surface&)> draw, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(Surface&)> draw_;
};
