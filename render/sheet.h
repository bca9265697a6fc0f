#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/surface.h"
#include "render/view_state.h"

// Sheet pages of tags, for the screen, print preview and printer alike.

// The print layout of the view's slot, read afresh for every drawing.
struct SheetLayout {
    std::int32_t columns = 2;  // NC, never below 1
    std::int32_t rows = 5;     // NR, never below 1
    LabelExtent label;         // W × H of one face
    std::int32_t top = 10;     // T
    std::int32_t left = 10;    // X0
    std::int32_t gapH = 0;
    std::int32_t gapV = 0;
    bool noCutLine = false;  // neither cut lines nor crop marks
    bool cropMarks = false;  // corner marks instead of the outline
    Fold fold = Fold::None;
    bool foldLine = true;    // a dotted line along the fold
    Duplex duplex = Duplex::None;  // the view's choice, else the slot's
    LabelExtent paper = {827, 1169};   // the slot's paper (A4 when none), for the backs
};
SheetLayout ReadSheetLayout(const ViewState& view);

// The extent of a cell of the sheet: one face, or both faces of a folded card.
LabelExtent CellExtent(const SheetLayout& layout);
// Where the upright face lies in its cell: its top-left corner from the cell's, y downward.
LogicalPoint UprightFaceOffset(const SheetLayout& layout);
// Whether every page of a print job is followed by its back: two-sided with a back design.
bool PrintsBacks(const ViewState& view, const SheetLayout& layout);
// Takes the record file's current slot into the view, as every drawing of a sheet does.
void UseRecordSlot(ViewState& view);
// Whether page N of a print job of the record file's current slot is a back page.
bool IsBackPage(ViewState& view, std::int32_t page);

// Columns or rows as stored text: a sheet always has at least one of each, whatever was typed.
std::int32_t GridCount(std::string_view stored);

// The cards sheet pages are filled from: the print order, else every card with a name.
std::vector<std::string> CardList(const RecordProfile& record);
// Every card with a non-empty "氏名", in card order.
std::vector<std::string> NamedCards(const RecordProfile& record);
// The same, worked out again only when the record file has changed since the view last did.
const std::vector<std::string>& ViewCardList(const ViewState& view);

// Draws the view: the current tag on its guide grid in card mode, else a sheet page (the print
// page on a printer, the screen page otherwise).
void DrawSheet(ViewState& view, Surface& surface);

enum class PageSide { Front, Back };
// Lays out the cards of one page at the layout, row by row and each row left to right, drawing
// each with DrawCard (folded: both faces in its cell). A back page draws each card's back
// exactly behind its front, as the layout's duplex turns the paper over. The view's slot and
// label size must be those of the layout.
void DrawSheetPage(ViewState& view, Surface& surface, const SheetLayout& layout, const std::vector<std::string>& cards,
                   PageSide side = PageSide::Front);

// The number of sheet pages, the fronts the screen shows, at least 1.
std::int32_t SheetPageCount(const ViewState& view);
// The number of pages of a print job, at least 1; two-sided, each sheet page and its back.
std::int32_t PrintPageCount(const ViewState& view);

// The cut line or the crop marks of the cell of this extent whose top-left corner is (x, y).
void DrawCutMarks(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, LabelExtent extent);
