// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// What a screen reader finds in a window, where Qt's own accessible objects
// would mislead it: a toolbar's separators are separators (Qt leaves them
// unnamed "fillers"); a scroll view (CScrollView) is one object, a canvas
// with the view's name and description, that takes the keyboard (its drawing
// area and scroll bars are no objects of their own, since the view scrolls
// itself to what matters); and a table (QTableWidget) is read as its column
// headings and its cells, without Qt's unnamed corner and row headings (no
// table of ours shows them). Installed once, before the first window is made.
void InstallAccessibleObjects();

// A menu's or a button's text as a screen reader says it: without the "&"
// that marks the mnemonic ("&&" is a real "&").
QString TextWithoutMnemonic(const QString& strText);
