// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ScrollView.h"

#include <QLayout>
#include <QMainWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "framework/FramePlacement.h"
#include "framework/FrameWnd.h"

CScrollView::CScrollView(QWidget* pParent) : QAbstractScrollArea(pParent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Cells are painted opaquely, only where asked; the margins show the
    // window's own background.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CScrollView::SetScrollSizes(QSize sizeTotal, QSize sizePage, QSize sizeLine) {
    m_sizeTotal = sizeTotal;
    m_sizePage = sizePage;
    m_sizeLine = sizeLine;
    UpdateBars();
}

QSize CScrollView::ClientSize() const {
    return viewport()->size();
}

QSize CScrollView::ClientSizeWithoutBars() const {
    const int nFrame = 2 * frameWidth();
    return {width() - nFrame, height() - nFrame};
}

void CScrollView::UpdateBars() {
    // A bar shows only while the contents exceed the client area on its axis,
    // judged without bars first; one bar can make the other necessary.
    const QSize full = ClientSizeWithoutBars();
    const int nBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool bNeedH = m_sizeTotal.width() > full.width();
    bool bNeedV = m_sizeTotal.height() > full.height();
    if (bNeedH && !bNeedV) bNeedV = m_sizeTotal.height() > full.height() - nBar;
    if (bNeedV && !bNeedH) bNeedH = m_sizeTotal.width() > full.width() - nBar;
    const auto policyH = bNeedH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    const auto policyV = bNeedV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policyH) setHorizontalScrollBarPolicy(policyH);
    if (verticalScrollBarPolicy() != policyV) setVerticalScrollBarPolicy(policyV);

    const QSize client = ClientSize();
    // A page of zero means the client size, as the scroll bars have no better idea.
    const int nPageX = m_sizePage.width() > 0 ? m_sizePage.width() : client.width();
    const int nPageY = m_sizePage.height() > 0 ? m_sizePage.height() : client.height();
    horizontalScrollBar()->setRange(0, std::max(0, m_sizeTotal.width() - client.width()));
    horizontalScrollBar()->setPageStep(std::max(1, nPageX));
    horizontalScrollBar()->setSingleStep(std::max(1, m_sizeLine.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_sizeTotal.height() - client.height()));
    verticalScrollBar()->setPageStep(std::max(1, nPageY));
    verticalScrollBar()->setSingleStep(std::max(1, m_sizeLine.height()));
}

QPoint CScrollView::GetDeviceScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CScrollView::ScrollToPosition(QPoint pt) {
    // The scroll bars clamp to their ranges: 0 up to total less client.
    horizontalScrollBar()->setValue(pt.x());
    verticalScrollBar()->setValue(pt.y());
}

void CScrollView::EnsureLaidOut() {
    // A frame that has not been shown yet has not placed its children: lay it
    // out now so that the view's size is the one it will have.
    QWidget* pFrame = window();
    if (pFrame == nullptr || pFrame == this || pFrame->isVisible()) return;
    pFrame->ensurePolished();
    if (QLayout* pLayout = pFrame->layout()) {
        // The frame may have been resized since it was last laid out.
        pLayout->invalidate();
        pLayout->activate();
    }
}

void CScrollView::ResizeParentToFit() {
    QWidget* pFrame = window();
    if (pFrame == nullptr || pFrame == this) return;
    EnsureLaidOut();
    auto* pFrameWnd = dynamic_cast<CFrameWnd*>(pFrame);
    QSize sizeFrame = pFrame->size() + (m_sizeTotal - ClientSizeWithoutBars());

    // Never larger than the area windows may take on the frame's screen,
    // decorations included; the contents scroll then, and the bar that this
    // brings is made room for when the other side still fits.
    QRect rcAvail;
    QMargins margins;
    m_sizeFitMax = QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_bFitScrollsH = m_bFitScrollsV = false;
    if (pFrameWnd != nullptr) {
        rcAvail = pFrameWnd->Placement().AvailableArea();
        margins = pFrameWnd->Placement().FrameMargins();
    } else if (const QScreen* pScreen = pFrame->screen()) {
        rcAvail = pScreen->availableGeometry();
    }
    if (rcAvail.isValid()) {
        const QSize sizeMax = rcAvail.size().shrunkBy(margins);
        const int nBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        bool bBarH = false, bBarV = false;
        for (int nPass = 0; nPass < 2; ++nPass) {
            if (!bBarH && sizeFrame.width() > sizeMax.width()) {
                bBarH = true;
                sizeFrame.rheight() += nBar;
            }
            if (!bBarV && sizeFrame.height() > sizeMax.height()) {
                bBarV = true;
                sizeFrame.rwidth() += nBar;
            }
        }
        sizeFrame = sizeFrame.boundedTo(sizeMax);
        m_sizeFitMax = sizeMax;
        m_bFitScrollsH = bBarH;
        m_bFitScrollsV = bBarV;
        // The top-left corner stays unless the frame would then reach past
        // the area; a window the window manager has not placed yet is left
        // for it to place.
        if (pFrame->isVisible() || pFrame->testAttribute(Qt::WA_Moved)) {
            const QSize outer = sizeFrame.grownBy(margins);
            QPoint pt = pFrame->pos();
            pt.setX(
                std::max(rcAvail.left(), std::min(pt.x(), rcAvail.right() + 1 - outer.width())));
            pt.setY(
                std::max(rcAvail.top(), std::min(pt.y(), rcAvail.bottom() + 1 - outer.height())));
            if (pt != pFrame->pos()) pFrame->move(pt);
        }
    }
    pFrame->resize(sizeFrame);
    // At a fractional device pixel ratio the window system may round the
    // frame down by a pixel; the next few resizes make that good.
    m_nFitNudges = pFrame->isVisible() ? 3 : 0;
    m_sizeFitFrame = sizeFrame;

    // A frame not yet on screen may still change its bars' heights and learns
    // its decorations only when shown: the fit is made again then.
    if (pFrameWnd != nullptr && !pFrameWnd->Placement().IsFramed()) {
        m_bRefitPending = true;
        WatchFrameOnScreen();
    }
}

void CScrollView::WatchFrameOnScreen() {
    auto* pFrameWnd = dynamic_cast<CFrameWnd*>(window());
    if (m_bWatchingFrame || pFrameWnd == nullptr || pFrameWnd->Placement().IsFramed()) return;
    m_bWatchingFrame = true;
    QPointer<CScrollView> pThis(this);
    pFrameWnd->Placement().WhenFramed([pThis, pFrameWnd] {
        if (pThis == nullptr) return;
        if (pThis->m_bRefitPending && pFrameWnd->Placement().IsNormalState())
            pThis->ResizeParentToFit();
        pThis->m_bRefitPending = false;
        pThis->OnFrameOnScreen();
    });
}

void CScrollView::showEvent(QShowEvent* pEvent) {
    QAbstractScrollArea::showEvent(pEvent);
    WatchFrameOnScreen();
}

void CScrollView::paintEvent(QPaintEvent* pEvent) {
    QPainter painter(viewport());
    OnDraw(painter, pEvent->region());
}

void CScrollView::resizeEvent(QResizeEvent* pEvent) {
    QAbstractScrollArea::resizeEvent(pEvent);
    if (m_nFitNudges > 0 && !m_bNudgeQueued) {
        // After the layout has settled: this runs inside the frame's layout.
        m_bNudgeQueued = true;
        QTimer::singleShot(0, this, [this] { NudgeFit(); });
    }
    const QSize client = ClientSize();
    OnSize(client.width(), client.height());
    UpdateBars();
}

void CScrollView::NudgeFit() {
    m_bNudgeQueued = false;
    if (m_nFitNudges <= 0) return;
    --m_nFitNudges;
    QWidget* pFrame = window();
    // Only while the frame is still the fitted one, give or take rounding.
    const QSize drift = pFrame->size() - m_sizeFitFrame;
    if (std::abs(drift.width()) > 2 || std::abs(drift.height()) > 2) {
        m_nFitNudges = 0;
        return;
    }
    // A fitted client short of the contents, with no bar planned on that
    // axis, gets the pixel back.
    const QSize client = ClientSizeWithoutBars();
    QSize grow(0, 0);
    if (!m_bFitScrollsH && client.width() < m_sizeTotal.width()) grow.setWidth(1);
    if (!m_bFitScrollsV && client.height() < m_sizeTotal.height()) grow.setHeight(1);
    const QSize sizeNew = (pFrame->size() + grow).boundedTo(m_sizeFitMax);
    if (pFrame != this && sizeNew != pFrame->size()) pFrame->resize(sizeNew);
}

void CScrollView::scrollContentsBy(int dx, int dy) {
    // Moves the picture and any pending invalid areas along with it.
    viewport()->scroll(dx, dy);
}
