#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/print_sides.h"
#include "store/label_sizes.h"
#include "store/profiles.h"

class CardImageCache;

// The view shows either one sheet page of tags or, while the input dialog is open, the current
// tag alone on its guide grid.
enum class ViewMode { SheetMode = 0, CardMode = 1 };

// The card list of a record file as it was when last worked out: a print job draws hundreds of
// pages from one unchanged list.
struct CardListCache {
    std::string path;
    std::uint64_t version = 0;
    std::vector<std::string> cards;
};

// An item being dragged on a tag: drawn with this placement and font height instead of its
// stored ones until the drag ends.
struct ItemPreview {
    std::string section, item;
    std::int32_t xpos = 0, ypos = 0;
    std::int32_t printPos = 0, printVPos = 0;
    std::int32_t fontHeight = 0;  // the stored lfHeight; 0 keeps the stored one
};

// What the drawing of tags and sheets takes from the view. The view owns it; DrawSheet keeps
// the slot, the label size and the current section up to date as it draws.
struct ViewState {
    const SettingsProfile* settings = nullptr;
    const RecordProfile* record = nullptr;
    ViewMode mode = ViewMode::SheetMode;
    std::int32_t slot = 1;
    std::string slotPrefix = "1";
    LabelExtent label;                   // W × H of the slot
    std::vector<std::string> userItems;  // the application's user-defined items, in list order
    std::string CurrentSection;          // the card section DrawCard draws next
    std::int32_t printPage = 1;          // the page a print job is drawing
    std::optional<Duplex> duplex;        // a run's choice over the slot's own
    bool noCutLine = false;              // read by DrawSheet for DrawCutMarks
    bool cropMarks = false;              // likewise
    // The screen's resolution and the image adjustment ("Disp" "AdjustX"/"AdjustY"), taken when
    // the view is created; they place images on the screen.
    std::int32_t screenDpiX = 96;
    std::int32_t screenDpiY = 96;
    std::int32_t adjustX = 98;
    std::int32_t adjustY = 98;
    // The resolution the edit view draws at, its zoom included; 0 when it is the screen's own.
    // Images on the screen grow with the zoom like everything else.
    std::int32_t zoomedDpiX = 0;
    std::int32_t zoomedDpiY = 0;
    std::optional<ItemPreview> preview;  // only the edit view has one, only while dragging
    CardImageCache* image = nullptr;  // the document's bitmap; no images are drawn without one
    mutable CardListCache cardList;
};
