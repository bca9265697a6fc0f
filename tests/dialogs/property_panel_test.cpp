#include "dialogs/qt/property_panel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
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

TEST_F(CPropertyPanelTest, CtrlZUndoesTheTypingInAFieldUntilItsValueIsAppliedThenTheChange) {
    QWidget window;
    panel.setParent(&window);
    const auto giveBack = qScopeGuard([this] { panel.setParent(nullptr); });
    int undone = 0, redone = 0;
    QAction undo(&window), redo(&window);
    undo.setShortcut(QKeySequence::Undo);
    redo.setShortcut(QKeySequence::Redo);
    window.addAction(&undo);
    window.addAction(&redo);
    QObject::connect(&undo, &QAction::triggered, [&undone] { ++undone; });
    QObject::connect(&redo, &QAction::triggered, [&redone] { ++redone; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QLineEdit* x = panel.findChild<QLineEdit*>("x");
    const QString shown = x->text();
    x->setFocus();
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("47.4"));
    QTest::keyClick(x, Qt::Key_Z, Qt::ControlModifier);  // typing not applied: the field's own undo
    EXPECT_EQ(undone, 0);
    EXPECT_EQ(x->text(), shown);

    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("9.5"));
    QTest::keyClick(x, Qt::Key_Return);
    EXPECT_EQ(Stored(0, "1" + N + "Xpos"), "37");
    QTest::keyClick(x, Qt::Key_Z, Qt::ControlModifier);  // applied: the program's undo
    EXPECT_EQ(undone, 1);
    QTest::keyClick(x, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(redone, 1);

    QLineEdit* text = panel.findChild<QLineEdit*>("text");
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("X"));  // each keystroke is applied at once
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undone, 2);
}
