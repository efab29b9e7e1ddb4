// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "framework/CmdTarget.h"
#include "framework/FrameBars.h"
#include "framework/StatusPanes.h"

class CCommandRouter;
class CFloatingToolBar;
class CFramePlacement;
class CRecentFileMenu;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The main window of a single-document program: a menu, accelerators, a
// dockable toolbar and a status bar of panes, built from the program's
// FrameBars. It puts the parts together:
// - CCommandRouter runs commands along view, frame, application and keeps
//   the menu items and buttons enabled and checked;
// - CStatusPanes holds the message pane (pane 0) and the program's panes;
// - CFloatingToolBar keeps the toolbar usable while it floats;
// - CFramePlacement keeps the window's outer rectangle;
// - CRecentFileMenu shows the recent-file list.
// Prompts of menu items and toolbar buttons show in the message pane while
// the pointer rests on them; the idle prompt comes back after.
class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    explicit CFrameWnd(QWidget* pParent = nullptr);
    ~CFrameWnd() override;

    // The message pane: a text, or the message of a string number.
    void SetMessageText(unsigned nID);
    void SetMessageText(const QString& strText);
    // Sets the text of pane nPane (1 and up) at once.
    void SetPaneText(int nPane, const QString& strText);
    QString GetPaneText(int nPane) const;
    QLabel* Pane(int nPane) const;

    // The prompt shown for string nID (its first line).
    virtual QString GetMessageString(unsigned nID) const;

    // The view that gets commands first, and the target after the frame.
    void SetActiveView(CCmdTarget* pView);
    void SetAppTarget(CCmdTarget* pApp);
    CCommandRouter& Commands() { return *m_pRouter; }
    // Runs command nID along the route (false: not handled, or disabled).
    bool RouteCommand(unsigned nID);
    // Brings every menu item and toolbar button up to date now, or soon.
    void UpdateCommandUI();
    void RequestCommandUIUpdate();

    // Shows the recent-file list in the menu. Paths are bytes as the file
    // system names them.
    void SetRecentFiles(const std::vector<std::string>& files);

    // The command's menu item and toolbar button (one action for both).
    QAction* Action(unsigned nID) const;
    // The menu at place nIndex of the menu bar, from the left.
    QMenu* TopLevelMenu(int nIndex) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    CFramePlacement& Placement() { return *m_pPlacement; }
    const CFramePlacement& Placement() const { return *m_pPlacement; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

protected:
    // Builds the menu, the toolbar, the accelerators and the status panes.
    // The recent-file list takes nRecentFiles places after the menu item
    // ID_FILE_MRU_FILE1.
    void CreateBars(const FrameBars& bars, unsigned nRecentFiles);
    // The frame offers no menu of its own on its bars.
    QMenu* createPopupMenu() override { return nullptr; }
    bool event(QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    CCommandRouter* m_pRouter;  // children of the window
    CFramePlacement* m_pPlacement;
    CFloatingToolBar* m_pFloating = nullptr;
    std::unique_ptr<CRecentFileMenu> m_pRecent;
    CStatusPanes m_panes;
    QList<QMenu*> m_menus;
    QToolBar* m_pToolBar = nullptr;
};
