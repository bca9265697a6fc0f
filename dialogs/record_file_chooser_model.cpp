#include "dialogs/record_file_chooser_model.h"

#include <filesystem>
#include <system_error>

#include "dialogs/sorted_list.h"
#include "store/locations.h"
#include "store/plain_name.h"
#include "store/storage_layout.h"

namespace {

// The names of every entry of the folder that is not itself a folder nor hidden: hidden files are
// the program's lock files and the temporary copies of a save, never record files. A name that
// code page 932 cannot hold is left out: it could be neither stored as a record-file path nor
// named again through the stored text, so offering it would only lead to a different file.
std::vector<std::string> FileNames(const std::string& storedFolder) {
    std::vector<std::string> names;
    std::string fsFolder;
    if (!locations::StoredPathToFs(storedFolder, fsFolder)) return names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(fsFolder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (it->is_directory(statusError) || it->path().filename().string().front() == '.') continue;
        std::string stored;
        if (locations::FsPathToStored(it->path().filename().string(), stored)) names.push_back(std::move(stored));
    }
    return names;
}

}  // namespace

RecordFileChooserModel::RecordFileChooserModel(RecordFileChooserPlatform& platform, const RecordProfile& record,
                                               std::string cabinet, std::string folder, std::string presetName)
    : platform_(platform),
      record_(record),
      cabinet_(std::move(cabinet)),
      folder_(std::move(folder)),
      presetName_(std::move(presetName)) {}

void RecordFileChooserModel::OnOpen() {
    if (cabinet_.empty()) cabinet_ = record_.ReadString("Current", "Genre", CabinetNames().front());
    cabinetText = cabinet_;
    if (folder_.empty()) folder_ = locations::ProgramFolder() + CabinetFolderName(cabinet_);
    name = presetName_.empty() ? std::string(kNewRecordFileName) : presetName_;
    nameStorable = true;
    files = FileNames(folder_);
    sorted_list::Sort(files);
}

void RecordFileChooserModel::OnDoubleClick(int index) {
    if (index < 0 || index >= static_cast<int>(files.size())) return;
    name = files[index];
    nameStorable = true;
}

bool RecordFileChooserModel::OnOk() {
    if (!NameIsUsable()) {
        platform_.Beep();
        platform_.FocusNameField();
        return false;
    }
    result_ = name;
    return true;
}

void RecordFileChooserModel::OnCancel() { result_.reset(); }

// The name becomes a file inside the cabinet folder: a name that is empty, that would climb out
// of the folder or into another one, or that the file system would cut short is refused.
bool RecordFileChooserModel::NameIsUsable() const { return nameStorable && IsPlainFileName(name); }
