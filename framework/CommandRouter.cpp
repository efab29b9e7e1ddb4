// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandRouter.h"

#include <QAction>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "framework/ResString.h"

namespace {

// A menu item shows its key, but the frame's accelerator table binds the
// keys: the item's own shortcut never fires, also not while its menu is open
// (where the window's accelerators are off, too). "New..." shows F2, the key
// of another command.
class CMenuItemAction : public QAction {
public:
    using QAction::QAction;

protected:
    bool event(QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Shortcut) return true;
        return QAction::event(pEvent);
    }
};

}  // namespace

CCommandRouter::CCommandRouter(QWidget* pWindow, CCmdTarget* pFrame)
    : QObject(pWindow), m_pFrame(pFrame) {}

QAction* CCommandRouter::MakeAction(unsigned nID, const QString& strText) {
    auto it = m_actions.find(nID);
    if (it != m_actions.end()) return it->second;
    // A child of the window: the prompt of an item in a menu that was opened
    // on its own (the right-click menu) goes to the action's parent.
    auto* pAction = new CMenuItemAction(strText, parent());
    pAction->setData(nID);
    pAction->setStatusTip(PromptOf(nID));
    pAction->setToolTip(ToolTipOf(nID));
    // Menus are text; the toolbar keeps the pictures.
    pAction->setIconVisibleInMenu(false);
    connect(pAction, &QAction::triggered, this, [this, nID] { Route(nID); });
    m_actions[nID] = pAction;
    return pAction;
}

QAction* CCommandRouter::Action(unsigned nID) const {
    auto it = m_actions.find(nID);
    return it == m_actions.end() ? nullptr : it->second;
}

bool CCommandRouter::RouteUpdate(CCmdUI& ui) {
    for (CCmdTarget* pTarget : {m_pActiveView, m_pFrame, m_pAppTarget}) {
        if (pTarget != nullptr && pTarget->OnCmdMsg(ui.m_nID, &ui)) return true;
    }
    return false;
}

bool CCommandRouter::Route(unsigned nID) {
    CCmdUI ui(nID);
    if (!RouteUpdate(ui) || !ui.m_bEnabled) return false;
    bool bDone = false;
    for (CCmdTarget* pTarget : {m_pActiveView, m_pFrame, m_pAppTarget}) {
        if (pTarget != nullptr && pTarget->OnCmdMsg(nID, nullptr)) {
            bDone = true;
            break;
        }
    }
    RequestUpdate();
    return bDone;
}

void CCommandRouter::UpdateAll() {
    for (auto& [nID, pAction] : m_actions) {
        CCmdUI ui(nID);
        const bool bHandled = RouteUpdate(ui);
        pAction->setEnabled(bHandled && ui.m_bEnabled);
        // Once checkable, always: a button that turned from a push button into
        // a check box would change what a screen reader calls it.
        if (ui.m_bCheckable && !pAction->isCheckable()) pAction->setCheckable(true);
        if (pAction->isCheckable()) pAction->setChecked(ui.m_bChecked);
    }
}

void CCommandRouter::RequestUpdate() {
    if (m_bUpdatePending) return;
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdatePending = false;
        UpdateAll();
    });
}
