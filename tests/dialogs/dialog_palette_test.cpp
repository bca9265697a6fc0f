#include "dialogs/qt/dialog_palette.h"
#include "dialogs/qt/ui_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// Relative luminance and contrast ratio as the web accessibility guidelines define them.
double Luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least the guidelines ask of large text and of controls: captions stay readable.
constexpr double kReadable = 3.0;

}  // namespace

TEST(DialogPaletteTest, DisabledTextIsReadableOnTheGreyButStillLooksDisabled) {
    const QPalette palette = DialogPalette(QApplication::palette());
    const QColor background = palette.color(QPalette::Disabled, QPalette::Window);
    EXPECT_EQ(background, QColor(192, 192, 192));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        const QColor text = palette.color(QPalette::Disabled, role);
        EXPECT_GE(Contrast(text, background), kReadable) << role;
        EXPECT_GE(Contrast(text, palette.color(QPalette::Disabled, QPalette::Button)), kReadable) << role;
        // Enabled captions are black: a disabled one must be told apart at a glance.
        EXPECT_GE(Contrast(text, palette.color(QPalette::Active, role)), 1.5) << role;
    }
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
}

TEST(DialogPaletteTest, DisabledCaptionsOfADialogAreDrawnReadably) {
    InstallDialogPalette();
    QDialog dialog;
    auto* cropMarks = new QCheckBox(QStringLiteral("Crop marks"), &dialog);
    auto* caption = new QLabel(QStringLiteral("XXXX"), &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(cropMarks);
    layout->addWidget(caption);
    cropMarks->setEnabled(false);
    caption->setEnabled(false);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    const QColor background = caption->palette().color(QPalette::Disabled, QPalette::Window);
    EXPECT_EQ(background, QColor(192, 192, 192));
    EXPECT_GE(Contrast(cropMarks->palette().color(QPalette::Disabled, QPalette::WindowText), background), kReadable);

    // The darkest pixel of the drawn caption is its text colour (antialiasing only lightens).
    const QImage drawn = caption->grab().toImage();
    QColor darkest = background;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (Luminance(drawn.pixelColor(x, y)) < Luminance(darkest)) darkest = drawn.pixelColor(x, y);
    EXPECT_GE(Contrast(darkest, background), kReadable) << darkest.name().toStdString();
}

TEST(JapaneseUiFontTest, ADesktopFontWithoutJapaneseGivesWayToAJapaneseOne) {
    const QFont latin(QStringLiteral("DejaVu Sans"), 11);
    const QStringList installed = {QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
    const QFont chosen = JapaneseUiFont(latin, installed);
    EXPECT_EQ(chosen.families(), QStringList{QStringLiteral("IPAPGothic")});
    EXPECT_EQ(chosen.pointSize(), 11) << "the desktop's size stays";
    EXPECT_EQ(JapaneseUiFont(QFont(QStringLiteral("IPAGothic")), installed).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(JapaneseUiFont(latin, {QStringLiteral("DejaVu Sans")}).family(), latin.family()) << "none to choose";
}
