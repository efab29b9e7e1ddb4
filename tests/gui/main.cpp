// The window tests need a QApplication for the whole run. They are meant for
// Qt's offscreen platform; ctest sets it, and so does this main when nothing
// else chose one (for example when ctest lists the tests).

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
