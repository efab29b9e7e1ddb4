// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FramePlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

void CenterOverWindow(QWidget& dlg, const QWidget* pOver) {
    const QWidget* pWindow = pOver != nullptr ? pOver->window() : nullptr;
    if (pWindow == nullptr || !pWindow->isVisible()) return;
    const QMargins margins =
        pWindow->windowHandle() != nullptr ? pWindow->windowHandle()->frameMargins() : QMargins();
    QRect rc(QPoint(0, 0), dlg.size().grownBy(margins));
    rc.moveCenter(pWindow->frameGeometry().center());
    if (const QScreen* pScreen = pWindow->screen()) {
        const QRect rcArea = pScreen->availableGeometry();
        rc.moveLeft(std::max(rcArea.left(), std::min(rc.left(), rcArea.right() + 1 - rc.width())));
        rc.moveTop(std::max(rcArea.top(), std::min(rc.top(), rcArea.bottom() + 1 - rc.height())));
    }
    // A top-level window's position is its frame's; but once the window
    // exists, Qt takes a new one with the frame it knows of, none before the
    // window manager has framed it: the frame to come is added.
    QPoint pt = rc.topLeft();
    if (dlg.testAttribute(Qt::WA_WState_Created)) {
        pt += QPoint(margins.left(), margins.top()) - (dlg.geometry().topLeft() - dlg.pos());
    }
    dlg.move(pt);
}

CFramePlacement::CFramePlacement(QWidget& wnd) : QObject(&wnd), m_wnd(wnd) {
    m_wnd.installEventFilter(this);
}

bool CFramePlacement::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == &m_wnd) {
        switch (pEvent->type()) {
            case QEvent::WindowStateChange:
                OnStateChanged();
                break;
            case QEvent::Move:
            case QEvent::Resize:
                RefreshFrameMargins();
                break;
            case QEvent::Show:
                // Framed once its window is exposed; the window exists now.
                if (QWindow* pWindow = m_wnd.windowHandle()) {
                    pWindow->removeEventFilter(this);
                    pWindow->installEventFilter(this);
                    QueueFramed();
                }
                break;
            default:
                break;
        }
    } else if (pWatched == m_wnd.windowHandle() && pEvent->type() == QEvent::Expose) {
        QueueFramed();
    }
    return false;
}

void CFramePlacement::OnStateChanged() {
    if (m_fnStateChanged) m_fnStateChanged();
    // A window manager may resize the window before it tells of the new
    // state: that size was never the normal one.
    if ((m_wnd.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0 &&
        m_rcLastNormal == m_wnd.geometry().marginsAdded(m_margins)) {
        m_rcLastNormal = m_rcPrevNormal;
    }
    RefreshFrameMargins();
}

void CFramePlacement::RefreshFrameMargins() {
    if (!m_wnd.isVisible() || m_wnd.windowHandle() == nullptr) return;
    const QMargins margins = m_wnd.windowHandle()->frameMargins();
    if (margins != m_margins) {
        m_margins = margins;
        ApplyMinimumSize();
    }
    if (!IsNormalState() || !m_bFramed) return;
    m_normalMargins = margins;
    if (m_rcWantedOuter.isValid()) {
        // First seen normal since it was placed: the decorations may differ
        // from what was expected, so the frame goes exactly where it was asked.
        const QRect rcWanted = m_rcWantedOuter;
        m_rcWantedOuter = QRect();
        if (m_wnd.geometry().marginsAdded(margins) != rcWanted) {
            SetNormalFrameRect(rcWanted);
            return;
        }
    }
    const QRect rc = m_wnd.geometry().marginsAdded(margins);
    if (rc != m_rcLastNormal) {
        m_rcPrevNormal = m_rcLastNormal;
        m_rcLastNormal = rc;
    }
}

void CFramePlacement::SetExpectedFrameMargins(const QMargins& margins) {
    if (m_bFramed) return;
    m_margins = margins;
    m_normalMargins = margins;
    ApplyMinimumSize();
}

void CFramePlacement::SetMinTrackSize(QSize sizeOuter) {
    m_sizeMinOuter = sizeOuter;
    ApplyMinimumSize();
}

void CFramePlacement::ApplyMinimumSize() {
    if (!m_sizeMinOuter.isValid()) return;
    m_wnd.setMinimumSize(m_sizeMinOuter.shrunkBy(m_margins).expandedTo(QSize(0, 0)));
}

bool CFramePlacement::IsNormalState() const {
    return (m_wnd.windowState() &
            (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) == 0;
}

QRect CFramePlacement::NormalFrameRect() const {
    // Placed but not yet seen on screen: the rectangle as it was asked for.
    if (m_rcWantedOuter.isValid()) return m_rcWantedOuter;
    if (IsNormalState()) return m_wnd.geometry().marginsAdded(m_margins);
    if (m_rcLastNormal.isValid()) return m_rcLastNormal;
    QRect rcClient = m_wnd.normalGeometry();
    if (!rcClient.isValid()) rcClient = m_wnd.geometry();
    return rcClient.marginsAdded(m_normalMargins);
}

void CFramePlacement::SetNormalFrameRect(const QRect& rcOuter) {
    m_rcWantedOuter = rcOuter;
    // The position is the frame's (a window's position includes its frame);
    // the size is the client's, so the margins come off.
    m_wnd.move(rcOuter.topLeft());
    m_wnd.resize(rcOuter.size().shrunkBy(m_bFramed ? m_margins : m_normalMargins));
    if (m_bFramed) m_rcWantedOuter = QRect();
}

QRect CFramePlacement::AvailableArea() const {
    const QScreen* pScreen = nullptr;
    if (m_wnd.isVisible()) {
        pScreen = m_wnd.screen();
    } else {
        pScreen = QGuiApplication::screenAt(m_wnd.geometry().center());
        if (pScreen == nullptr) pScreen = m_wnd.screen();
    }
    if (pScreen == nullptr) pScreen = QGuiApplication::primaryScreen();
    return pScreen != nullptr ? pScreen->availableGeometry() : QRect();
}

void CFramePlacement::WhenFramed(std::function<void()> fn) {
    if (m_bFramed) {
        fn();
        return;
    }
    m_whenFramed.push_back(std::move(fn));
}

void CFramePlacement::QueueFramed() {
    // On screen: the window manager has framed the window by now, and the
    // layout has taken its shown sizes.
    const QWindow* pWindow = m_wnd.windowHandle();
    if (m_bFramed || m_bFramedQueued || pWindow == nullptr || !pWindow->isExposed()) return;
    m_bFramedQueued = true;
    QTimer::singleShot(0, this, [this] { MarkFramed(); });
}

void CFramePlacement::MarkFramed() {
    m_bFramedQueued = false;
    if (m_bFramed || !m_wnd.isVisible()) return;
    m_bFramed = true;
    RefreshFrameMargins();
    auto callbacks = std::move(m_whenFramed);
    m_whenFramed.clear();
    for (auto& fn : callbacks) fn();
    if (m_fnStateChanged) m_fnStateChanged();
}
