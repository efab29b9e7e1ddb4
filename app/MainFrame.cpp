// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/CoilixApp.h"
#include "app/Menus.h"
#include "framework/FramePlacement.h"
#include "framework/ResString.h"
#include "res/resource.h"
#include "store/Endian.h"
#include "store/GameSettings.h"
#include "store/Profile.h"

namespace {
constexpr const char* kBarSection = "Control";
constexpr const char* kBarValue = "Bar State";
constexpr const char* kMarginsValue = "Frame Margins";
// A window's decorations are a few dozen pixels; anything more is not theirs.
constexpr int32_t kMaxMargin = 500;
// Coordinates this far out are no place on any screen, and sums of them stay
// well inside an int.
constexpr int64_t kFarthest = int64_t{1} << 24;
}  // namespace

CMainFrame::CMainFrame(CCoilixApp& app) : m_app(app) {
    setWindowTitle(LoadQString(AFX_IDS_APP_TITLE));
    // The smallest size the window can be dragged to, decorations included.
    Placement().SetMinTrackSize(QSize(225, 275));
    CreateBars(MainFrameBars(), kRecentFileCount);
}

void CMainFrame::ShowContextMenu(const QPoint& ptGlobal) {
    if (QMenu* pGame = TopLevelMenu(0)) {
        UpdateCommandUI();
        pGame->popup(ptGlobal);
    }
}

QString CMainFrame::BoardName() const {
    return BoardAccessibleName();
}

void CMainFrame::EnterNewScore(int nRow) {
    m_app.EnterNewScore(nRow);
}

void CMainFrame::ShowHighScores() {
    m_app.ShowHighScores();
}

void CMainFrame::SetStatusText(int nPane, unsigned nStringID) {
    if (nPane != 0) {
        SetPaneText(nPane, LoadQString(nStringID));
        return;
    }
    m_strStatusText = nStringID == AFX_IDS_IDLEMESSAGE ? QString() : LoadQString(nStringID);
    SetMessageText(nStringID);
}

void CMainFrame::SetStatusText(int nPane, const QString& strText) {
    if (nPane != 0) {
        SetPaneText(nPane, strText);
        return;
    }
    m_strStatusText = strText;
    SetMessageText(strText);
}

QString CMainFrame::GetMessageString(unsigned nID) const {
    if (nID == AFX_IDS_IDLEMESSAGE && !m_strStatusText.isEmpty()) return m_strStatusText;
    return CFrameWnd::GetMessageString(nID);
}

void CMainFrame::LoadBarState() {
    CProfile& profile = m_app.Profile();
    const std::string strKey = profile.SectionKey(kBarSection);
    if (auto margins = QueryBytes(profile.Registry(), strKey, kMarginsValue, 16);
        margins && margins->size() == 16) {
        const uint8_t* p = margins->data();
        const QMargins m(GetInt32LE(p), GetInt32LE(p + 4), GetInt32LE(p + 8), GetInt32LE(p + 12));
        const bool bSane = std::min({m.left(), m.top(), m.right(), m.bottom()}) >= 0 &&
                           std::max({m.left(), m.top(), m.right(), m.bottom()}) <= kMaxMargin;
        if (bSane) Placement().SetExpectedFrameMargins(m);
    }
    auto bytes = QueryBytes(profile.Registry(), strKey, kBarValue, 1 << 16);
    if (!bytes || bytes->empty()) return;
    restoreState(QByteArray(reinterpret_cast<const char*>(bytes->data()),
                            static_cast<qsizetype>(bytes->size())));
}

void CMainFrame::SaveBarState() {
    const QByteArray state = saveState();
    CProfile& profile = m_app.Profile();
    const std::string strKey = profile.SectionKey(kBarSection);
    std::vector<uint8_t> margins(16);
    const QMargins m = Placement().FrameMargins();
    PutInt32LE(margins.data(), m.left());
    PutInt32LE(margins.data() + 4, m.top());
    PutInt32LE(margins.data() + 8, m.right());
    PutInt32LE(margins.data() + 12, m.bottom());
    // Both values in one write: one lock, one replacement of the file.
    profile.Registry().Apply({
        RegChange{strKey, kBarValue,
                  RegValue::Binary(std::vector<uint8_t>(state.begin(), state.end()))},
        RegChange{strKey, kMarginsValue, RegValue::Binary(std::move(margins))},
    });
}

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (m_fnClosing) m_fnClosing();
    m_app.m_settings.m_placement = CaptureWindowPlacement(*this);
    SaveBarState();
    m_app.SaveAtExit();
    CFrameWnd::closeEvent(pEvent);
}

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
