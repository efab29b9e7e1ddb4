// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

class QWidget;

// Places a dialog about to be shown so that its frame is centred on the frame
// of pOver's window (its decorations taken to be that window's), on that
// window's screen. Nothing when pOver is not shown.
void CenterOverWindow(QWidget& dlg, const QWidget* pOver);

// A top-level window's place on the screen as the window manager frames it,
// decorations included. Qt places a window by its client area and learns the
// decorations only once the window is on screen; this keeps the outer
// rectangle, so that a stored placement comes back exactly, the minimum size
// bounds the whole frame, and the normal (restored) rectangle is known also
// while the window is maximized or minimized.
class CFramePlacement : public QObject {
public:
    explicit CFramePlacement(QWidget& wnd);

    // What the window manager adds around the client area (title bar,
    // borders): as last seen, or as given before the window is first shown.
    QMargins FrameMargins() const { return m_margins; }
    void SetExpectedFrameMargins(const QMargins& margins);
    // Neither maximized, minimized nor full screen.
    bool IsNormalState() const;
    // The smallest outer size the window can be given.
    void SetMinTrackSize(QSize sizeOuter);
    // The outer rectangle of the window in its normal state, also while it is
    // maximized or minimized.
    QRect NormalFrameRect() const;
    // Places the window's normal outer rectangle; before the window is shown
    // with the expected margins, corrected once the real ones are known.
    void SetNormalFrameRect(const QRect& rcOuter);
    // The area windows may take on the screen the window is on (or would be
    // on, for a window not shown yet).
    QRect AvailableArea() const;

    // True once the window has been shown, framed by the window manager and
    // exposed: its decorations are known and its layout has its shown sizes.
    bool IsFramed() const { return m_bFramed; }
    // Runs fn once the window is framed (at once if it already is).
    void WhenFramed(std::function<void()> fn);
    // Told when the window's state (normal, maximized, minimized) changes.
    void SetStateChangedHandler(std::function<void()> fn) { m_fnStateChanged = std::move(fn); }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnStateChanged();
    void RefreshFrameMargins();
    void ApplyMinimumSize();
    void QueueFramed();
    void MarkFramed();

    QWidget& m_wnd;
    QMargins m_margins;        // decorations, as last known
    QMargins m_normalMargins;  // decorations while last in the normal state
    QSize m_sizeMinOuter;
    QRect m_rcWantedOuter;  // a normal rectangle applied before it could be checked
    QRect m_rcLastNormal;   // the outer rectangle while last seen normal
    QRect m_rcPrevNormal;   // and the one before it
    bool m_bFramed = false;
    bool m_bFramedQueued = false;
    std::vector<std::function<void()>> m_whenFramed;
    std::function<void()> m_fnStateChanged;
};
