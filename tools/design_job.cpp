#include "tools/design_job.h"

#include <optional>

#include "designs/design_library.h"
#include "sheets/builtin_sheets.h"
#include "sheets/catalogue.h"
#include "sheets/recorded_sheet.h"
#include "sheets/slot_sheet.h"
#include "store/codec.h"
#include "store/label_sizes.h"
#include "store/locations.h"

namespace export_tool {
namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

bool Refuse(int& status, int code, std::string& problem, std::string text) {
    status = code;
    problem = std::move(text);
    return false;
}

std::optional<designs::Design> NamedDesign(const std::string& utf8) {
    std::string name;
    if (!codec::Utf8ToCp932(utf8, name)) return std::nullopt;
    std::optional<designs::Entry> entry = designs::DesignLibrary::Installed().Find(name);
    if (!entry) return std::nullopt;
    return std::move(entry->design);
}

// The sheet the record file records for the slot, when it records a readable one.
std::optional<sheets::RecordedSheet> RecordedSheetOf(const profile::ProfileDocument& record, std::int32_t slot) {
    const profile::Lookup found = record.Find("#Setting#", sheets::RecordedSheetKey(slot));
    if (found.kind != profile::Lookup::Kind::Value) return std::nullopt;
    return sheets::ParseRecordedSheet(found.value);
}

}  // namespace

bool DesignJob::Make(const Options& options, const std::string& recordStoredPath, int& status, std::string& problem,
                     std::vector<std::string>& notes) {
    const std::optional<designs::Design> design = NamedDesign(options.design);
    if (!design)
        return Refuse(status, kUsageError, problem, "no design \"" + options.design + "\" (zulname-designs list shows them)");

    // The record file's settings without any of its cards: the rows take the design.
    RecordSections read;
    profile::ProfileDocument& source = read.doc;
    std::string sourceFsPath;
    if (!recordStoredPath.empty() &&
        (!locations::StoredPathToFs(recordStoredPath, sourceFsPath) ||
         !ReadRecordDocument(sourceFsPath, [](std::int32_t) { return false; }, read, problem)))
        return Refuse(status, kFailure, problem, problem.empty() ? "cannot read the record file" : problem);
    const std::int32_t slot = CurrentSlot(source);

    LabelExtent size;
    const std::optional<sheets::RecordedSheet> recorded = RecordedSheetOf(source, slot);
    if (recorded && options.sheetMaker.empty()) {
        size = {recorded->width, recorded->height};
    } else {
        const std::string maker = options.sheetMaker.empty() ? std::string(sheets::kDefaultSheetMaker) : options.sheetMaker;
        const std::string part = options.sheetMaker.empty() ? std::string(sheets::kDefaultSheetPart) : options.sheetPart;
        sheets::SheetCatalogue catalogue;
        catalogue.Load(sheets::DefaultSources());
        const sheets::SheetProduct* product = catalogue.Find(maker, part);
        if (product == nullptr)
            return Refuse(status, kUsageError, problem,
                          "no label sheet \"" + part + "\" of \"" + maker + "\" (zulname-sheets list shows them)");
        if (!product->Usable())
            return Refuse(status, kUsageError, problem, "the label sheet \"" + part + "\" cannot be used: " + product->unusable);
        const sheets::SlotSheet sheet = sheets::ToSlotSheet(*product);
        sheets::RecordSheetInDocument(source, slot, sheet);
        size = {sheet.width, sheet.height};
    }

    const std::vector<cards::SectionKeys> frame{designs::FrameSectionFor(*design, slot, size)};
    if (!list_.Make(source, options.list, options.listOptions, designs::CardKeysFor(*design, slot, size), frame, problem,
                    notes))
        return Refuse(status, kFailure, problem, problem);
    std::string recordStored;
    locations::FsPathToStored(list_.FsPath(), recordStored);
    // The sheet is the one chosen above: that it differs from the settings file's is no news.
    std::vector<std::string> adopted;
    if (!settings_.Make(recordStored, problem, adopted)) return Refuse(status, kFailure, problem, problem);
    return true;
}

}  // namespace export_tool
