// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/MenuBarRelease.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

CMenuBarRelease::CMenuBarRelease(QMenuBar& bar, const QList<QMenu*>& menus)
    : QObject(&bar), m_bar(bar) {
    // The widget that had the keyboard before the bar took it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* pOld, QWidget* pNow) {
        if (pNow == &m_bar && pOld != nullptr && pOld->window() == m_bar.window()) m_pBefore = pOld;
    });
    for (QMenu* pMenu : menus) {
        // Once the closing is over: Esc sets the keyboard mode after hiding
        // the menu, and Left or Right opens the next menu after it.
        connect(pMenu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, [this] { OnMenuClosed(); }); });
    }
}

void CMenuBarRelease::OnMenuClosed() {
    if (QApplication::activePopupWidget() != nullptr) return;  // another menu is open
    // Only a menu left by the keyboard leaves the bar in keyboard mode; one
    // closed by a command or a click has given the focus back already.
    if (!m_bar.hasFocus()) return;
    // Losing the focus ends the menu bar's keyboard mode.
    QWidget* pBack = m_pBefore;
    if (pBack == nullptr || !pBack->isVisible()) pBack = m_bar.window();
    pBack->setFocus(Qt::OtherFocusReason);
    SetGrace(true);
}

void CMenuBarRelease::SetGrace(bool bOn) {
    if (bOn == m_bGrace) return;
    m_bGrace = bOn;
    if (bOn) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool CMenuBarRelease::eventFilter(QObject* pWatched, QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            auto* pKey = static_cast<QKeyEvent*>(pEvent);
            if (pKey->key() != Qt::Key_Escape) {
                if (pEvent->type() == QEvent::KeyPress) SetGrace(false);
                break;
            }
            // Claimed as the shortcut's override so that no shortcut sees it,
            // then swallowed as a key press.
            pKey->accept();
            if (pEvent->type() == QEvent::KeyPress) SetGrace(false);
            return true;
        }
        case QEvent::MouseButtonPress:
            SetGrace(false);
            break;
        default:
            break;
    }
    return QObject::eventFilter(pWatched, pEvent);
}
