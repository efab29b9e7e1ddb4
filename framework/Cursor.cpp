// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int g_nCursorCount = 0;
}  // namespace

int ShowCursor(bool bShow) {
    const bool bWasHidden = g_nCursorCount < 0;
    g_nCursorCount += bShow ? 1 : -1;
    const bool bHidden = g_nCursorCount < 0;
    if (bHidden && !bWasHidden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    } else if (!bHidden && bWasHidden) {
        QGuiApplication::restoreOverrideCursor();
    }
    return g_nCursorCount;
}

int CursorDisplayCount() {
    return g_nCursorCount;
}
