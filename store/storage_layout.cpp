#include "store/storage_layout.h"

#include <cstdio>

#include "store/codec.h"
#include "store/label_sizes.h"
#include "store/locations.h"
#include "store/plain_name.h"

namespace {

constexpr const char* kSettingSection = "#Setting#";

struct Cabinet {
    const char* displayName;  // UTF-8
    const char* folder;
};

constexpr Cabinet kCabinets[] = {
    {"常用", "Always"},   {"来賓", "Guests"},        {"スタッフ", "Staff"},    {"生徒", "Students"},
    {"教員", "Teachers"}, {"ボランティア", "Volun"}, {"プライベート", "Private"}, {"その他", "Other"},
};

}  // namespace

const std::vector<std::string>& CabinetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const Cabinet& cabinet : kCabinets) list.push_back(codec::Sjis(cabinet.displayName));
        return list;
    }();
    return names;
}

const std::vector<std::string>& CabinetFolders() {
    static const std::vector<std::string> folders = [] {
        std::vector<std::string> list;
        for (const Cabinet& cabinet : kCabinets) list.emplace_back(cabinet.folder);
        return list;
    }();
    return folders;
}

std::string CabinetFolderName(std::string_view cabinet) {
    const std::vector<std::string>& names = CabinetNames();
    for (std::size_t i = 0; i + 1 < names.size(); ++i)
        if (names[i] == cabinet) return CabinetFolders()[i] + "/";
    return CabinetFolders().back() + "/";
}

std::string RecordFilePath(std::string_view cabinet, std::string_view fileName) {
    return locations::ProgramFolder() + CabinetFolderName(cabinet) + std::string(fileName);
}

std::string CardSectionName(std::int32_t card) {
    char name[16];
    std::snprintf(name, sizeof name, "%.4d", card);
    return name;
}

std::string BackSectionName(std::string_view slotPrefix) { return std::string(slotPrefix) + "Back"; }

std::string BackFrameSectionName(std::string_view slotPrefix) { return BackSectionName(slotPrefix) + "Frame"; }

std::optional<CardPosition> ChooseRecordFile(const SettingsProfile& settings, RecordProfile& record,
                                             std::string_view fileName) {
    if (!IsPlainFileName(fileName)) return std::nullopt;
    const std::string path = RecordFilePath(record.Cabinet(), fileName);
    settings.WriteString("CurrentIni", record.Cabinet(), path);
    settings.Flush();
    record.SetPath(path);
    record.Flush();
    return CardPosition{record.ReadInt(kSettingSection, "CurID", 0), record.ReadInt(kSettingSection, "Max", 0)};
}

std::optional<CardPosition> ChooseCabinet(const SettingsProfile& settings, RecordProfile& record,
                                          const std::string& cabinet, const RecordFileChooser& chooseFile) {
    settings.WriteString("Current", "Genre", cabinet);
    settings.Flush();
    record.SetCabinet(cabinet);
    const std::optional<std::string> fileName = chooseFile(cabinet);
    if (!fileName) return std::nullopt;
    return ChooseRecordFile(settings, record, *fileName);
}

CardPosition NextCard(const RecordProfile& record) {
    CardPosition position{record.ReadInt(kSettingSection, "CurID", 0), record.ReadInt(kSettingSection, "Max", 0)};
    ++position.current;
    if (position.current > position.max) {
        position.max = position.current;
        record.WriteInt(kSettingSection, "Max", position.max);
    }
    record.WriteInt(kSettingSection, "CurID", position.current);
    record.Flush();
    return position;
}

CardPosition PreviousCard(const RecordProfile& record) {
    CardPosition position{record.ReadInt(kSettingSection, "CurID", 0), record.ReadInt(kSettingSection, "Max", 0)};
    if (position.current <= 0) return position;
    --position.current;
    record.WriteInt(kSettingSection, "CurID", position.current);
    record.Flush();
    return position;
}

std::string StartView(const SettingsProfile& settings, RecordProfile& record, const ViewChoosers& choosers) {
    std::string cabinet = settings.ReadString("Current", "Genre", "");
    if (cabinet.empty()) {
        if (const std::optional<std::string> chosen = choosers.chooseCabinet(CabinetNames().front())) {
            cabinet = *chosen;
            settings.WriteString("Current", "Genre", cabinet);
        }
    }
    record.SetCabinet(cabinet);

    // Without a cabinet there is no folder to choose a record file in, and without a record file
    // no slot to store: the next start asks again.
    std::string path = cabinet.empty() ? std::string() : settings.ReadString("CurrentIni", cabinet, "");
    if (path.empty() && !cabinet.empty()) {
        const std::optional<std::string> fileName = choosers.chooseRecordFile(cabinet);
        if (fileName && IsPlainFileName(*fileName)) {
            path = RecordFilePath(cabinet, *fileName);
            settings.WriteString("CurrentIni", cabinet, path);
        }
    }
    settings.Flush();
    record.SetPath(path);

    if (!path.empty() && StoredSlot(record) == 0) {
        if (const std::optional<std::int32_t> slot = choosers.chooseLabelSlot(0)) SetCurrentSlot(record, *slot);
    }
    const std::string prefix = SlotPrefix(record);
    record.Flush();
    return prefix;
}
