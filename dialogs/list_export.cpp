#include "dialogs/list_export.h"

#include <filesystem>

#include "lists/card_import.h"
#include "store/items.h"

const std::vector<ListExportChoice>& ListExportChoices() {
    static const std::vector<ListExportChoice> choices = {
        {"CSV UTF-8 (*.csv)", ".csv", ListOutputFormat::Csv, ListOutputEncoding::Utf8Bom},
        {"CSV Shift_JIS (*.csv)", ".csv", ListOutputFormat::Csv, ListOutputEncoding::Cp932},
        {"タブ区切り (*.tsv)", ".tsv", ListOutputFormat::Tsv, ListOutputEncoding::Utf8Bom},
        {"Excel ブック (*.xlsx)", ".xlsx", ListOutputFormat::Xlsx, ListOutputEncoding::Utf8Bom},
    };
    return choices;
}

std::string SuggestedListFile(const std::string& listFolder, const std::string& recordFsPath) {
    return (std::filesystem::path(listFolder) / std::filesystem::path(recordFsPath).stem()).string();
}

std::string ExportRecordAsList(const SettingsProfile& settings, const std::string& recordFsPath, std::string path,
                               const ListExportChoice& choice) {
    if (!std::filesystem::path(path).has_extension()) path += choice.suffix;
    const ListRows rows = CardsAsList(cards::RecordCards(recordFsPath, CurrentItemList(settings)));
    std::string error;
    if (!WriteList(path, rows, choice.format, choice.encoding, error)) return error;
    return std::to_string(rows.rows.size()) + " 人分を書き出しました: " + std::filesystem::path(path).filename().string();
}
