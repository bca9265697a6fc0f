#include "export/export_view.h"

#include <utility>

#include "store/items.h"
#include "store/label_sizes.h"

namespace export_tool {
namespace {

// There is no screen to ask; the image layer assumes the usual 96 dpi.
constexpr std::int32_t kScreenDpi = 96;

}  // namespace

ExportView::ExportView(const RecordLocation& location, ViewMode mode, SettingsProfile settings)
    : settings_(std::move(settings)) {
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
