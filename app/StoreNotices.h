// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CFileRegistry;
class QObject;
class QWidget;

// Tells the player what went wrong with the settings store and where the data
// is: each notice once, in a message box over the main window, or on the
// standard error when no window is shown. Writes that wait for the store
// while another program holds it are tried again while the program runs, and
// once more, for a while, as it ends.

// Shows what the store has collected so far, soon, and from now on each new
// notice soon after it comes.
void AttachStoreNotices(CFileRegistry& reg, QWidget* pWindow);
// Shows what the store has collected at once, before the caller goes on.
void ShowStoreNotices(CFileRegistry& reg, QWidget* pWindow);
// Tries the writes that wait for the store every little while, for as long
// as pOwner lives.
void RetryWaitingStoreWrites(CFileRegistry& reg, QObject* pOwner);
// As the program ends (after its last writes): makes the writes of the batch
// the store was given on the way out, waits a while for the writes that
// still wait, then says what was not saved, over the window while it is
// shown, else in one line on the error output, naming the signal (nSignal,
// when one ended the program). True when everything was saved.
bool FinishStoreAtExit(CFileRegistry& reg, QWidget* pWindow, int nSignal);
