#include <gtest/gtest.h>

#include <algorithm>

#include "editing/tag_editor.h"
#include "store/profile_service.h"
#include "tests/editing/shared_design_fixture.h"

namespace {

class TagEditorTest : public SharedDesignTest {
protected:
    TagEditor editor{session};
};

}  // namespace

TEST_F(TagEditorTest, APressOnTextSelectsTheTopmostItemAndElsewhereChangesNothing) {
    EXPECT_EQ(session.Scope(), DesignScope::SameDesign);
    EXPECT_TRUE(editor.Press(40, 25, 3));  // where both boxes overlap: 所属 is drawn last
    EXPECT_EQ(session.SelectedItem(), A);
    editor.Cancel();
    EXPECT_FALSE(editor.Press(200, 200, 3));
    EXPECT_EQ(session.SelectedItem(), A);
    const std::optional<ItemBox> box = editor.SelectedBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(std::make_pair(box->left, box->bottom), std::make_pair(30, 40));
}

TEST_F(TagEditorTest, ADragSnapsToTheTagsCentreAndCentresTheItemOnEveryCardOfTheDesignInOneUndoStep) {
    ASSERT_TRUE(editor.Press(20, 15, 3));
    // The name's middle (30) lands 2 short of the tag's centre line (179), 50 lower.
    const std::optional<TagDrag> drag = editor.Drag(167, 65, 5);
    ASSERT_TRUE(drag);
    ASSERT_EQ(drag->guides.size(), 1u);
    EXPECT_TRUE(drag->guides[0].vertical);
    EXPECT_EQ(drag->guides[0].at, 179);
    EXPECT_EQ(drag->box.left + drag->box.right, 358);
    EXPECT_EQ(session.State().preview->ypos, 60);  // drawn where it goes before anything is stored
    EXPECT_EQ(Stored(0, "1" + N + "Ypos"), "10");

    profile::ProfileService::Instance().EndUndoStep();
    EXPECT_TRUE(editor.Release(167, 65, 5));
    EXPECT_FALSE(session.State().preview);
    for (int card = 0; card < 3; ++card) {
        EXPECT_EQ(Stored(card, "1" + N + "PrintPos"), "2");
        EXPECT_EQ(Stored(card, "1" + N + "Ypos"), "60");
    }
    EXPECT_EQ(Stored(2, N), S("鈴木"));
    profile::ProfileService::Instance().EndUndoStep();
    profile::ProfileService::Instance().Undo(PathOf("r.ini"));
    for (int card = 0; card < 3; ++card) EXPECT_EQ(Stored(card, "1" + N + "Ypos"), "10");
}

TEST_F(TagEditorTest, WithoutSnappingTheItemGoesWhereDroppedOnThisCardAloneWritingOnlyWhatChanged) {
    session.SetScope(DesignScope::ThisCard);
    ASSERT_TRUE(editor.Press(20, 15, 3));
    EXPECT_TRUE(editor.Release(167, 15, 0));
    EXPECT_EQ(Stored(0, "1" + N + "Xpos"), "157");
    EXPECT_EQ(Stored(0, "1" + N + "PrintPos"), "(none)");  // free already
    EXPECT_EQ(Stored(0, "1" + N + "Ypos"), "10");
    EXPECT_EQ(Stored(1, "1" + N + "Xpos"), "10");           // this card only
    // Its design is now its own: the next change goes to it alone by default.
    session.ResetScope();
    EXPECT_EQ(session.Scope(), DesignScope::ThisCard);
}

TEST_F(TagEditorTest, ACornerGripSizesTheFontByTheHeightDragged) {
    session.SelectItem(N);
    ASSERT_TRUE(editor.Press(51, 31, 3));  // the bottom-right corner of (10, 10)–(50, 30)
    const std::optional<TagDrag> drag = editor.Drag(51, 51, 5);
    ASSERT_TRUE(drag);
    EXPECT_EQ(drag->box.Height(), 40);
    EXPECT_TRUE(editor.Release(51, 51, 5));
    for (int card = 0; card < 3; ++card) EXPECT_EQ(Stored(card, "1" + N + "Font"), "-40 0 0 0 400 0 0 0 128 3 2 1 49 0");
    EXPECT_EQ(Stored(0, "1" + N + "Xpos"), "10");
}

TEST_F(TagEditorTest, ADecorativeLineOffersItsEdgeAndTheNamesGapBelowIt) {
    // A line 2 thick at 50 under the name, whose bottom is at 30: 19 clear above the line.
    for (const auto& [key, value] : {std::pair{"sx", "10"}, {"sy", "50"}, {"ex", "300"}, {"ey", "50"}, {"Width", "2"}})
        session.Record().WriteString("0000", std::string("1Line1") + key, value);
    session.Record().Flush();
    const auto rowGuide = [](const TagDrag& drag) {
        const auto found = std::find_if(drag.guides.begin(), drag.guides.end(), [](const SnapGuide& g) { return !g.vertical; });
        return found == drag.guides.end() ? -1 : found->at;
    };
    ASSERT_TRUE(editor.Press(40, 25, 3));  // 所属, top 20
    std::optional<TagDrag> drag = editor.Drag(40, 73, 5);  // its top to 68
    ASSERT_TRUE(drag);
    EXPECT_EQ(rowGuide(*drag), 70);  // 51, the line's lower edge, and the same 19 below it
    EXPECT_EQ(drag->box.top, 70);
    drag = editor.Drag(40, 58, 5);  // its top to 53
    ASSERT_TRUE(drag);
    EXPECT_EQ(rowGuide(*drag), 51);
    EXPECT_TRUE(editor.Release(40, 73, 5));
    EXPECT_EQ(Stored(0, "1" + A + "Ypos"), "70");
}
