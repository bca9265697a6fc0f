// Tests of windows and drawing need an application object; they run offscreen with the fonts
// the program maps at start-up.
#include <gtest/gtest.h>

#include <QApplication>

#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"

int main(int argc, char** argv) {
    PreferOffscreenPlatform();
    QApplication application(argc, argv);
    InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
