// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The process-wide cursor display counter: the cursor is hidden while the
// count is below zero. Returns the new count.
int ShowCursor(bool bShow);
int CursorDisplayCount();
