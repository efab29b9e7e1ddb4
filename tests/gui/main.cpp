// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests need a QApplication for the whole run. They are meant for
// Qt's offscreen platform; ctest sets it, and so does this main when nothing
// else chose one (for example when ctest lists the tests).

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "framework/FrameStyle.h"

// With --print-window-texts: prints the texts of the window in the language
// the environment asks for and returns the exit code; else returns -1
// (test_language.cpp, whose test runs this program so for each environment).
int PrintWindowTexts(int argc, char** argv);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The style the program starts with.
    UseFrameStyle();
    if (const int nCode = PrintWindowTexts(argc, argv); nCode >= 0) return nCode;
    return RUN_ALL_TESTS();
}
