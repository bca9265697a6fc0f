#include "dialogs/label_size_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/profile_service.h"
#include "tests/support/temp_home.h"

namespace {

class LabelSizeModelTest : public TempHomeTest {
protected:
    std::string Card(const std::string& key) const { return settings.ReadString("Card", key, "(none)"); }

    const SettingsProfile settings;
    RecordProfile record;
};

}  // namespace

TEST_F(LabelSizeModelTest, EverySlotShowsTheBusinessCardWhenNothingIsStoredAndLoadingWritesNothing) {
    for (const std::int32_t slot : {0, 1, 2, 3, 9}) {
        LabelSizeModel model(settings, record, slot);
        model.OnOpen();
        const std::int32_t shown = slot == 2 || slot == 3 ? slot : 1;
        EXPECT_TRUE(model.slotButtons.checked[static_cast<std::size_t>(shown - 1)]) << slot;
        EXPECT_EQ(model.width, "358");
        EXPECT_EQ(model.height, "216");
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("ZULNAME.INI")));
}

TEST_F(LabelSizeModelTest, TypedAndDefaultSizesAreStoredAtOnceForTheSlotShown) {
    settings.WriteString("Card", "3w", "500");
    LabelSizeModel model(settings, record, 1);
    model.OnOpen();
    model.OnSlot(2);
    model.width = "400";
    model.OnSizeEdited();
    // Stored whatever happens to the dialog next: cancelling runs no handler.
    EXPECT_EQ(Card("2w"), "400");
    EXPECT_EQ(Card("2h"), "216");
    EXPECT_EQ(Card("1w"), "(none)");

    model.OnSlot(3);
    EXPECT_EQ(model.width, "500");
    EXPECT_EQ(Card("3h"), "(none)");  // switching writes nothing
    model.OnDefault();
    EXPECT_EQ(Card("3w"), "358");
    EXPECT_EQ(Card("3h"), "216");
    model.OnSlot(2);
    EXPECT_EQ(model.width, "400");
}

TEST_F(LabelSizeModelTest, ASizeGoesBackWithTheRecordFilesUndo) {
    record.SetPath(PathOf("r.ini"));
    WriteBytes(PathOf("r.ini"), "");
    WriteBytes(PathOf("ZULNAME.INI"), "[Card]\r\n1w=358\r\n");
    profile::ProfileService& service = profile::ProfileService::Instance();
    service.EndUndoStep();
    LabelSizeModel model(settings, record, 1);
    model.OnOpen();
    model.width = "400";
    model.OnSizeEdited();
    service.EndUndoStep();
    EXPECT_EQ(service.Undo(record.ReadFsPath()), profile::UndoResult::Done);
    EXPECT_EQ(Card("1w"), "358");
    service.ForgetUndo(record.ReadFsPath());
}
