#include "dialogs/qt/frame_effect_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>

#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "tests/dialogs/typing.h"

namespace {

class CEffectDlgTest : public InputDialogFixture {
protected:
    CEffectDlgTest() { StartView(); }

};

// The pictures of a list, told apart by their pixels.
QSet<QString> DistinctPictures(const QComboBox& list) {
    QSet<QString> seen;
    for (int i = 0; i < list.count(); ++i) {
        const QImage image = list.itemIcon(i).pixmap(list.iconSize()).toImage();
        seen.insert(QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), static_cast<int>(image.sizeInBytes()))
                .toHex()));
    }
    return seen;
}

}  // namespace

TEST_F(CEffectDlgTest, UpdateStoresTheKindPickedAndEscapeWritesBackTheFrameOfTheOpening) {
    int refreshes = 0;
    WhenModalOpens<CEffectDlg>([this, &refreshes](CEffectDlg& dialog) {
        auto* kind = FindChild<QComboBox>(dialog, "kind");
        EXPECT_EQ(kind->currentText(), QStringLiteral("なし"));
        EXPECT_EQ(DistinctPictures(*kind).size(), 18);
        EXPECT_EQ(DistinctPictures(*FindChild<QComboBox>(dialog, "insidePattern")).size(), 11);
        EXPECT_FALSE(FindChild<QComboBox>(dialog, "outsidePattern")->isEnabled());

        kind->setFocus();
        QTest::keyClick(kind, Qt::Key_Down);  // "長方形"
        EXPECT_TRUE(FindChild<QComboBox>(dialog, "outsidePattern")->isEnabled());
        ClickButton(dialog, "widthDown");
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "width")->text(), QStringLiteral("1"));
        ClickButton(dialog, "allSides");
        EXPECT_FALSE(FindChild<QLineEdit>(dialog, "left")->isEnabled());
        EXPECT_EQ(FindChild<QLabel>(dialog, "topLabel")->text(), QStringLiteral("幅"));
        auto* top = FindChild<QLineEdit>(dialog, "top");
        top->selectAll();
        TypeText(top, QStringLiteral("12"));
        ClickButton(dialog, "updateView");
        EXPECT_EQ(refreshes, 1);
        EXPECT_EQ(Stored("1Frame", "Frame"), "1");
        EXPECT_EQ(Stored("1Frame", "Frame1Gap"), "12");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(RunFrameEffectDialog(nullptr, view.Session(), [&] { ++refreshes; }));
    EXPECT_EQ(refreshes, 2);  // and once more as the dialog closes
    EXPECT_EQ(Stored("1Frame", "Frame"), "0");
    EXPECT_EQ(Stored("1Frame", "Frame1Gap"), "12");  // another kind keeps what "更新(&U)" wrote
}
