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
            view.Session(), std::vector<std::string>{}, [] {}, [] {});
        input->show();
        BmpSpec spec;
        spec.width = 200;
        spec.height = 100;
        for (int row = 0; row < spec.height; ++row) spec.bits += PadRow(std::string(600, '\x40'));
        WriteBytes(PathOf("a.bmp"), BmpFile(spec));
    }


    CardImageCache images;
    std::unique_ptr<CEnterDlg> input;
};

}  // namespace

TEST_F(CGetBmpDlgTest, ATypedImageIsPlacedAtOnceAndOkKeepsTheTypedPathEvenUnreadable) {
    const QString image = QString::fromStdString(PathOf("a.bmp"));
    WhenModalOpens<CGetBmpDlg>([&](CGetBmpDlg& dialog) {
        EXPECT_EQ(FindChild<QPushButton>(dialog, "plus")->text(), QStringLiteral("+5%"));
        EXPECT_TRUE(FindChild<QCheckBox>(dialog, "leftTop")->isChecked());
        Retype(dialog, "path", image);
        EXPECT_EQ(FindChild<QLabel>(dialog, "imageWidth")->text(), QStringLiteral("幅: 200 pixels"));
        EXPECT_FALSE(FindChild<QLabel>(dialog, "unreadable")->isVisible());
        ClickButton(dialog, "rightBottom");
        EXPECT_FALSE(FindChild<QCheckBox>(dialog, "leftTop")->isChecked());
        EXPECT_EQ(FindChild<QLineEdit>(dialog, "x")->text(), QStringLiteral("158"));
        EXPECT_FALSE(FindChild<QLineEdit>(dialog, "x")->isEnabled());
        ClickButton(dialog, "plus");
        EXPECT_EQ(FindChild<QLabel>(dialog, "zoom")->text(), QStringLiteral("105 %"));
        TypeText(FindChild<QLineEdit>(dialog, "path"), QStringLiteral("x"));
        EXPECT_TRUE(FindChild<QLabel>(dialog, "unreadable")->isVisible());
        ClickButton(dialog, "ok");
    });
    ClickButton(*input, "image");
    EXPECT_EQ(Stored("0000", "1BMP"), PathOf("a.bmpx"));
    EXPECT_EQ(Stored("0000", "1BMPx"), "158");
    EXPECT_EQ(Stored("0000", "1BMPZoom"), "105");
    EXPECT_EQ(Stored("Option", "NoBMPEdit"), "0");
    EXPECT_FALSE(FindChild<QCheckBox>(*input, "hideImage")->isChecked());
}
