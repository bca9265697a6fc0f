#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/sheet_layout.h"
#include "render/surface.h"
#include "render/view_state.h"

// Sheet pages of tags, for the screen, print preview and printer alike.

// Whether every page of a print job is followed by its back: two-sided with a back design.
bool PrintsBacks(const ViewState& view, const SheetLayout& layout);
// Takes the record file's current slot into the view, as every drawing of a sheet does.
void UseRecordSlot(ViewState& view);
// Whether page N of a print job of the record file's current slot is a back page.
bool IsBackPage(ViewState& view, std::int32_t page);

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
