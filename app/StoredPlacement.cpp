// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoredPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdint>

#include "framework/FramePlacement.h"
#include "framework/FrameWnd.h"
#include "store/GameSettings.h"

namespace {
// Coordinates this far out are no place on any screen, and sums of them stay
// well inside an int.
constexpr int64_t kFarthest = int64_t{1} << 24;
}  // namespace

WindowPlacement CaptureWindowPlacement(const CFrameWnd& wnd) {
    WindowPlacement wp;
    wp.length = 44;
    wp.showCmd = wnd.isMaximized()   ? kShowCmdMaximized
                 : wnd.isMinimized() ? kShowCmdMinimized
                                     : kShowCmdNormal;
    // The frame's outer rectangle in the normal (restored) state.
    const QRect rc = wnd.Placement().NormalFrameRect();
    wp.rcNormalPosition[0] = rc.left();
    wp.rcNormalPosition[1] = rc.top();
    wp.rcNormalPosition[2] = rc.left() + rc.width();
    wp.rcNormalPosition[3] = rc.top() + rc.height();
    return wp;
}

std::optional<QRect> SaneNormalRect(const WindowPlacement& wp) {
    const int64_t l = wp.rcNormalPosition[0], t = wp.rcNormalPosition[1];
    const int64_t r = wp.rcNormalPosition[2], b = wp.rcNormalPosition[3];
    for (int64_t n : {l, t, r, b}) {
        if (n < -kFarthest || n > kFarthest) return std::nullopt;
    }
    QSize sizeLargest(0, 0);
    for (const QScreen* pScreen : QGuiApplication::screens())
        sizeLargest = sizeLargest.expandedTo(pScreen->geometry().size());
    const int64_t w = r - l, h = b - t;
    if (w <= 0 || h <= 0 || w > sizeLargest.width() || h > sizeLargest.height())
        return std::nullopt;
    return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(w),
                 static_cast<int>(h));
}

void ApplyWindowPlacement(CFrameWnd& wnd, const WindowPlacement& wp) {
    if (const std::optional<QRect> rc = SaneNormalRect(wp)) {
        // A place on a screen that is no longer there is not used: the window
        // would be out of reach. Its size still is.
        bool bOnScreen = false;
        for (const QScreen* pScreen : QGuiApplication::screens())
            bOnScreen = bOnScreen || pScreen->availableGeometry().intersects(*rc);
        if (bOnScreen) {
            wnd.Placement().SetNormalFrameRect(*rc);
        } else {
            const QMargins m = wnd.Placement().FrameMargins();
            wnd.resize(rc->width() - m.left() - m.right(), rc->height() - m.top() - m.bottom());
        }
    }
    // Maximized or minimized once the window is on screen in its normal place:
    // the window manager then knows the place to restore it to.
    const Qt::WindowState state = wp.showCmd == kShowCmdMaximized   ? Qt::WindowMaximized
                                  : wp.showCmd == kShowCmdMinimized ? Qt::WindowMinimized
                                                                    : Qt::WindowNoState;
    if (state == Qt::WindowNoState) return;
    CFrameWnd* pWnd = &wnd;
    wnd.Placement().WhenFramed(
        [pWnd, state] { pWnd->setWindowState(pWnd->windowState() | state); });
}
