// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <map>

#include "framework/CmdTarget.h"

class QAction;
class QWidget;

// Runs numbered commands along a fixed route of targets (the active view, the
// frame, the application) and keeps every menu item and toolbar button of a
// command, one QAction per command, enabled and checked as the route says.
//
// Qt would connect each action to a slot of its own; here a command is a
// number that each target answers in OnCmdMsg, both to run it and to say
// whether it can run now. That keeps a command's rule and its enabled state
// in one place in the target that owns them.
class CCommandRouter : public QObject {
public:
    // pWindow owns the actions; pFrame is the target between the view and
    // the application.
    CCommandRouter(QWidget* pWindow, CCmdTarget* pFrame);

    void SetActiveView(CCmdTarget* pView) { m_pActiveView = pView; }
    void SetAppTarget(CCmdTarget* pApp) { m_pAppTarget = pApp; }

    // The action of command nID, made on first use with its text, its prompt
    // for the status bar and its tool tip; triggering it runs the command.
    QAction* MakeAction(unsigned nID, const QString& strText);
    QAction* Action(unsigned nID) const;

    // Runs command nID along the route; false when no target handles it or
    // it is disabled now (also when it comes from an accelerator).
    bool Route(unsigned nID);
    // Asks the route for the state of ui.m_nID; false when no target handles it.
    bool RouteUpdate(CCmdUI& ui);
    // Brings every action up to date now, or once after the current event.
    void UpdateAll();
    void RequestUpdate();

private:
    std::map<unsigned, QAction*> m_actions;
    CCmdTarget* m_pActiveView = nullptr;
    CCmdTarget* m_pFrame = nullptr;
    CCmdTarget* m_pAppTarget = nullptr;
    bool m_bUpdatePending = false;
};
