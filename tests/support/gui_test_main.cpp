// main() of the window tests: a QApplication on the offscreen platform with
// the program's font substitutions, so the windows look up the same faces as
// in the program.
#include <QApplication>

#include <gtest/gtest.h>

#include "shell/fonts.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orvalt::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
