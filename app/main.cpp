#include <cstdio>

#include "app/optical_media.h"
#include "app/startup.h"
#include "store/locations.h"

namespace {

// Until the main window exists, start-up talks on the terminal.
class ConsolePlatform : public StartupPlatform {
public:
    bool ProgramOnOpticalMedia() const override { return OnOpticalMedia(ProgramFilePath()); }
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

}  // namespace

int main() {
    ConsolePlatform platform;
    UserItemList userItems;
    if (!Initialise(platform, userItems)) return 1;
    std::printf("設定ファイル: %s\n", locations::SettingsFilePath().c_str());
    std::printf("データフォルダー: %s\n", locations::DataFolder().c_str());
    return 0;
}
