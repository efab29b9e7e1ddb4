// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

class QMainWindow;
class QToolBar;

// Keeps a dockable toolbar usable while it floats. Qt floats a toolbar as a
// frameless window that other windows cover; this gives it a caption and a
// close box, keeps it above its main window (also after a click in that
// window), shows it again when a window manager loses it between a hide and a
// show, and hands the prompts of its buttons to the main window's status bar,
// as they reach it from a docked toolbar.
class CFloatingToolBar : public QObject {
public:
    CFloatingToolBar(QMainWindow& wnd, QToolBar& bar);

    // The main window has just been shown: a toolbar that floated before it
    // came up goes above it now.
    void OnMainWindowShown() { QueueDecoration(); }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool NeedsDecorating() const;
    void QueueDecoration();
    void Decorate();
    void ShowAndRecheck();
    void EnsureOnScreen();

    QMainWindow& m_wnd;
    QToolBar& m_bar;
    bool m_bQueued = false;
    int m_nShowTries = 0;
};
