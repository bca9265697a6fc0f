// Drawing with Qt needs an application object for its fonts; the tests draw offscreen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "render/qt/font_substitutes.h"
#include "render/qt/offscreen.h"

int main(int argc, char** argv) {
    PreferOffscreenPlatform();
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
