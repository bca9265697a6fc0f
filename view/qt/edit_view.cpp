#include "view/qt/edit_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>

#include "dialogs/qt/cabinet_chooser_dialog.h"
#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/label_chooser_dialog.h"
#include "dialogs/qt/record_file_chooser_dialog.h"
#include "render/sheet.h"

namespace {

// The scrollable extent of the view, in hundredths of an inch: a sheet of paper and a margin.
constexpr int kExtentWidth = 760;
constexpr int kExtentHeight = 1195;

}  // namespace

CRozudeziView::CRozudeziView(QPrinter& printer, const std::vector<std::string>& userItems, QWidget* parent)
    : QAbstractScrollArea(parent), printer_(printer), model_(*this, userItems) {
    model_.State().image = &image_;
    model_.State().screenDpiX = logicalDpiX();
    model_.State().screenDpiY = logicalDpiY();
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    UpdateScrollBars();
}

CRozudeziView::~CRozudeziView() = default;

void CRozudeziView::Start() {
    model_.Start();
    Refresh();
}

bool CRozudeziView::IsAvailable(CommandId command) const {
    if (!model_.IsAvailable(command)) return false;
    switch (command) {
        case CommandId::PrintOptions:
        case CommandId::PrintOrder:
        case CommandId::LabelSizeSettings:
        case CommandId::ChooseSheet:
        case CommandId::Fill:
        case CommandId::AddItem:
        case CommandId::MergePrint:
        case CommandId::ExportList:
            return dialogCommands_.count(command) != 0;
        case CommandId::Input:
            return static_cast<bool>(openInputDialog_);
        default:
            return true;
    }
}

void CRozudeziView::Execute(CommandId command) {
    if (!IsAvailable(command)) return;
    if (command == CommandId::Print) {
        Print();
    } else if (command == CommandId::PrintPreview) {
        PrintPreview();
    } else if (const auto dialog = dialogCommands_.find(command); dialog != dialogCommands_.end()) {
        dialog->second();
    } else {
        model_.Execute(command);
    }
    if (commandsChanged_) commandsChanged_();
}

void CRozudeziView::SetDialogCommand(CommandId command, std::function<void()> open) {
    dialogCommands_[command] = std::move(open);
}

void CRozudeziView::Refresh() {
    viewport()->update();
    const std::string& path = model_.Record().Path();
    if (path != shownRecordFile_ && !path.empty() && recordFileOpened_) recordFileOpened_(path);
    shownRecordFile_ = path;
    if (commandsChanged_) commandsChanged_();
}

void CRozudeziView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPoint scroll = ScrollOffset();
    QPainterSurface surface(painter, logicalDpiX(), logicalDpiY(), QPointF(-scroll.x(), -scroll.y()), false);
    DrawSheet(model_.State(), surface);
}

void CRozudeziView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CRozudeziView::UpdateScrollBars() {
    const int width = kExtentWidth * logicalDpiX() / 100;
    const int height = kExtentHeight * logicalDpiY() / 100;
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setRange(0, std::max(0, height - page.height()));
    verticalScrollBar()->setPageStep(page.height());
}

QPoint CRozudeziView::ScrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

LogicalPoint CRozudeziView::ToLogical(const QPoint& pixel) const {
    const QPoint content = pixel + ScrollOffset();
    return {content.x() * 100 / logicalDpiX(), content.y() * 100 / logicalDpiY()};
}

QRect CRozudeziView::ToPixels(const DragRect& rect) const {
    const QPoint scroll = ScrollOffset();
    const auto x = [&](std::int32_t logical) { return logical * logicalDpiX() / 100 - scroll.x(); };
    const auto y = [&](std::int32_t logical) { return logical * logicalDpiY() / 100 - scroll.y(); };
    return QRect(QPoint(x(rect.left), y(rect.top)), QPoint(x(rect.right), y(rect.bottom)));
}

void CRozudeziView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const LogicalPoint at = ToLogical(event->position().toPoint());
    model_.DoubleClick(at.x, at.y);
}

void CRozudeziView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const LogicalPoint at = ToLogical(event->position().toPoint());
    model_.PressMouse(at.x, at.y);
}

void CRozudeziView::mouseMoveEvent(QMouseEvent* event) {
    const LogicalPoint at = ToLogical(event->position().toPoint());
    if (const std::optional<DragRect> rect = model_.MoveMouse(at.x, at.y)) {
        rubberBand_->setGeometry(ToPixels(*rect).normalized());
        rubberBand_->show();
    }
}

void CRozudeziView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    rubberBand_->hide();
    const LogicalPoint at = ToLogical(event->position().toPoint());
    model_.ReleaseMouse(at.x, at.y);
}

void CRozudeziView::contextMenuEvent(QContextMenuEvent* event) {
    if (contextMenu_ != nullptr) contextMenu_->popup(event->globalPos());
}

std::optional<std::string> CRozudeziView::ChooseCabinet(const std::string& preset) {
    return RunCabinetChooser(this, preset);
}

std::optional<std::string> CRozudeziView::ChooseRecordFile(const std::string& cabinet) {
    return RunRecordFileChooser(this, model_.Record(), cabinet);
}

std::optional<std::int32_t> CRozudeziView::ChooseLabelSlot(std::int32_t current) {
    return RunLabelChooser(this, model_.Record(), current);
}

std::optional<ColorRef> CRozudeziView::ChooseColor(ColorRef initial) { return RunColorChooser(this, initial); }

void CRozudeziView::OpenInputDialog() {
    if (openInputDialog_) openInputDialog_();
}

void CRozudeziView::ScrollToTopLeft() {
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CRozudeziView::OpenHomePage() {
    if (openHomePage_) openHomePage_();
}

Surface& CRozudeziView::MeasuringSurface() {
    if (!measuringSurface_) {
        measuringImage_ = QImage(1, 1, QImage::Format_RGB32);
        measuringPainter_ = std::make_unique<QPainter>(&measuringImage_);
        measuringSurface_ =
            std::make_unique<QPainterSurface>(*measuringPainter_, logicalDpiX(), logicalDpiY(), QPointF(0, 0), false);
    }
    return *measuringSurface_;
}

void CRozudeziView::PumpMessages() { QApplication::processEvents(); }

void CRozudeziView::Print() {
    QPrintDialog dialog(&printer_, this);
    dialog.setMinMax(1, PrintPageCount(model_.State()));
    if (dialog.exec() == QDialog::Accepted) PrintPages(printer_);
}

void CRozudeziView::PrintPreview() {
    QPrintPreviewDialog preview(&printer_, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { PrintPages(*printer); });
    preview.exec();
}

void CRozudeziView::PrintPages(QPrinter& printer) {
    const int count = PrintPageCount(model_.State());
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int first = range ? std::max(printer.fromPage(), 1) : 1;
    const int last = range ? std::min(printer.toPage(), count) : count;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const int dpi = printer.resolution();
    for (int page = first; page <= last; ++page) {
        if (page != first) printer.newPage();
        model_.State().printPage = page;
        // The whole paper is the page: tags are placed from its top-left corner.
        QPainterSurface surface(painter, dpi, dpi, QPointF(0, 0), true);
        surface.BeginPage(page);
        DrawSheet(model_.State(), surface);
    }
    painter.end();
}
