// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "framework/FrameWnd.h"

// The main window's menu, toolbar and accelerators, in the current language.
// The accelerator table is the one list of keys: the key shown beside a menu
// item is taken from it.
FrameBars MainFrameBars();

// The key of command nID as the menus name it ("Ctrl+H", "Break"); empty
// when no key runs it.
QString CommandKeyName(unsigned nID);
// Where command nID stands in the menus, as a screen reader would say it
// ("Game > New..."); empty when no menu holds it.
QString MenuPath(unsigned nID);

// How many recent files the Game menu lists.
inline constexpr unsigned kRecentFileCount = 4;

// Width of the score pane (pane kScorePane) when its text needs no more.
inline constexpr int kScorePaneMinWidth = 80;

// What a screen reader calls the board, in the current language.
QString BoardAccessibleName();
// What a screen reader calls the corner that one drags to resize a window.
QString SizeGripAccessibleName();
