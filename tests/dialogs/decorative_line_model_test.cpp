#include "dialogs/decorative_line_model.h"

#include <gtest/gtest.h>

#include <sstream>

#include "render/card_reading.h"
#include "render/decorative_lines.h"
#include "render/trace_surface.h"
#include "tests/dialogs/decoration_platform_fake.h"
#include "tests/support/temp_home.h"

namespace {

using Fields = std::array<std::string, DecorativeLineModel::kFieldCount>;

class DecorativeLineModelTest : public TempHomeTest {
protected:
    DecorativeLineModelTest() { record.SetPath(Home() + "/r.ini"); }

    DecorativeLineModel& Open(std::int32_t line, std::int32_t slot) {
        model.emplace(platform, record, line, slot, "0000");
        model->OnOpen();
        return *model;
    }
    std::string Stored(const std::string& key) const { return record.ReadString("0000", key, "(none)"); }
    // What the tag shows of line 1 on slot 1.
    std::string Drawn() const {
        ViewState view;
        view.record = &record;
        std::ostringstream trace;
        TraceSurface surface(trace, 100, 100, false);
        DrawCardLine(surface, 0, 0, ReadLine(SectionReader(record, "0000"), LineKeys(view.slotPrefix, "1")));
        return trace.str();
    }

    RecordProfile record;
    FakeDecorationPlatform platform;
    std::optional<DecorativeLineModel> model;
};

}  // namespace

TEST_F(DecorativeLineModelTest, ANewLineOpensAtZeroOneWideAndOkStoresItUndrawn) {
    DecorativeLineModel& dialog = Open(1, 1);
    EXPECT_EQ(dialog.fields, (Fields{"0", "0", "0", "0", "1"}));
    dialog.OnOk();
    for (const char* key : {"1Line1sx", "1Line1sy", "1Line1ex", "1Line1ey"}) EXPECT_EQ(Stored(key), "0") << key;
    EXPECT_EQ(Stored("1Line1Width"), "1");
    EXPECT_EQ(Drawn().find("line"), std::string::npos) << Drawn();
    EXPECT_EQ(platform.refreshes, 0);  // the opener redraws after OK
}

TEST_F(DecorativeLineModelTest, EachSlotAndLineHasItsOwnKeysAndTextIsStoredAsTyped) {
    record.WriteString("0000", "2Line3sx", "12");
    record.WriteString("0000", "2Line3Width", "4");
    record.WriteString("0000", "1Line3sx", "99");
    DecorativeLineModel& dialog = Open(3, 2);
    EXPECT_EQ(dialog.fields, (Fields{"12", "0", "0", "0", "4"}));
    EXPECT_EQ(dialog.Key("Col"), "2Line3Col");

    dialog.fields = {"5", "abc", "-7", "300", "0"};
    dialog.OnOk();
    EXPECT_EQ(Stored("2Line3sx"), "5");
    EXPECT_EQ(Stored("2Line3sy"), "abc");
    EXPECT_EQ(Stored("2Line3ex"), "-7");
    EXPECT_EQ(Stored("2Line3ey"), "300");
    EXPECT_EQ(Stored("2Line3Width"), "0");
    EXPECT_EQ(Stored("1Line3sx"), "99");
    EXPECT_EQ(Stored("2Line1sx"), "(none)");
}

TEST_F(DecorativeLineModelTest, ColourAndUpdateAreStoredAtOnceAndDrawn) {
    DecorativeLineModel& dialog = Open(1, 1);
    dialog.OnColor();  // cancelled
    EXPECT_EQ(Stored("1Line1Col"), "(none)");

    EXPECT_EQ(dialog.color, Rgb(0, 0, 0));
    platform.choice = Rgb(255, 0, 0);
    dialog.OnColor();
    EXPECT_EQ(platform.offered, (std::vector<ColorRef>{0, 0}));  // always from black
    EXPECT_EQ(dialog.color, Rgb(255, 0, 0)) << "the button shows the chosen colour";
    dialog.fields = {"10", "0", "0", "20", "3"};
    dialog.OnUpdateView();
    EXPECT_EQ(platform.refreshes, 2);
    EXPECT_NE(Drawn().find("line 10 0 0 -20 pen=solid:3:ff0000"), std::string::npos) << Drawn();
    EXPECT_EQ(Open(1, 1).color, Rgb(255, 0, 0)) << "opened again, it shows the stored colour";
}
