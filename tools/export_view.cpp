#include "tools/export_view.h"

#include <filesystem>
#include <system_error>

#include "store/items.h"
#include "store/label_sizes.h"
#include "store/locations.h"

namespace export_tool {
namespace {

// There is no screen to ask; the image layer assumes the usual 96 dpi.
constexpr std::int32_t kScreenDpi = 96;

bool IsRegularFile(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(fsPath, error);
}

}  // namespace

bool FindRecordFile(const std::string& commandLinePath, RecordLocation& location, std::string& problem) {
    if (!commandLinePath.empty()) {
        std::error_code error;
        const std::string absolute = std::filesystem::absolute(commandLinePath, error).lexically_normal().string();
        if (error || !IsRegularFile(absolute)) {
            problem = "no record file " + commandLinePath;
            return false;
        }
        if (!locations::FsPathToStored(absolute, location.storedPath)) {
            problem = "the name of " + commandLinePath + " cannot be stored in code page 932";
            return false;
        }
        return true;
    }
    const SettingsProfile settings;
    location.cabinet = settings.ReadString("Current", "Genre", "");
    location.storedPath = settings.ReadString("CurrentIni", location.cabinet, "");
    std::string fsPath;
    if (location.storedPath.empty() || !locations::StoredPathToFs(location.storedPath, fsPath)) {
        problem = "no current record file in " + locations::SettingsFilePath() + "; name one with --record";
        return false;
    }
    if (!IsRegularFile(fsPath)) {
        problem = "no record file " + fsPath;
        return false;
    }
    return true;
}

ExportView::ExportView(const RecordLocation& location, ViewMode mode) {
    record_.SetCabinet(location.cabinet);
    record_.SetPath(location.storedPath);
    UserItemList userItems;
    userItems.ReloadUserItems(settings_);

    view_.settings = &settings_;
    view_.record = &record_;
    view_.mode = mode;
    view_.slot = CurrentSlot(record_);
    view_.slotPrefix = SlotPrefix(record_);
    view_.label = LabelSize(settings_, view_.slot);
    view_.userItems = userItems.UserItems();
    view_.screenDpiX = view_.screenDpiY = kScreenDpi;
    view_.adjustX = settings_.ReadInt("Disp", "AdjustX", 98);
    view_.adjustY = settings_.ReadInt("Disp", "AdjustY", 98);
    view_.image = &images_;
}

}  // namespace export_tool
