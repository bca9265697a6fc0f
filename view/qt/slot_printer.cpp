#include "view/qt/slot_printer.h"

#include <QPageSize>
#include <QPrinter>
#include <optional>
#include <string>

#include "sheets/slot_sheet.h"
#include "store/print_sides.h"

void SetUpPrinterForSlot(QPrinter& printer, const SettingsProfile& settings, std::int32_t slot) {
    const std::optional<sheets::PaperMillimetres> paper = sheets::StoredSlotPaper(settings, std::to_string(slot));
    if (paper)
        printer.setPageSize(QPageSize(QSizeF(paper->width, paper->height), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
    switch (ReadPrintSides(settings, slot).duplex) {
        case Duplex::LongEdge: printer.setDuplex(QPrinter::DuplexLongSide); break;
        case Duplex::ShortEdge: printer.setDuplex(QPrinter::DuplexShortSide); break;
        case Duplex::None: printer.setDuplex(QPrinter::DuplexNone); break;
    }
}
