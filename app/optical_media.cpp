#include "app/optical_media.h"

#include <sys/vfs.h>

bool OnOpticalMedia(const std::string& path) {
    struct statfs info {};
    if (statfs(path.c_str(), &info) != 0) return false;
    constexpr unsigned long kIso9660 = 0x9660;
    constexpr unsigned long kUdf = 0x15013346;
    const auto type = static_cast<unsigned long>(info.f_type);
    return type == kIso9660 || type == kUdf;
}
