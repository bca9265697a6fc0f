#include "app/startup.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "store/codec.h"
#include "store/locations.h"
#include "store/storage_layout.h"

namespace {

enum class Entry { Missing, Folder, Other };

Entry EntryAt(const std::string& storedPath) {
    std::string fsPath;
    if (!locations::StoredPathToFs(storedPath, fsPath)) return Entry::Other;
    struct stat info {};
    if (lstat(fsPath.c_str(), &info) != 0) return Entry::Missing;
    if (S_ISDIR(info.st_mode)) return Entry::Folder;
    // A link to a folder serves as the folder.
    if (S_ISLNK(info.st_mode) && stat(fsPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return Entry::Folder;
    return Entry::Other;
}

void MakeFolder(const std::string& storedPath) {
    std::string fsPath;
    std::error_code ignored;  // an existing folder or a read-only medium is no reason to stop
    if (locations::StoredPathToFs(storedPath, fsPath)) std::filesystem::create_directory(fsPath, ignored);
}

void InstallCabinetFolders(const SettingsProfile& settings, const std::string& programFolder) {
    if (settings.ReadInt("Install", "First", 1) != 1) return;
    for (const std::string& folder : CabinetFolders()) MakeFolder(programFolder + folder);
    settings.WriteInt("Install", "First", 0);
    settings.Flush();
}

void RegisterValueLists(const SettingsProfile& settings) {
    if (settings.ReadInt("Lists", "Install", 0) != 0) return;
    settings.WriteInt("Lists", "Install", 1);
    const char* const lists[][2] = {
        {"氏名", "ZULDAT00.NAM"},    {"肩書き", "ZULDAT01.NAM"},  {"所属", "ZULDAT02.NAM"},
        {"読み", "ZULDAT03.NAM"},    {"その他1", "ZULDAT04.NAM"}, {"その他2", "ZULDAT05.NAM"},
        {"その他3", "ZULDAT06.NAM"}, {"その他4", "ZULDAT07.NAM"},
    };
    for (const auto& list : lists) settings.WriteString("Lists", codec::Sjis(list[0]), list[1]);
    settings.WriteInt("Lists", "Install", 1);
}

void EnsureMergeFolder(const SettingsProfile& settings, const std::string& programFolder) {
    const std::string folder = MergeFolderName(programFolder);
    if (EntryAt(folder) != Entry::Missing) return;
    MakeFolder(folder);
    settings.WriteString("Sashikomi", "Dir", folder);
}

bool IsFolder(const std::string& fsPath) {
    std::error_code ignored;
    return std::filesystem::is_directory(fsPath, ignored);
}

}  // namespace

std::string MergeFolderName(const std::string& programFolder) {
    const std::string base = programFolder + codec::Sjis("差し込み");
    if (EntryAt(base) != Entry::Other) return base;
    // Files are finite, so a free name comes; the bound only guards against a folder that
    // keeps changing underneath.
    for (int counter = 0; counter < 100000; ++counter) {
        const std::string candidate = base + std::to_string(counter);
        if (EntryAt(candidate) != Entry::Other) return candidate;
    }
    return base;
}

bool Initialise(StartupPlatform& platform, UserItemList& userItems) {
    if (platform.ProgramOnOpticalMedia()) {
        platform.ShowMessage("CD-ROMドライブ上ではデータの保存が出来ませんので実行できません");
        return false;
    }
    const std::string programFolder = locations::ProgramFolder();
    if (!locations::EnsureFolders() || programFolder.empty()) {
        platform.ShowMessage("データの保存先のフォルダー「" + locations::DataFolder() + "」と「" +
                             locations::ConfigFolder() +
                             "」を作成できないか、その名前がシフトJISで表せないため、実行できません");
        return false;
    }
    const SettingsProfile settings;
    if (IsFolder(settings.FsPath())) {
        platform.ShowMessage("設定ファイル「" + settings.FsPath() + "」がフォルダーになっているため、実行できません");
        return false;
    }

    userItems.ReloadUserItems(settings);
    InstallCabinetFolders(settings, programFolder);
    RegisterValueLists(settings);
    EnsureMergeFolder(settings, programFolder);
    settings.Flush();
    return true;
}
