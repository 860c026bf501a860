// main() of the window tests: a QApplication on the platform that ctest sets
// (xcb, on an Xvfb server; offscreen when started by hand without one) with
// the program's font substitutions, so the windows look up the same faces as
// in the program.
#include <QApplication>

#include <gtest/gtest.h>

#include "ui/base/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orvalt::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
