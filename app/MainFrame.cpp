#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

#include "app/CoilixApp.h"
#include "app/Menus.h"
#include "framework/ResString.h"
#include "res/resource.h"
#include "store/GameSettings.h"
#include "store/Profile.h"

namespace {
constexpr const char* kBarSection = "Control";
constexpr const char* kBarValue = "Bar State";
}  // namespace

CMainFrame::CMainFrame(CCoilixApp& app) : m_app(app) {
    setWindowTitle(LoadQString(AFX_IDS_APP_TITLE));
    setMinimumSize(225, 275);
    CreateBars(MainFrameBars(), kRecentFileCount);
}

void CMainFrame::ShowContextMenu(const QPoint& ptGlobal) {
    if (QMenu* pGame = Popup(0)) {
        UpdateCommandUI();
        pGame->popup(ptGlobal);
    }
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
    auto bytes =
        QueryBytes(profile.Registry(), profile.SectionKey(kBarSection), kBarValue, 1 << 16);
    if (!bytes || bytes->empty()) return;
    restoreState(QByteArray(reinterpret_cast<const char*>(bytes->data()),
                            static_cast<qsizetype>(bytes->size())));
}

void CMainFrame::SaveBarState() {
    const QByteArray state = saveState();
    CProfile& profile = m_app.Profile();
    profile.Registry().Set(profile.SectionKey(kBarSection), kBarValue,
                           RegValue::Binary(std::vector<uint8_t>(state.begin(), state.end())));
}

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (m_fnClosing) m_fnClosing();
    m_app.m_settings.m_placement = CaptureWindowPlacement(*this);
    SaveBarState();
    CFrameWnd::closeEvent(pEvent);
}

WindowPlacement CaptureWindowPlacement(const QMainWindow& wnd) {
    WindowPlacement wp;
    wp.length = 44;
    wp.showCmd = wnd.isMaximized()   ? kShowCmdMaximized
                 : wnd.isMinimized() ? kShowCmdMinimized
                                     : kShowCmdNormal;
    // The normal (restored) rectangle: the frame's top-left corner and the
    // window's size without the decorations.
    const QRect rc = wnd.normalGeometry().isValid() && (wnd.isMaximized() || wnd.isMinimized())
                         ? wnd.normalGeometry()
                         : QRect(wnd.pos(), wnd.size());
    wp.rcNormalPosition[0] = rc.left();
    wp.rcNormalPosition[1] = rc.top();
    wp.rcNormalPosition[2] = rc.left() + rc.width();
    wp.rcNormalPosition[3] = rc.top() + rc.height();
    return wp;
}

void ApplyWindowPlacement(QMainWindow& wnd, const WindowPlacement& wp) {
    const int w = wp.rcNormalPosition[2] - wp.rcNormalPosition[0];
    const int h = wp.rcNormalPosition[3] - wp.rcNormalPosition[1];
    if (w > 0 && h > 0) {
        wnd.resize(w, h);
        // A place on a screen that is no longer there is not used: the window
        // would be out of reach.
        const QRect rc(wp.rcNormalPosition[0], wp.rcNormalPosition[1], w, h);
        for (const QScreen* pScreen : QGuiApplication::screens()) {
            if (pScreen->availableGeometry().intersects(rc)) {
                wnd.move(rc.topLeft());
                break;
            }
        }
    }
    if (wp.showCmd == kShowCmdMaximized) {
        wnd.setWindowState(wnd.windowState() | Qt::WindowMaximized);
    } else if (wp.showCmd == kShowCmdMinimized) {
        wnd.setWindowState(wnd.windowState() | Qt::WindowMinimized);
    }
}
