#include "dialogs/print_options_model.h"

#include "dialogs/step_value.h"
#include "sheets/recorded_sheet.h"
#include "store/profile_service.h"
#include "store/profile_value.h"

namespace {

constexpr const char* kLayoutSection = "PrintOptions";
constexpr const char* kOffsetSection = "Option";  // in the record file

struct NumberKey {
    const char* key;      // after the slot prefix in the settings, or as it is in the record file
    bool perSlot;         // a layout value of the installation rather than of the record file
    const char* stored;   // what reads when nothing is stored
    std::int32_t lowest;  // the down button goes no lower
};

constexpr std::array<NumberKey, PrintOptionsModel::kNumberCount> kNumberKeys{{
    {"Column", true, "2", 1},
    {"Line", true, "5", 1},
    {"GapH", true, "0", 0},
    {"GapV", true, "0", 0},
    {"Top", false, "10", 1},
    {"Left", false, "10", 0},
}};

const NumberKey& KeyOf(PrintOptionsModel::Number number) { return kNumberKeys[static_cast<std::size_t>(number)]; }

}  // namespace

PrintOptionsModel::PrintOptionsModel(const SettingsProfile& settings, const RecordProfile& record)
    : settings_(settings), record_(record) {}

void PrintOptionsModel::OnOpen() {
    // The program never writes "CurLabel"; a value that is no slot opens on the first one.
    const std::string start = settings_.ReadString(kLayoutSection, "CurLabel", "1");
    editSlot_ = slotButtons.Select(start == "2" ? 2 : start == "3" ? 3 : 1);
    Load();
}

void PrintOptionsModel::LoadNumbers() {
    for (std::size_t i = 0; i < kNumberCount; ++i) {
        const NumberKey& number = kNumberKeys[i];
        numbers[i] = number.perSlot ? settings_.ReadString(kLayoutSection, slotPrefix_ + number.key, number.stored)
                                    : record_.ReadString(kOffsetSection, number.key, number.stored);
    }
}

void PrintOptionsModel::Load() {
    slotPrefix_ = std::to_string(editSlot_);
    LoadNumbers();
    LoadNoCutLine();
    sides = ReadPrintSides(settings_, editSlot_);
    OnFoldChanged();
    textOverDecoration = settings_.ReadInt("PrintMode", "bTransparent", 0) == 1;
    cropMarks = record_.ReadInt(kOffsetSection, "Tombo", 0) != 0;
}

void PrintOptionsModel::LoadNoCutLine() {
    // Checked exactly when the sheet drawing acts on the value.
    noCutLine = settings_.ReadInt(kLayoutSection, slotPrefix_ + "NoCutLine", 0) == 1;
    // Each slot has its own no-cut-line box, so the crop-mark box follows the slot shown.
    OnNoCutLineClicked();
}

void PrintOptionsModel::Save() const {
    // The layout in the settings file and the offsets in the record file go back with one undo.
    const profile::JoinedUndo oneStep(settings_.FsPath(), record_.ReadFsPath());
    for (std::size_t i = 0; i < kNumberCount; ++i) {
        const NumberKey& number = kNumberKeys[i];
        if (number.perSlot)
            settings_.WriteString(kLayoutSection, slotPrefix_ + number.key, numbers[i]);
        else
            record_.WriteString(kOffsetSection, number.key, numbers[i]);
    }
    settings_.WriteInt(kLayoutSection, slotPrefix_ + "NoCutLine", noCutLine ? 1 : 0);
    settings_.WriteInt("PrintMode", "bTransparent", textOverDecoration ? 1 : 0);
    WritePrintSides(settings_, editSlot_, sides);
    sheets::RecordSlotSheet(settings_, record_, editSlot_);
    settings_.Flush();
    record_.WriteInt(kOffsetSection, "Tombo", cropMarks ? 1 : 0);
    record_.Flush();
}

void PrintOptionsModel::OnSlot(std::int32_t slot) {
    Save();
    editSlot_ = slotButtons.Select(slot);
    Load();
}

void PrintOptionsModel::OnStep(Number number, std::int32_t step) {
    Field(number) = SteppedText(Field(number), step, KeyOf(number).lowest);
}

void PrintOptionsModel::OnNoCutLineClicked() { cropMarksEnabled = !noCutLine; }

void PrintOptionsModel::OnFoldChanged() { foldLineEnabled = sides.fold != Fold::None; }

void PrintOptionsModel::OnOk() { Save(); }

void PrintOptionsModel::OnSheetChosen() {
    LoadNumbers();
    LoadNoCutLine();
}

SheetLayout PrintOptionsModel::Layout() const {
    // Read back as the sheet drawing reads the stored texts: an empty offset or gap is its default.
    const auto stored = [this](Number number) {
        return profile::IntResult({profile::Lookup::Kind::Value, Field(number)},
                                  profile::ParseLeadingInt(KeyOf(number).stored));
    };
    SheetLayout layout;
    layout.columns = GridCount(profile::Unquote(Field(Number::Columns)));
    layout.rows = GridCount(profile::Unquote(Field(Number::Rows)));
    layout.label = LabelSize(settings_, editSlot_);
    layout.top = stored(Number::Top);
    layout.left = stored(Number::Left);
    layout.gapH = stored(Number::GapH);
    layout.gapV = stored(Number::GapV);
    layout.noCutLine = noCutLine;
    layout.cropMarks = cropMarks;
    layout.fold = sides.fold;
    layout.foldLine = sides.foldLine;
    return layout;
}
