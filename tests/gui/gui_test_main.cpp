#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "gui/shipped_files.h"

// Widgets need an application object; the tests draw nothing, so the offscreen platform
// runs them without a display.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    orvella::InitGuiResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
