// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FrameWnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "framework/AccessibleObjects.h"
#include "framework/CommandRouter.h"
#include "framework/FloatingToolBar.h"
#include "framework/FramePlacement.h"
#include "framework/MenuBarRelease.h"
#include "framework/RecentFileMenu.h"
#include "framework/ResString.h"
#include "framework/StdIds.h"

CFrameWnd::CFrameWnd(QWidget* pParent)
    : QMainWindow(pParent),
      m_pRouter(new CCommandRouter(this, this)),
      m_pPlacement(new CFramePlacement(*this)) {
    InstallAccessibleObjects();
    // The menus stay in the window, never in a desktop's global menu: the
    // status bar's prompts follow the highlighted item, and the keyboard
    // comes back to the window as a menu closes, only there. (Asked before
    // the menu bar is made, this also spares a round trip to the session
    // bus in the window's first moments.)
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The bars offer no menus of their own.
    menuBar()->setContextMenuPolicy(Qt::PreventContextMenu);
    // Commands that depend on the window's state (Auto Resize) follow it at once.
    m_pPlacement->SetStateChangedHandler([this] { RequestCommandUIUpdate(); });
}

CFrameWnd::~CFrameWnd() = default;

void CFrameWnd::CreateBars(const FrameBars& bars, unsigned nRecentFiles) {
    m_pRecent = std::make_unique<CRecentFileMenu>(*m_pRouter, ID_FILE_MRU_FILE1, nRecentFiles);
    m_menus = BuildMenus(*this, bars, *m_pRouter, *m_pRecent);
    for (QMenu* pMenu : m_menus) {
        // Back to the idle prompt (or the program's message) when the menu closes.
        connect(pMenu, &QMenu::aboutToHide, this, [this] { SetMessageText(AFX_IDS_IDLEMESSAGE); });
    }
    new CMenuBarRelease(*menuBar(), m_menus);

    m_pToolBar = BuildToolBar(*this, bars, *m_pRouter);
    m_pFloating = new CFloatingToolBar(*this, *m_pToolBar);
    // The View menu follows the toolbar when its close box hides it.
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, [this] { RequestCommandUIUpdate(); });

    BindAccelerators(*this, bars.accelerators, *m_pRouter);

    m_panes.Create(*statusBar(), bars.statusPanes);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->setAccessibleName(bars.strStatusBar);
    for (QSizeGrip* pGrip : statusBar()->findChildren<QSizeGrip*>()) {
        pGrip->setAccessibleName(bars.strSizeGrip);
    }
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

QString CFrameWnd::GetMessageString(unsigned nID) const {
    return PromptOf(nID);
}

void CFrameWnd::SetMessageText(unsigned nID) {
    SetMessageText(GetMessageString(nID));
}

void CFrameWnd::SetMessageText(const QString& strText) {
    m_panes.SetText(0, strText);
}

void CFrameWnd::SetPaneText(int nPane, const QString& strText) {
    m_panes.SetText(nPane, strText);
}

QString CFrameWnd::GetPaneText(int nPane) const {
    return m_panes.Text(nPane);
}

QLabel* CFrameWnd::Pane(int nPane) const {
    return m_panes.Pane(nPane);
}

void CFrameWnd::SetActiveView(CCmdTarget* pView) {
    m_pRouter->SetActiveView(pView);
}

void CFrameWnd::SetAppTarget(CCmdTarget* pApp) {
    m_pRouter->SetAppTarget(pApp);
}

bool CFrameWnd::RouteCommand(unsigned nID) {
    return m_pRouter->Route(nID);
}

void CFrameWnd::UpdateCommandUI() {
    m_pRouter->UpdateAll();
}

void CFrameWnd::RequestCommandUIUpdate() {
    m_pRouter->RequestUpdate();
}

void CFrameWnd::SetRecentFiles(const std::vector<std::string>& files) {
    if (!m_pRecent) return;
    const QMenu* pMenu = TopLevelMenu(0);
    m_pRecent->SetFiles(files, QFontMetrics(pMenu != nullptr ? pMenu->font() : font()));
}

QAction* CFrameWnd::Action(unsigned nID) const {
    return m_pRouter->Action(nID);
}

QMenu* CFrameWnd::TopLevelMenu(int nIndex) const {
    return m_menus.value(nIndex, nullptr);
}

bool CFrameWnd::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    switch (nID) {
        case ID_VIEW_TOOLBAR:
            if (pCmdUI != nullptr) {
                pCmdUI->SetCheck(m_pToolBar != nullptr && !m_pToolBar->isHidden());
            } else if (m_pToolBar != nullptr) {
                m_pToolBar->setHidden(!m_pToolBar->isHidden());
            }
            return true;
        case ID_VIEW_STATUS_BAR:
            if (pCmdUI != nullptr) {
                pCmdUI->SetCheck(!statusBar()->isHidden());
            } else {
                statusBar()->setHidden(!statusBar()->isHidden());
            }
            return true;
        case ID_APP_EXIT:
            if (pCmdUI == nullptr) close();
            return true;
        default:
            return false;
    }
}

bool CFrameWnd::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::StatusTip) {
        // Prompts of menu items and toolbar buttons go to the message pane;
        // when the pointer leaves, the idle prompt rule decides what shows.
        const QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        if (strTip.isEmpty()) {
            SetMessageText(AFX_IDS_IDLEMESSAGE);
        } else {
            SetMessageText(strTip);
        }
        return true;
    }
    return QMainWindow::event(pEvent);
}

void CFrameWnd::changeEvent(QEvent* pEvent) {
    QMainWindow::changeEvent(pEvent);
    if (pEvent->type() == QEvent::FontChange || pEvent->type() == QEvent::StyleChange)
        m_panes.Refit();
}

void CFrameWnd::showEvent(QShowEvent* pEvent) {
    QMainWindow::showEvent(pEvent);
    if (m_pFloating != nullptr) m_pFloating->OnMainWindowShown();
}
