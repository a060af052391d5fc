// Runs the window tests inside one QApplication, on the offscreen platform unless the
// environment chooses another (xvfb-run with QT_QPA_PLATFORM=xcb), which keeps its windows
// on the screen as the programs do.
#include <gtest/gtest.h>
#include <QApplication>

#include "ui/screen_fit.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    KeepWindowsOnScreen(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
