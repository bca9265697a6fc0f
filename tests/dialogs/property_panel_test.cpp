#include "dialogs/qt/property_panel.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "tests/dialogs/typing.h"
#include "tests/editing/shared_design_fixture.h"

namespace {

class CPropertyPanelTest : public SharedDesignTest {
protected:
    int refreshes = 0;
    CPropertyPanel panel{session, [this] { ++refreshes; }};
};

}  // namespace

TEST_F(CPropertyPanelTest, ControlsShowTheSelectedItemAndWriteWhatIsPickedOrTyped) {
    EXPECT_EQ(panel.findChild<QLabel*>("item")->text(), QStringLiteral("氏名"));
    EXPECT_TRUE(panel.findChild<QRadioButton*>("sameDesign")->isChecked());
    EXPECT_EQ(panel.findChild<QRadioButton*>("sameDesign")->text(), QStringLiteral("同じデザインの 3 枚"));
    EXPECT_EQ(panel.findChild<QRadioButton*>("everyone")->text(), QStringLiteral("全員 3 枚"));
    EXPECT_EQ(panel.findChild<QLabel*>("scopeNote")->text(), QStringLiteral("同じデザインの 3 枚に適用します"));

    auto* color = panel.findChild<QComboBox*>("color");
    color->activated(color->findText(QStringLiteral("赤")));
    EXPECT_EQ(Stored(2, "1" + N + "Font"), "-20 0 0 0 400 0 0 0 128 3 2 1 49 2103472");
    EXPECT_EQ(color->currentText(), QStringLiteral("赤"));

    panel.findChild<QRadioButton*>("thisCard")->click();
    QLineEdit* x = panel.findChild<QLineEdit*>("x");
    Retype(x, QStringLiteral("10"));
    x->editingFinished();
    EXPECT_EQ(Stored(0, "1" + N + "Xpos"), "39");
    EXPECT_EQ(Stored(1, "1" + N + "Xpos"), "10");

    session.SelectItem(A);  // clicked on the tag
    EXPECT_EQ(panel.findChild<QLineEdit*>("text")->text(), QStringLiteral("東京"));
    EXPECT_FALSE(panel.findChild<QCheckBox*>("ruby")->isEnabled());
    EXPECT_EQ(refreshes, 2);
}
