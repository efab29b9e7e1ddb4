// SPDX-License-Identifier: GPL-3.0-or-later
// The floor the program's start is measured against: a bare Qt Widgets main
// window, shown as soon as it is made. With --text it shows one line of text
// in a status bar, as every window with a menu or a status line must: that
// brings up the font system, the largest cost of any window that shows text.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(440, 400);
    window.show();
    return QApplication::exec();
}
