#include "view/qt/edit_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QKeyEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include "dialogs/qt/calibration_dialog.h"
#include "dialogs/qt/cabinet_chooser_dialog.h"
#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/label_chooser_dialog.h"
#include "dialogs/qt/record_file_chooser_dialog.h"
#include "render/empty_sheet.h"
#include "render/print_page.h"
#include "render/sheet.h"
#include "sheets/slot_sheet.h"
#include "view/qt/slot_printer.h"

namespace {

// The scrollable extent of the view, in hundredths of an inch: a sheet of paper and a margin,
// more where the paper is larger.
constexpr int kExtentWidth = 760;
constexpr int kExtentHeight = 1195;
constexpr int kPaperMargin = 10;
constexpr double kHundredthsPerMm = 100.0 / 25.4;
// The room left around a tag that "タグ全体" fits into the view.
constexpr int kTagMargin = 10;
// The corner grips of the selected item, and how near a line a dragged item snaps, in pixels.
constexpr int kGripPixels = 7;
constexpr int kSnapPixels = 6;
// The room kept between the banner over an empty sheet and the sheet's own hint, in pixels.
constexpr int kHintClearance = 6;
// Shift with an arrow key moves ten times as far as the arrow alone.
constexpr std::int32_t kFarNudges = 10;

}  // namespace

CRozudeziView::CRozudeziView(QPrinter& printer, const std::vector<std::string>& userItems, QWidget* parent)
    : QAbstractScrollArea(parent), printer_(printer), model_(*this, userItems), zoom_(logicalDpiX(), logicalDpiY()) {
    model_.State().image = &image_;
    model_.State().screenDpiX = logicalDpiX();
    model_.State().screenDpiY = logicalDpiY();
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    auto* hint = new QFrame(viewport());
    hint->setFrameShape(QFrame::StyledPanel);
    emptyHint_ = hint;
    emptyHint_->setObjectName(QStringLiteral("emptyHint"));
    emptyHint_->setAutoFillBackground(true);
    auto* hintLayout = new QHBoxLayout(emptyHint_);
    hintLayout->addWidget(new QLabel(QStringLiteral("名簿 (Excel・CSV) から名札をまとめて作れます。"), emptyHint_));
    auto* make = new QPushButton(QStringLiteral("名簿から作成..."), emptyHint_);
    make->setObjectName(QStringLiteral("makeFromList"));
    connect(make, &QPushButton::clicked, this, [this] { Execute(CommandId::MakeFromList); });
    hintLayout->addWidget(make);
    emptyHint_->hide();
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { PlaceEmptyHint(); });
    UpdateScrollBars();
}

void CRozudeziView::PlaceEmptyHint() {
    if (emptyHint_->isHidden()) return;
    emptyHint_->adjustSize();
    QRect place(QPoint(std::max(0, (viewport()->width() - emptyHint_->width()) / 2), 12), emptyHint_->size());
    // Never over the sheet's own line on how to make the first card: below it instead.
    const EmptySheetHint line = EmptySheetHintBox(ReadSheetLayout(model_.State()), MeasuringSurface());
    const QRect onView = ToPixels({line.left, line.top, line.right, line.bottom}).adjusted(-kHintClearance, -kHintClearance,
                                                                                          kHintClearance, kHintClearance);
    if (place.intersects(onView)) place.moveTop(onView.bottom() + 1);
    emptyHint_->move(place.topLeft());
}

CRozudeziView::~CRozudeziView() = default;

void CRozudeziView::Start() {
    model_.Start();
    // Until the user zooms, the whole page is shown, whatever the size of the window.
    followPage_ = !zoom_.Load(model_.Settings());
    if (followPage_)
        ExecuteZoom(CommandId::ZoomWholePage);
    else
        ZoomChanged(QPoint(0, 0));
    Refresh();
}

bool CRozudeziView::IsAvailable(CommandId command) const {
    if (!model_.IsAvailable(command)) return false;
    switch (command) {
        case CommandId::PrintOptions:
        case CommandId::PrintOrder:
        case CommandId::LabelSizeSettings:
        case CommandId::ChooseSheet:
        case CommandId::ExportPdf:
        case CommandId::Fill:
        case CommandId::AddItem:
        case CommandId::MergePrint:
        case CommandId::ImportList:
        case CommandId::MakeFromList:
        case CommandId::Romaji:
        case CommandId::ExportList:
        case CommandId::ApplyDesign:
        case CommandId::ChooseDesign:
        case CommandId::SaveDesign:
        case CommandId::ChooseBackDesign:
        case CommandId::ToggleRoster:
        case CommandId::ToggleProperties:
        case CommandId::CharacterCheck:
        case CommandId::ExportProof:
        case CommandId::CategoryDesigns:
        case CommandId::Undo:
        case CommandId::Redo:
            return dialogCommands_.count(command) != 0;
        case CommandId::Input:
            return static_cast<bool>(openInputDialog_);
        default:
            return true;
    }
}

void CRozudeziView::Execute(CommandId command) {
    if (!IsAvailable(command)) return;
    const bool printing =
        command == CommandId::Print || command == CommandId::PrintPreview || command == CommandId::ExportPdf;
    if (printing && (!GoAheadWithBlankTags() || !GoAheadWithMissingCharacters())) return;
    if (command == CommandId::Print) {
        Print();
    } else if (command == CommandId::PrintPreview) {
        PrintPreview();
    } else if (command == CommandId::FileSave) {
        const std::string note = model_.Save();
        if (statusNote_) statusNote_(note);
    } else if (const auto dialog = dialogCommands_.find(command); dialog != dialogCommands_.end()) {
        dialog->second();
    } else if (ExecuteZoom(command)) {
        KeepZoom();
    } else {
        model_.Execute(command);
    }
    if (commandsChanged_) commandsChanged_();
}

void CRozudeziView::SetDialogCommand(CommandId command, std::function<void()> open) {
    dialogCommands_[command] = std::move(open);
}

void CRozudeziView::Refresh() {
    const std::string& path = model_.Record().Path();
    if (path != shownRecordFile_ && !path.empty()) {
        // A record file just opened prints on the sheets it was laid out for.
        const std::string note = model_.FollowRecordedSheets();
        if (!note.empty() && statusNote_) statusNote_(note);
        if (recordFileOpened_) recordFileOpened_(path);
    }
    shownRecordFile_ = path;
    // What was stored may have changed the tag's size (a sheet chosen, an undo).
    model_.ReadOffsets();
    emptyHint_->setVisible(model_.SheetShowsNoName() && IsAvailable(CommandId::MakeFromList));
    PlaceEmptyHint();
    viewport()->update();
    if (commandsChanged_) commandsChanged_();
}

void CRozudeziView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPoint scroll = ScrollOffset();
    model_.State().zoomedDpiX = zoom_.DpiX();
    model_.State().zoomedDpiY = zoom_.DpiY();
    {
        QPainterSurface surface(painter, zoom_.DpiX(), zoom_.DpiY(), QPointF(-scroll.x(), -scroll.y()), false);
        DrawSheet(model_.State(), surface);
    }
    DrawSelection(painter);
    if (model_.State().mode == ViewMode::CardMode) return;
    // The paper's edge shows where the sheet ends; only here on screen, so it never prints.
    const QSize paper = PaperSize();
    painter.setPen(QPen(palette().color(QPalette::Mid), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(-scroll.x(), -scroll.y(), zoom_.ExtentX(paper.width()), zoom_.ExtentY(paper.height()));
}

void CRozudeziView::DrawSelection(QPainter& painter) {
    const std::optional<ItemBox> box = model_.SelectionOnView();
    if (!box) return;
    const QColor accent = palette().color(QPalette::Highlight);
    const QRect frame = ToPixels({box->left, box->top, box->right, box->bottom}).normalized();
    painter.setPen(QPen(accent, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.setPen(QPen(accent, 1));
    painter.setBrush(palette().color(QPalette::Base));
    for (const QPoint& corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        painter.drawRect(QRect(corner - QPoint(kGripPixels / 2, kGripPixels / 2), QSize(kGripPixels, kGripPixels)));
    if (!model_.ItemDrag()) return;
    // The lines the item snapped to run across the whole view.
    painter.setPen(QPen(QColor(Qt::magenta), 1));
    const QPoint scroll = ScrollOffset();
    for (const SnapGuide& guide : model_.ItemDrag()->guides) {
        if (guide.vertical) {
            const int x = zoom_.PixelX(guide.at, scroll.x());
            painter.drawLine(x, 0, x, viewport()->height());
        } else {
            const int y = zoom_.PixelY(guide.at, scroll.y());
            painter.drawLine(0, y, viewport()->width(), y);
        }
    }
}

void CRozudeziView::SetPointerReach(Qt::KeyboardModifiers modifiers) {
    const std::int32_t grip = kGripPixels * 100 / std::max(zoom_.DpiX(), 1);
    const std::int32_t snap = modifiers & Qt::AltModifier ? 0 : kSnapPixels * 100 / std::max(zoom_.DpiX(), 1);
    model_.SetPointerReach(std::max(grip, 1), snap);
}

QSize CRozudeziView::PaperSize() const {
    const std::optional<sheets::PaperMillimetres> stored = sheets::StoredSlotPaper(model_.Settings(), model_.State().slotPrefix);
    const QSizeF mm = stored ? QSizeF(stored->width, stored->height) : printer_.pageLayout().fullRect(QPageLayout::Millimeter).size();
    return (mm * kHundredthsPerMm).toSize();
}

QSize CRozudeziView::LogicalExtent() const {
    const QSize paper = PaperSize();
    return {std::max(kExtentWidth, paper.width() + kPaperMargin), std::max(kExtentHeight, paper.height() + kPaperMargin)};
}

void CRozudeziView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    PlaceEmptyHint();
    if (followPage_)
        ExecuteZoom(CommandId::ZoomWholePage);
    else
        UpdateScrollBars();
}

void CRozudeziView::UpdateScrollBars() {
    const QSize extent = LogicalExtent();
    const int width = zoom_.ExtentX(extent.width());
    const int height = zoom_.ExtentY(extent.height());
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
    const QPoint scroll = ScrollOffset();
    return {zoom_.LogicalX(pixel.x(), scroll.x()), zoom_.LogicalY(pixel.y(), scroll.y())};
}

QRect CRozudeziView::ToPixels(const DragRect& rect) const {
    const QPoint scroll = ScrollOffset();
    const auto x = [&](std::int32_t logical) { return zoom_.PixelX(logical, scroll.x()); };
    const auto y = [&](std::int32_t logical) { return zoom_.PixelY(logical, scroll.y()); };
    return QRect(QPoint(x(rect.left), y(rect.top)), QPoint(x(rect.right), y(rect.bottom)));
}

bool CRozudeziView::ExecuteZoom(CommandId command) {
    switch (command) {
        case CommandId::ZoomIn:
        case CommandId::ZoomOut:
        case CommandId::ZoomActualSize: ZoomAbout(viewport()->rect().center(), command); return true;
        case CommandId::ZoomWholePage: {
            const QSize extent = LogicalExtent();
            FitArea(0, 0, extent.width(), extent.height());
            return true;
        }
        case CommandId::ZoomWholeTag: {
            const SheetLayout layout = ReadSheetLayout(model_.State());
            FitArea(layout.left - kTagMargin, layout.top - kTagMargin, layout.label.width + 2 * kTagMargin,
                    layout.label.height + 2 * kTagMargin);
            return true;
        }
        default: return false;
    }
}

void CRozudeziView::ZoomAbout(const QPoint& pixel, CommandId command) {
    const std::int32_t beforeX = zoom_.DpiX(), beforeY = zoom_.DpiY();
    if (command == CommandId::ZoomIn) {
        zoom_.ZoomIn();
    } else if (command == CommandId::ZoomOut) {
        zoom_.ZoomOut();
    } else {
        zoom_.SetPercent(100);
    }
    const QPoint scroll = ScrollOffset();
    ZoomChanged({ViewZoom::ScrollKeeping(pixel.x(), scroll.x(), beforeX, zoom_.DpiX()),
                 ViewZoom::ScrollKeeping(pixel.y(), scroll.y(), beforeY, zoom_.DpiY())});
}

void CRozudeziView::FitArea(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    zoom_.Fit(width, height, viewport()->width(), viewport()->height());
    ZoomChanged({zoom_.ExtentX(std::max(left, 0)), zoom_.ExtentY(std::max(top, 0))});
}

void CRozudeziView::KeepZoom() {
    followPage_ = false;
    zoom_.Store(model_.Settings());
}

void CRozudeziView::ZoomChanged(const QPoint& scroll) {
    UpdateScrollBars();
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
    PlaceEmptyHint();
    viewport()->update();
    if (zoomChanged_) zoomChanged_(zoom_.Percent());
}

void CRozudeziView::wheelEvent(QWheelEvent* event) {
    // Ctrl with the wheel zooms about the pointer; the wheel alone scrolls.
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    ZoomAbout(event->position().toPoint(), event->angleDelta().y() > 0 ? CommandId::ZoomIn : CommandId::ZoomOut);
    KeepZoom();
    event->accept();
}

void CRozudeziView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const LogicalPoint at = ToLogical(event->position().toPoint());
    model_.DoubleClick(at.x, at.y);
}

void CRozudeziView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    SetPointerReach(event->modifiers());
    const LogicalPoint at = ToLogical(event->position().toPoint());
    model_.PressMouse(at.x, at.y);
}

void CRozudeziView::mouseMoveEvent(QMouseEvent* event) {
    SetPointerReach(event->modifiers());
    const LogicalPoint at = ToLogical(event->position().toPoint());
    if (const std::optional<DragRect> rect = model_.MoveMouse(at.x, at.y)) {
        rubberBand_->setGeometry(ToPixels(*rect).normalized());
        rubberBand_->show();
    }
    if (model_.ItemDrag()) viewport()->update();
}

void CRozudeziView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    rubberBand_->hide();
    SetPointerReach(event->modifiers());
    const LogicalPoint at = ToLogical(event->position().toPoint());
    model_.ReleaseMouse(at.x, at.y);
}

void CRozudeziView::keyPressEvent(QKeyEvent* event) {
    // The arrow keys alone are the menu's moves; with Shift they go ten times as far.
    const std::map<int, CommandId> far{{Qt::Key_Left, CommandId::MoveLeft},
                                       {Qt::Key_Right, CommandId::MoveRight},
                                       {Qt::Key_Up, CommandId::MoveUp},
                                       {Qt::Key_Down, CommandId::MoveDown}};
    const auto found = far.find(event->key());
    if (found == far.end() || event->modifiers() != Qt::ShiftModifier) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    model_.NudgeRepeated(found->second, kFarNudges);
    Refresh();
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
    SetUpPrinterForSlot(printer_, model_.Settings(), model_.State().slot);
    QPrintDialog dialog(&printer_, this);
    dialog.setMinMax(1, PrintPageCount(model_.State()));
    if (dialog.exec() != QDialog::Accepted) return;
    const int pages = PrintPages(printer_);
    if (pages == 0 || !outputWritten_) return;
    // Without a printer, Qt prints to a PDF file.
    const bool toFile = printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
    outputWritten_(WrittenOutput{toFile ? printer_.outputFileName().toStdString() : std::string(),
                                 printer_.printerName().toStdString(), pages});
}

bool CRozudeziView::AskBeforePrinting(const char* question, const char* fixCaption, CommandId fix) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8("印刷"), QString::fromUtf8(question), QMessageBox::NoButton, this);
    QPushButton* fixIt = box.addButton(QString::fromUtf8(fixCaption), QMessageBox::AcceptRole);
    QPushButton* goOn = box.addButton(QString::fromUtf8("このまま続ける"), QMessageBox::DestructiveRole);
    box.addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.setDefaultButton(fixIt);
    box.exec();
    if (box.clickedButton() == fixIt) Execute(fix);
    return box.clickedButton() == goOn;
}

bool CRozudeziView::GoAheadWithBlankTags() {
    return !model_.PrintsBlankTags() ||
           AskBeforePrinting("名前を印刷するカードがないため、名札は白紙になります。\nデザインを選びますか？", "デザインを選ぶ...",
                             CommandId::ChooseDesign);
}

bool CRozudeziView::GoAheadWithMissingCharacters() {
    return !model_.PrintsMissingCharacters() ||
           AskBeforePrinting("どのフォントにもない文字があり、その文字は正しく印刷されません。\n文字チェックで調べますか？",
                             "文字チェック...", CommandId::CharacterCheck);
}

void CRozudeziView::PrintPreview() {
    SetUpPrinterForSlot(printer_, model_.Settings(), model_.State().slot);
    QPrintPreviewDialog preview(&printer_, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { PrintPages(*printer); });
    preview.exec();
}

int CRozudeziView::PrintPages(QPrinter& printer) {
    const int count = PrintPageCount(model_.State());
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int first = range ? std::max(printer.fromPage(), 1) : 1;
    const int last = range ? std::min(printer.toPage(), count) : count;
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    const int dpi = printer.resolution();
    const PrinterCalibration calibration = ReadCalibration(model_.Settings(), CalibrationPrinterName(printer));
    for (int page = first; page <= last; ++page) {
        if (page != first) printer.newPage();
        // The whole paper is the page: tags are placed from its top-left corner.
        QPainterSurface surface(painter, dpi, dpi, QPointF(0, 0), true);
        DrawPrintPage(model_.State(), surface, page, calibration);
    }
    painter.end();
    return std::max(last - first + 1, 0);
}
