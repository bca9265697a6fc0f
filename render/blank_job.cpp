#include "render/blank_job.h"

#include "render/sheet.h"
#include "store/codec.h"
#include "store/profile_service.h"

bool JobDrawsText(const ViewState& view) {
    const profile::ProfileSnapshot snapshot;
    const RecordProfile& record = *view.record;
    static const std::string name = codec::Sjis("氏名");
    const std::string printKey = record.ReadString("#Setting#", "Label", "1") + "IsPrint" + name;
    for (const std::string& section : ViewCardList(view))
        if (record.ReadInt(section, printKey, 0) != 0 && !record.ReadString(section, name, "").empty()) return true;
    return false;
}
