#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPainter>

#include <functional>
#include <map>
#include <memory>

#include "render/card_image.h"
#include "render/qt/qpainter_surface.h"
#include "view/commands.h"
#include "view/edit_view_model.h"
#include "view/written_output.h"
#include "view/zoom.h"

class QMenu;
class QPrinter;
class QRubberBand;

// The edit view: one sheet page of tags, or the current tag on its guide grid while the input
// dialog is open. It draws through the same sheet drawing as the printer, and turns pointer
// positions into logical units through its real resolution, zoom and scroll position.
class CRozudeziView : public QAbstractScrollArea, public CommandTarget, private ViewPlatform {
public:
    CRozudeziView(QPrinter& printer, const std::vector<std::string>& userItems, QWidget* parent = nullptr);
    ~CRozudeziView() override;

    // The start of the view, once the window is shown: asks for what is not stored yet.
    void Start();

    bool IsAvailable(CommandId command) const override;
    void Execute(CommandId command) override;

    EditViewModel& Model() { return model_; }
    // Commands that open dialogs built elsewhere; such a command is offered once it has one.
    void SetDialogCommand(CommandId command, std::function<void()> open);
    // Creates the modeless input dialog and hands its side of the hand-over to the model.
    void SetInputDialogOpener(std::function<void()> open) { openInputDialog_ = std::move(open); }
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }
    // Told after every change, so that menus and toolbars show what is available now.
    void SetCommandsChanged(std::function<void()> changed) { commandsChanged_ = std::move(changed); }
    void SetHomePageOpener(std::function<void()> open) { openHomePage_ = std::move(open); }
    // Told the zoom in percent whenever it changes, for the status bar.
    void SetZoomChanged(std::function<void(int)> changed) { zoomChanged_ = std::move(changed); }
    const ViewZoom& Zoom() const { return zoom_; }
    // The view's scrollable contents in hundredths of an inch: the paper and a margin, at least
    // a sheet of A4 or Letter.
    QSize LogicalExtent() const;
    // Told the stored path of each record file the view turns to, for the recent-file list.
    void SetRecordFileOpened(std::function<void(const std::string&)> opened) { recordFileOpened_ = std::move(opened); }
    // Something to tell the user in passing (the status bar).
    void SetStatusNote(std::function<void(const std::string&)> note) { statusNote_ = std::move(note); }

    // Draws the pages of a print job (the printer's page range, or all) on the printer; returns
    // how many it drew.
    int PrintPages(QPrinter& printer);
    // Told what each print job wrote, for the status bar.
    void SetOutputWritten(std::function<void(const WrittenOutput&)> written) { outputWritten_ = std::move(written); }

    // Asks every view to draw again and the frame to update its commands.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<std::string> ChooseCabinet(const std::string& preset) override;
    std::optional<std::string> ChooseRecordFile(const std::string& cabinet) override;
    std::optional<std::int32_t> ChooseLabelSlot(std::int32_t current) override;
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    void OpenInputDialog() override;
    void ScrollToTopLeft() override;
    void RefreshAllViews() override { Refresh(); }
    void OpenHomePage() override;
    Surface& MeasuringSurface() override;
    void PumpMessages() override;

    // The paper the slot prints on, in hundredths of an inch: the sheet chosen for it, else the
    // printer's.
    QSize PaperSize() const;
    void Print();
    void PrintPreview();
    // Asks first when the job would print blank tags; false when the user chose a design instead
    // or cancelled.
    bool GoAheadWithBlankTags();
    // A question before a print job: true to go on; the first button runs the fix instead.
    bool AskBeforePrinting(const char* question, const char* fixCaption, CommandId fix);
    // Asks first when a character would print as a box; false when the user checks or cancels.
    bool GoAheadWithMissingCharacters();
    void UpdateScrollBars();
    void PlaceEmptyHint();
    bool ExecuteZoom(CommandId command);
    // 拡大, 縮小 or 実寸, keeping what lies under the viewport pixel in its place.
    void ZoomAbout(const QPoint& pixel, CommandId command);
    // Fits width × height logical units into the viewport and scrolls to (left, top).
    void FitArea(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    // Sets the scroll bars for the zoom and tells the status bar.
    void ZoomChanged(const QPoint& scroll);
    // A zoom the user chose: stored, and no longer following the size of the window.
    void KeepZoom();
    QPoint ScrollOffset() const;
    // A pointer position as logical units from the top-left of the view's contents.
    LogicalPoint ToLogical(const QPoint& pixel) const;
    QRect ToPixels(const DragRect& rect) const;
    // The selected item's frame and corner grips on the tag, and the lines a drag snapped to.
    void DrawSelection(QPainter& painter);
    // How near a grip or a line the pointer acts, at this zoom; Alt turns snapping off.
    void SetPointerReach(Qt::KeyboardModifiers modifiers);

    QPrinter& printer_;
    CardImageCache image_;
    // Availability is worked out from the stored values each time it is asked for.
    mutable EditViewModel model_;
    std::map<CommandId, std::function<void()>> dialogCommands_;
    std::function<void()> openInputDialog_, commandsChanged_, openHomePage_;
    std::function<void(const std::string&)> recordFileOpened_, statusNote_;
    std::function<void(int)> zoomChanged_;
    std::function<void(const WrittenOutput&)> outputWritten_;
    ViewZoom zoom_;
    // Nothing stored and the user has not zoomed: the whole page fits whatever the view's size.
    bool followPage_ = false;
    std::string shownRecordFile_;
    QMenu* contextMenu_ = nullptr;
    QRubberBand* rubberBand_ = nullptr;
    // Over an empty sheet: what a new user does next.
    QWidget* emptyHint_ = nullptr;
    QImage measuringImage_;
    std::unique_ptr<QPainter> measuringPainter_;
    std::unique_ptr<QPainterSurface> measuringSurface_;
};
