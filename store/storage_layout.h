#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/profiles.h"

// Cabinets, record files and card sections, and the steps that choose them. All names and paths
// are stored text (code page 932).

// The eight cabinet display names, in the order the program creates and lists them.
const std::vector<std::string>& CabinetNames();
// The folder names of the cabinets, in the same order, without the trailing "/".
const std::vector<std::string>& CabinetFolders();

// The folder of a cabinet, ending in "/"; a name that is not a known cabinet maps to "Other/".
std::string CabinetFolderName(std::string_view cabinet);
std::string RecordFilePath(std::string_view cabinet, std::string_view fileName);
// "0000" … "9999", then as many digits as needed.
std::string CardSectionName(std::int32_t card);
// A label slot's back design in a record file and the back's frame: "1Back", "1BackFrame".
std::string BackSectionName(std::string_view slotPrefix);
std::string BackFrameSectionName(std::string_view slotPrefix);

// The file name offered for a new record file.
inline constexpr std::string_view kNewRecordFileName = "zulname.ini";

struct CardPosition {
    std::int32_t current = 0;  // "#Setting#" "CurID"
    std::int32_t max = 0;      // "#Setting#" "Max"
};

// Makes fileName in the record profile's cabinet the current record file: stores its path as
// the cabinet's current file in the settings and points the record profile at it. A name that is
// not a plain file name (IsPlainFileName) is refused: nothing changes and nothing is returned.
std::optional<CardPosition> ChooseRecordFile(const SettingsProfile& settings, RecordProfile& record,
                                             std::string_view fileName);

// The record-file chooser: given the cabinet, returns the chosen file name, or nothing when
// cancelled. A name that is not a plain file name counts as cancelled.
using RecordFileChooser = std::function<std::optional<std::string>(const std::string& cabinet)>;
// The cabinet chooser: given the preset name, returns the chosen cabinet, or nothing.
using CabinetChooser = std::function<std::optional<std::string>(const std::string& preset)>;
// The label-size chooser: given the current slot (0 when none), returns the chosen slot, or
// nothing when cancelled.
using LabelSlotChooser = std::function<std::optional<std::int32_t>(std::int32_t current)>;

// Makes cabinet current and asks for a record file in it (a cabinet switch always asks).
// Returns the new card position when a record file was chosen.
std::optional<CardPosition> ChooseCabinet(const SettingsProfile& settings, RecordProfile& record,
                                          const std::string& cabinet, const RecordFileChooser& chooseFile);

// Card navigation of the current record file. The caller saves the open item first.
CardPosition NextCard(const RecordProfile& record);
CardPosition PreviousCard(const RecordProfile& record);

struct ViewChoosers {
    CabinetChooser chooseCabinet;
    RecordFileChooser chooseRecordFile;
    LabelSlotChooser chooseLabelSlot;
};

// The view's start: settles the current cabinet, record file and label slot, asking with the
// choosers for whatever is not stored yet. Returns the slot prefix ("#Setting#" "Label" as
// text, "1" when none is stored).
std::string StartView(const SettingsProfile& settings, RecordProfile& record, const ViewChoosers& choosers);
