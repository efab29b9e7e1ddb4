// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QMenu;
class QMenuBar;

// Gives the keyboard back to the window once its menus close. Qt leaves the
// menu bar in keyboard mode after Esc closes a menu, so the next arrow key
// moves between menu titles instead of reaching the window, and a further
// Esc is needed to leave it. Here a menu closed from the keyboard ends that
// mode at once, and the one Esc that a user still presses to "leave the
// menu" is absorbed rather than taken as the window's own Esc shortcut; any
// other key or a click ends that grace.
class CMenuBarRelease : public QObject {
public:
    CMenuBarRelease(QMenuBar& bar, const QList<QMenu*>& menus);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnMenuClosed();
    void SetGrace(bool bOn);

    QMenuBar& m_bar;
    bool m_bGrace = false;
    QPointer<QWidget> m_pBefore;
};
