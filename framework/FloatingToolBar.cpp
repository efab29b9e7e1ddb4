// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FloatingToolBar.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace {
// How long the window manager is given to take a window just shown.
constexpr int kSettleMs = 100;
// How often a drag is looked at until the toolbar is let go.
constexpr int kDragPollMs = 50;
}  // namespace

CFloatingToolBar::CFloatingToolBar(QMainWindow& wnd, QToolBar& bar)
    : QObject(&bar), m_wnd(wnd), m_bar(bar) {
    m_bar.installEventFilter(this);
    connect(&m_bar, &QToolBar::topLevelChanged, this, [this] { Decorate(); });
}

bool CFloatingToolBar::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched != &m_bar) return false;
    switch (pEvent->type()) {
        case QEvent::Show:
        case QEvent::ParentChange:
            // The toolbar sets its own frameless flags whenever it floats anew
            // (a drag, a restored state): put the caption back after it.
            QueueDecoration();
            break;
        case QEvent::StatusTip:
            // A prompt travels up to the first window and stops there: from a
            // floating toolbar it would never reach the main window.
            if (m_bar.isWindow()) {
                QStatusTipEvent tip(static_cast<QStatusTipEvent*>(pEvent)->tip());
                QCoreApplication::sendEvent(&m_wnd, &tip);
                return true;
            }
            break;
        default:
            break;
    }
    return false;
}

bool CFloatingToolBar::NeedsDecorating() const {
    if (!m_bar.isFloating()) return false;
    const Qt::WindowFlags flags = m_bar.windowFlags();
    if ((flags & Qt::FramelessWindowHint) != 0 || (flags & Qt::WindowTitleHint) == 0) return true;
    // Shown before the main window was: not yet kept above it.
    const QWindow* pWindow = m_bar.windowHandle();
    return !m_bar.isHidden() && m_wnd.isVisible() && pWindow != nullptr &&
           pWindow->transientParent() != m_wnd.windowHandle();
}

void CFloatingToolBar::QueueDecoration() {
    if (!NeedsDecorating() || m_bQueued) return;
    m_bQueued = true;
    // A moment later: the window manager is still taking the window the
    // toolbar has just shown.
    QTimer::singleShot(kSettleMs, this, [this] { Decorate(); });
}

void CFloatingToolBar::Decorate() {
    m_bQueued = false;
    if (!m_bar.isFloating()) return;
    if (QApplication::mouseButtons() != Qt::NoButton) {
        // Still being dragged: the toolbar moves itself until it is let go.
        m_bQueued = true;
        QTimer::singleShot(kDragPollMs, this, [this] { Decorate(); });
        return;
    }
    // Until the main window is on screen the toolbar is left as it is; it is
    // done again when the window shows.
    if (!m_wnd.isVisible() || !NeedsDecorating()) return;
    const Qt::WindowFlags flags =
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    const bool bShown = !m_bar.isHidden();
    if ((m_bar.windowFlags() & (Qt::FramelessWindowHint | Qt::WindowTitleHint)) !=
        Qt::WindowTitleHint) {
        // The buttons stay where they were; the caption goes above them.
        const QRect rc = m_bar.geometry();
        m_bar.setWindowFlags(flags);
        m_bar.setGeometry(rc);
    }
    if (!bShown) return;
    // It belongs to the main window, known as such before it is shown: kept
    // above it, also when the main window is clicked.
    m_bar.createWinId();
    if (QWindow* pWindow = m_bar.windowHandle()) pWindow->setTransientParent(m_wnd.windowHandle());
    m_nShowTries = 3;
    ShowAndRecheck();
}

void CFloatingToolBar::ShowAndRecheck() {
    m_bar.show();
    m_bar.raise();
    QTimer::singleShot(kSettleMs * 3, this, [this] { EnsureOnScreen(); });
}

void CFloatingToolBar::EnsureOnScreen() {
    // A window shown again right after it was hidden can be lost between the
    // hide and the show by a window manager still withdrawing it: show it once more.
    if (m_bar.isHidden() || !m_bar.isFloating() || m_nShowTries <= 0) return;
    const QWindow* pWindow = m_bar.windowHandle();
    if (pWindow == nullptr || pWindow->isExposed()) return;
    --m_nShowTries;
    m_bar.hide();
    QTimer::singleShot(kSettleMs, this, [this] {
        if (m_bar.isFloating()) ShowAndRecheck();
    });
}
