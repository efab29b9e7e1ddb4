// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractScrollArea>
#include <QPoint>
#include <QRegion>
#include <QSize>

#include "framework/CmdTarget.h"

class QPainter;

// A view whose contents are larger or smaller than its window: the total size
// of the contents, the page and line steps of the scroll bars, the scroll
// position in device pixels, and fitting the frame around the contents.
// Scroll bars show on an axis only while the total exceeds the client size.
class CScrollView : public QAbstractScrollArea, public CCmdTarget {
public:
    explicit CScrollView(QWidget* pParent = nullptr);

    void SetScrollSizes(QSize sizeTotal, QSize sizePage, QSize sizeLine);
    QSize GetTotalSize() const { return m_sizeTotal; }
    QPoint GetDeviceScrollPosition() const;
    // Scrolls to pt, each coordinate clamped into 0..total - client.
    void ScrollToPosition(QPoint pt);
    // Resizes the frame window so that the client area is exactly the total
    // size without scroll bars. The frame's minimum size still applies, and
    // the frame never grows past the available area of its screen: the
    // contents scroll then. A frame not yet shown is fitted again once it is
    // on screen, where its bars and decorations take their final sizes.
    void ResizeParentToFit();

    // Before the frame is first shown, lays it out so that the sizes below
    // are the ones the view will have.
    void EnsureLaidOut();

    // Client area (the part the contents are drawn in) and the view window's
    // outer size, border and scroll bars included.
    QSize ClientSize() const;
    QSize OuterSize() const { return size(); }

    // Marks a rectangle of the client area for repainting.
    void InvalidateRect(const QRect& rc) { viewport()->update(rc); }
    void InvalidateAll() { viewport()->update(); }

    bool OnCmdMsg(unsigned, CCmdUI*) override { return false; }

protected:
    // Draws the parts of the contents under the invalid region (in client
    // coordinates), on screen.
    virtual void OnDraw(QPainter& painter, const QRegion& rgnInvalid) = 0;
    // The client area changed size.
    virtual void OnSize(int cx, int cy) { (void)cx, (void)cy; }
    // The frame is on screen with its final size (fitted again if a fit was
    // asked for before it showed).
    virtual void OnFrameOnScreen() {}

    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    // The client area as it would be without scroll bars.
    QSize ClientSizeWithoutBars() const;
    void UpdateBars();
    void WatchFrameOnScreen();
    void NudgeFit();

    QSize m_sizeTotal{0, 0};
    QSize m_sizePage{0, 0};
    QSize m_sizeLine{1, 1};
    bool m_bRefitPending = false;
    bool m_bWatchingFrame = false;
    // The last fit: its largest frame, the axes it left to scroll, and how
    // many resizes may still correct a pixel lost to rounding.
    QSize m_sizeFitMax;
    QSize m_sizeFitFrame;
    bool m_bFitScrollsH = false;
    bool m_bFitScrollsV = false;
    int m_nFitNudges = 0;
    bool m_bNudgeQueued = false;
};
