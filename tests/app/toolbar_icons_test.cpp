#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "app/menus.h"
#include "app/qt/toolbar_icons.h"

namespace {

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return count;
}

std::vector<CommandId> ToolbarCommands() {
    std::vector<CommandId> commands;
    for (const auto* bar : {&FirstToolbar(), &SecondToolbar()}) {
        for (const ToolbarPosition& position : *bar) {
            if (position) commands.push_back(*position);
        }
    }
    return commands;
}

}  // namespace

TEST(ToolbarIconsTest, EveryButtonHasItsOwnPicture) {
    std::vector<QImage> pictures;
    for (CommandId id : ToolbarCommands()) {
        const QIcon icon = CommandIcon(id);
        ASSERT_FALSE(icon.isNull()) << Command(id).caption;
        const QImage picture = icon.pixmap(QSize(16, 16), 1.0).toImage();
        EXPECT_GT(OpaquePixels(picture), 12) << Command(id).caption;
        for (const QImage& other : pictures) EXPECT_NE(picture, other) << Command(id).caption;
        pictures.push_back(picture);
    }
    EXPECT_TRUE(CommandIcon(CommandId::Exit).isNull());
}

TEST(ToolbarIconsTest, HighResolutionPicturesAreDrawnAtTheirPixelSize) {
    const QIcon icon = CommandIcon(CommandId::Print);
    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    // Drawn anew rather than enlarged: the double-size picture is not the normal one scaled up.
    const QImage enlarged = icon.pixmap(QSize(16, 16), 1.0).toImage().scaled(32, 32);
    EXPECT_NE(sharp.toImage().convertToFormat(QImage::Format_ARGB32), enlarged.convertToFormat(QImage::Format_ARGB32));
}

TEST(ToolbarIconsTest, DisabledPicturesAreGrey) {
    const QImage disabled = CommandIcon(CommandId::FileOpen).pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
    const QImage normal = CommandIcon(CommandId::FileOpen).pixmap(QSize(16, 16), 1.0).toImage();
    EXPECT_EQ(OpaquePixels(disabled), OpaquePixels(normal));
    for (int y = 0; y < disabled.height(); ++y) {
        for (int x = 0; x < disabled.width(); ++x) {
            const QRgb pixel = disabled.pixel(x, y);
            if (qAlpha(pixel) == 0) continue;
            EXPECT_EQ(qRed(pixel), qGreen(pixel));
            EXPECT_EQ(qGreen(pixel), qBlue(pixel));
        }
    }
    EXPECT_FALSE(ProgramIcon().pixmap(QSize(32, 32), 1.0).isNull());
}
