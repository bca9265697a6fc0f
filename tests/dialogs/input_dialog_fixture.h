#pragma once

#include <filesystem>
#include <sstream>

#include "render/trace_surface.h"
#include "store/storage_layout.h"
#include "tests/support/temp_home.h"
#include "view/edit_view_model.h"
#include "view/view_platform.h"

// The edit view's platform without a window: texts are measured by the trace surface (a font of
// height h gives h/2 per byte) and its choosers answer what the test sets (nothing by default).
class FakeViewPlatform : public ViewPlatform {
public:
    std::optional<std::string> ChooseCabinet(const std::string&) override { return cabinet; }
    std::optional<std::string> ChooseRecordFile(const std::string&) override { return file; }
    std::optional<std::int32_t> ChooseLabelSlot(std::int32_t) override { return slot; }
    std::optional<ColorRef> ChooseColor(ColorRef) override { return std::nullopt; }
    void OpenInputDialog() override {}
    void ScrollToTopLeft() override {}
    void RefreshAllViews() override { ++refreshes; }
    void OpenHomePage() override {}
    Surface& MeasuringSurface() override { return surface; }
    void PumpMessages() override {}

    std::optional<std::string> cabinet, file;
    std::optional<std::int32_t> slot;
    int refreshes = 0;
    std::ostringstream trace;
    TraceSurface surface{trace, 100, 100, false};
};

// The record file r.ini of the 常用 cabinet, slot 1, whose card 0000 has the name 山田 in a font
// of height 20 (10 units per byte on the trace surface), on a 358 × 216 tag.
class InputDialogFixture : public TempHomeTest {
protected:
    InputDialogFixture() {
        for (const std::string& folder : CabinetFolders()) std::filesystem::create_directories(PathOf(folder));
        WriteBytes(PathOf("Always/r.ini"), "[#Setting#]\r\nLabel=1\r\n[0000]\r\n" + N + "=" + S("山田") + "\r\n1" + N +
                                               "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n");
        settings.WriteString("Current", "Genre", S("常用"));
        settings.WriteString("CurrentIni", S("常用"), RecordFilePath(S("常用"), "r.ini"));
        settings.Flush();
    }

    // The view as "入力" leaves it: started and on the current card.
    void StartView() {
        view.Start();
        view.Execute(CommandId::Input);
    }
    // Writes into r.ini directly, before the view opens it.
    void Store(const std::string& section, const std::string& key, const std::string& value) {
        RecordProfile record;
        record.SetPath(RecordFilePath(S("常用"), "r.ini"));
        record.WriteString(section, key, value);
        record.Flush();
    }
    // A value of the view's record file, "(none)" when missing.
    std::string Stored(const std::string& section, const std::string& key) const {
        return view.Record().ReadString(section, key, "(none)");
    }

    const std::string N = S("氏名");
    const SettingsProfile settings;
    FakeViewPlatform viewPlatform;
    EditViewModel view{viewPlatform, {}};
};
