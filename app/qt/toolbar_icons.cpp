#include "app/qt/toolbar_icons.h"

#include <QFont>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <functional>

namespace {

// Every picture is drawn on a 16 × 16 grid; lines sit on half units so that they fill whole
// pixels at one and two device pixels per unit.
constexpr qreal kGrid = 16.0;

const QColor kInk(48, 48, 48);
const QColor kGreyInk(128, 128, 128);
const QColor kPaper(255, 255, 255);
const QColor kBlue(32, 88, 184);
const QColor kRed(204, 40, 40);
const QColor kYellow(240, 200, 80);
const QColor kDarkYellow(196, 150, 40);

using Drawing = std::function<void(QPainter&)>;

void Outlined(QPainter& p, const QColor& fill, const QColor& line = kInk) {
    p.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
}

// A sheet of paper with a folded top-right corner.
void Page(QPainter& p, const QRectF& r) {
    constexpr qreal fold = 3.0;
    Outlined(p, kPaper);
    p.drawPolygon(QPolygonF{{r.left(), r.top()},
                            {r.right() - fold, r.top()},
                            {r.right(), r.top() + fold},
                            {r.right(), r.bottom()},
                            {r.left(), r.bottom()}});
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}});
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count) {
    p.setPen(QPen(kGreyInk, 1.0));
    for (int line = 0; line < count; ++line) p.drawLine(QPointF(left, top + 2 * line), QPointF(right, top + 2 * line));
}

// A name tag: a card with a coloured band and two lines of text.
void Tag(QPainter& p, const QRectF& r) {
    Outlined(p, kPaper);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1.0, 2.0), kRed);
    TextLines(p, r.left() + 2.0, r.right() - 2.0, r.top() + 4.5, 2);
}

// A filled triangle pointing right with its tip at (tipX, 8).
void Arrowhead(QPainter& p, qreal tipX, qreal length, qreal halfWidth) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF{{tipX, 8.0}, {tipX - length, 8.0 - halfWidth}, {tipX - length, 8.0 + halfWidth}});
}

// Turns the painter so that "right" on the grid points the given way.
void Turn(QPainter& p, int quarterTurns) {
    p.translate(kGrid / 2, kGrid / 2);
    p.rotate(90.0 * quarterTurns);
    p.translate(-kGrid / 2, -kGrid / 2);
}

// A step of a tenth of an inch shows two arrowheads, one of a hundredth a single small one.
Drawing Nudge(int quarterTurns, bool large) {
    return [quarterTurns, large](QPainter& p) {
        Turn(p, quarterTurns);
        if (large) {
            Arrowhead(p, 8.5, 6.0, 5.0);
            Arrowhead(p, 14.5, 6.0, 5.0);
        } else {
            Arrowhead(p, 11.0, 5.0, 4.0);
        }
    };
}

// A block on a tag, placed at the start (0), centre (1) or end (2) of the tag across or down,
// with the line it is aligned to in red.
Drawing Align(bool horizontal, int where) {
    return [horizontal, where](QPainter& p) {
        const QRectF tag(1.5, 2.5, 13.0, 11.0);
        Outlined(p, kPaper, kGreyInk);
        p.drawRect(tag);
        const qreal span = horizontal ? tag.width() : tag.height();
        const qreal block = horizontal ? 6.0 : 4.0;
        const qreal offset = where == 0 ? 1.0 : where == 1 ? (span - block) / 2 : span - block - 1.0;
        const qreal guide = where == 0 ? 0.0 : where == 1 ? span / 2 : span;
        if (horizontal) {
            p.fillRect(QRectF(tag.left() + offset, 6.5, block, 3.0), kBlue);
            p.setPen(QPen(kRed, 1.0));
            p.drawLine(QPointF(tag.left() + guide, 1.0), QPointF(tag.left() + guide, 15.0));
        } else {
            p.fillRect(QRectF(4.5, tag.top() + offset, 7.0, block), kBlue);
            p.setPen(QPen(kRed, 1.0));
            p.drawLine(QPointF(0.5, tag.top() + guide), QPointF(15.5, tag.top() + guide));
        }
    };
}

void DrawOpen(QPainter& p) {
    Outlined(p, kDarkYellow);
    p.drawPolygon(QPolygonF{{1.5, 3.5}, {5.5, 3.5}, {6.5, 4.5}, {12.5, 4.5}, {12.5, 13.5}, {1.5, 13.5}});
    Outlined(p, kYellow);
    p.drawPolygon(QPolygonF{{4.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}});
}

void DrawSave(QPainter& p) {
    Outlined(p, kBlue);
    p.drawRect(QRectF(1.5, 1.5, 13.0, 13.0));
    Outlined(p, kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7.0, 5.0));
    Outlined(p, QColor(208, 208, 208));
    p.drawRect(QRectF(4.5, 9.5, 7.0, 5.0));
    p.fillRect(QRectF(8.0, 10.5, 2.0, 3.0), kInk);
}

void DrawCut(QPainter& p) {
    p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 9.5), QPointF(11.0, 1.0));
    p.drawLine(QPointF(10.5, 9.5), QPointF(5.0, 1.0));
    p.setPen(QPen(kRed, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.0), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12.0), 2.3, 2.3);
}

void DrawCopy(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 8.0, 10.0));
    Page(p, QRectF(6.5, 4.5, 8.0, 10.0));
    TextLines(p, 8.5, 12.5, 8.5, 3);
}

void DrawPaste(QPainter& p) {
    Outlined(p, QColor(176, 128, 64));
    p.drawRect(QRectF(1.5, 2.5, 10.0, 12.0));
    Outlined(p, QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 1.5, 4.0, 3.0));
    Page(p, QRectF(7.5, 6.5, 7.0, 8.0));
}

void DrawInput(QPainter& p) {
    Tag(p, QRectF(0.5, 2.5, 12.0, 9.0));
    // A pencil writing on the tag.
    p.translate(11.0, 10.0);
    p.rotate(-45.0);
    Outlined(p, kYellow);
    p.drawRect(QRectF(-2.5, -1.5, 8.0, 3.0));
    Outlined(p, QColor(240, 208, 168));
    p.drawPolygon(QPolygonF{{-2.5, -1.5}, {-2.5, 1.5}, {-5.5, 0.0}});
}

Drawing DrawPageStep(bool forward) {
    return [forward](QPainter& p) {
        Page(p, QRectF(3.5, 1.5, 10.0, 13.0));
        if (!forward) Turn(p, 2);
        Arrowhead(p, 11.0, 5.0, 3.5);
    };
}

void DrawPreview(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 9.0, 12.0));
    TextLines(p, 3.5, 7.5, 5.5, 3);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(200, 224, 255, 200));
    p.drawEllipse(QPointF(10.0, 9.0), 3.5, 3.5);
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.8, 11.8), QPointF(15.0, 14.0));
}

void DrawPrint(QPainter& p) {
    Outlined(p, kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7.0, 6.0));
    Outlined(p, QColor(184, 184, 184));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13.0, 6.0), 1.0, 1.0);
    Outlined(p, kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7.0, 4.0));
    p.fillRect(QRectF(12.0, 8.0, 1.5, 1.5), QColor(32, 176, 64));
}

// A list becoming a tag: a table of rows with a finished tag over its corner.
void DrawMakeFromList(QPainter& p) {
    Outlined(p, kPaper, kGreyInk);
    p.drawRect(QRectF(0.5, 0.5, 9.0, 10.0));
    p.setPen(QPen(kGreyInk, 1.0));
    for (const qreal y : {3.5, 6.0, 8.5}) p.drawLine(QPointF(0.5, y), QPointF(9.5, y));
    p.drawLine(QPointF(4.0, 0.5), QPointF(4.0, 10.5));
    Tag(p, QRectF(5.5, 7.5, 10.0, 8.0));
}

void DrawAbout(QPainter& p) {
    Outlined(p, kBlue);
    p.drawEllipse(QPointF(8.0, 8.0), 6.5, 6.5);
    QFont font;
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRectF(0.0, 0.0, kGrid, kGrid), Qt::AlignCenter, QStringLiteral("?"));
}

Drawing DrawingOf(CommandId id) {
    switch (id) {
        case CommandId::FileNew: return [](QPainter& p) { Page(p, QRectF(3.5, 1.5, 10.0, 13.0)); };
        case CommandId::FileOpen: return DrawOpen;
        case CommandId::FileSave: return DrawSave;
        case CommandId::MakeFromList: return DrawMakeFromList;
        case CommandId::Cut: return DrawCut;
        case CommandId::Copy: return DrawCopy;
        case CommandId::Paste: return DrawPaste;
        case CommandId::Input: return DrawInput;
        case CommandId::PreviousPage: return DrawPageStep(false);
        case CommandId::NextPage: return DrawPageStep(true);
        case CommandId::PrintPreview: return DrawPreview;
        case CommandId::Print: return DrawPrint;
        case CommandId::About: return DrawAbout;
        case CommandId::MoveLeft: return Nudge(2, true);
        case CommandId::MoveLeftSmall: return Nudge(2, false);
        case CommandId::MoveRightSmall: return Nudge(0, false);
        case CommandId::MoveRight: return Nudge(0, true);
        case CommandId::MoveUp: return Nudge(3, true);
        case CommandId::MoveUpSmall: return Nudge(3, false);
        case CommandId::MoveDownSmall: return Nudge(1, false);
        case CommandId::MoveDown: return Nudge(1, true);
        case CommandId::AlignLeft: return Align(true, 0);
        case CommandId::AlignCenter: return Align(true, 1);
        case CommandId::AlignRight: return Align(true, 2);
        case CommandId::AlignTop: return Align(false, 0);
        case CommandId::AlignMiddle: return Align(false, 1);
        case CommandId::AlignBottom: return Align(false, 2);
        default: return nullptr;
    }
}

// Disabled pictures keep their shapes in a light grey.
void Grey(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int level = 120 + qGray(line[x]) / 3;
            line[x] = qRgba(level, level, level, qAlpha(line[x]) * 3 / 5);
        }
    }
}

class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing draw) : draw_(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size.width() / kGrid, size.height() / kGrid);
            draw_(painter);
        }
        if (mode == QIcon::Disabled) Grey(image);
        return QPixmap::fromImage(image);
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }
    QString key() const override { return QStringLiteral("zulname-drawn"); }

private:
    Drawing draw_;
};

}  // namespace

QIcon CommandIcon(CommandId id) {
    Drawing draw = DrawingOf(id);
    return draw ? QIcon(new DrawnIconEngine(std::move(draw))) : QIcon();
}

void DrawProgramIcon(QPainter& painter) { Tag(painter, QRectF(0.5, 2.5, 15.0, 11.0)); }

QIcon ProgramIcon() { return QIcon(new DrawnIconEngine(DrawProgramIcon)); }
