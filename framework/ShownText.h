// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Text that comes from outside the program (a file's name, a player's name)
// as it is shown in menus, titles, message boxes, the status bar and tables:
// it may hold characters that would move, hide or reorder what is around it
// (a tab that pushes it into a menu's shortcut column, a right-to-left
// override that turns a file's extension round). Those are shown as visible
// placeholders, and the whole is set apart as a unit of its own direction
// (a Unicode isolate), so that it shows as it is and leaves the rest alone.

enum class TextDirection {
    kLeftToRight,  // file names and paths: the extension stays at the end
    kOwn,          // a person's name: the direction of its first letter
};

// Every control and bidirectional formatting character as a placeholder, the
// replacement character U+FFFD.
QString WithVisibleControls(const QString& strText);
// The text set apart in an isolate of the direction given, when it holds
// right-to-left letters (others need none).
QString Isolated(const QString& strText, TextDirection dir);
// Both: the text as it is to be shown.
QString ShownAsIs(const QString& strText, TextDirection dir);
// The isolates that Isolated added taken out again, for where no text is laid
// out (the error output).
QString WithoutIsolates(QString strText);
