#pragma once

#include <QWidget>
#include <functional>

#include "render/surface.h"

// A small picture of one sheet of paper, A4 upright unless told otherwise, with what draw puts
// on it in logical units from the paper's top-left corner. It draws again whenever it is updated.
class SheetPreviewWidget : public QWidget {
public:
    SheetPreviewWidget(std::function<void(Surface&)> draw, QWidget* parent);

    QSize sizeHint() const override;
    // The paper's width and height in hundredths of an inch; the picture keeps its size.
    void SetPaper(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(Surface&)> draw_;
    int paperWidth_, paperHeight_;
};
