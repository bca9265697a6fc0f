#include "dialogs/qt/image_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "dialogs/qt/enter_dialog.h"
#include "render/card_image.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "tests/dialogs/typing.h"
#include "tests/render/bmp_bytes.h"

namespace {

// The image dialog as "画像指定" of the input dialog opens it.
class CGetBmpDlgTest : public InputDialogFixture {
protected:
    CGetBmpDlgTest() {
        StartView();
        view.State().image = &images;
        Store("Option", "NoBMPEdit", "1");
        input = std::make_unique<CEnterDlg>(
            view, std::vector<std::string>{}, [] {}, [] {});
        input->show();
        BmpSpec spec;
        spec.width = 200;
        spec.height = 100;
        for (int row = 0; row < spec.height; ++row) spec.bits += PadRow(std::string(600, '\x40'));
        WriteBytes(PathOf("a.bmp"), BmpFile(spec));
    }

    template <typename Widget>
    static Widget* Find(QWidget& dialog, const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void Click(QWidget& dialog, const char* button) {
        QTest::mouseClick(Find<QAbstractButton>(dialog, button), Qt::LeftButton);
    }
    static void Retype(QWidget& dialog, const char* field, const QString& text) {
        ::Retype(Find<QLineEdit>(dialog, field), text);
    }

    CardImageCache images;
    std::unique_ptr<CEnterDlg> input;
};

}  // namespace

TEST_F(CGetBmpDlgTest, ATypedImageIsPlacedAtOnceAndOkKeepsTheTypedPathEvenUnreadable) {
    const QString image = QString::fromStdString(PathOf("a.bmp"));
    WhenModalOpens<CGetBmpDlg>([&](CGetBmpDlg& dialog) {
        EXPECT_EQ(Find<QPushButton>(dialog, "plus")->text(), QStringLiteral("+5%"));
        EXPECT_TRUE(Find<QCheckBox>(dialog, "leftTop")->isChecked());
        Retype(dialog, "path", image);
        EXPECT_EQ(Find<QLabel>(dialog, "imageWidth")->text(), QStringLiteral("幅: 200 pixels"));
        EXPECT_FALSE(Find<QLabel>(dialog, "unreadable")->isVisible());
        Click(dialog, "rightBottom");
        EXPECT_FALSE(Find<QCheckBox>(dialog, "leftTop")->isChecked());
        EXPECT_EQ(Find<QLineEdit>(dialog, "x")->text(), QStringLiteral("158"));
        EXPECT_FALSE(Find<QLineEdit>(dialog, "x")->isEnabled());
        Click(dialog, "plus");
        EXPECT_EQ(Find<QLabel>(dialog, "zoom")->text(), QStringLiteral("105 %"));
        TypeText(Find<QLineEdit>(dialog, "path"), QStringLiteral("x"));
        EXPECT_TRUE(Find<QLabel>(dialog, "unreadable")->isVisible());
        Click(dialog, "ok");
    });
    Click(*input, "image");
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("a.bmpx"));
    EXPECT_EQ(Stored("0000", "1BMPx"), "158");
    EXPECT_EQ(Stored("0000", "1BMPZoom"), "105");
    EXPECT_EQ(Stored("Option", "NoBMPEdit"), "0");
    EXPECT_FALSE(Find<QCheckBox>(*input, "hideImage")->isChecked());
}
