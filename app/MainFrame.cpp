// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QMenu>

#include "app/BarState.h"
#include "app/Menus.h"
#include "framework/FramePlacement.h"
#include "framework/ResString.h"
#include "res/resource.h"

CMainFrame::CMainFrame() {
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

void CMainFrame::RestoreBarState(const BarState& state) {
    if (state.frameMargins) Placement().SetExpectedFrameMargins(*state.frameMargins);
    if (!state.toolBars.isEmpty()) restoreState(state.toolBars);
}

BarState CMainFrame::CurrentBarState() const {
    return {saveState(), Placement().FrameMargins()};
}

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (m_fnClosing) m_fnClosing();
    CFrameWnd::closeEvent(pEvent);
}
