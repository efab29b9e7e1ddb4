// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CFileRegistry;
class QWidget;

// Tells the player what went wrong with the settings store and where the data
// is: each notice once, in a message box over the main window, or on the
// standard error when no window is shown (at exit).

// Shows what the store has collected so far, soon, and from now on each new
// notice soon after it comes.
void AttachStoreNotices(CFileRegistry& reg, QWidget* pWindow);
// Shows what the store has collected at once, before the caller goes on.
void ShowStoreNotices(CFileRegistry& reg, QWidget* pWindow);
