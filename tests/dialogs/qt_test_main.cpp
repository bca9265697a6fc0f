// The dialogs need an application object; the tests show them offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "render/qt/offscreen.h"

int main(int argc, char** argv) {
    PreferOffscreenPlatform();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
