// Writes the record file the export benchmark prints: FOLDER/export.ini with CARDS named cards
// of four items each (the name with a shadow), the frame, a line and a small bitmap,
// FOLDER/logo.bmp, cut lines around the tags; with "plain", the four items alone (no shadow, the
// default invisible frame, no lines, no image) and no cut lines. The settings file is the one
// of FOLDER as $ZULNAME_HOME.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/sheet_record.h"
#include "store/locations.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    const bool plain = argc == 4 && std::string(argv[3]) == "plain";
    if ((argc != 3 && !plain) || std::atoi(argv[2]) < 1) {
        std::cerr << "usage: make_export_record FOLDER CARDS [plain]\n";
        return 2;
    }
    const std::string folder = argv[1];
    bench::SheetRecordShape shape;
    shape.cards = std::atoi(argv[2]);
    shape.items = 4;
    shape.effectsOnAll = false;
    shape.nameShadow = !plain;
    shape.lines = plain ? 0 : 1;
    shape.frame = !plain;
    setenv("ZULNAME_HOME", folder.c_str(), 1);
    const std::string settings = "[PrintOptions]\r\n1NoCutLine=" + std::string(plain ? "1" : "0") + "\r\n";
    const bool decorated = plain || (WriteFile(folder + "/logo.bmp", bench::MakeBitmapFile(32, 32)) &&
                                      locations::FsPathToStored(folder + "/logo.bmp", shape.bitmapPath));
    if (!decorated || !locations::EnsureFolders() || !WriteFile(locations::SettingsFilePath(), settings) ||
        !WriteFile(folder + "/export.ini", bench::MakeSheetRecord(shape))) {
        std::cerr << "make_export_record: cannot write into " << folder << "\n";
        return 1;
    }
    return 0;
}
