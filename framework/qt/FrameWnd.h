#pragma once
#include <QMainWindow>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "framework/qt/CmdTarget.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The main window of a single-document program: menu, accelerators, a
// dockable toolbar, a status bar of panes, command routing with enable and
// check updates, and prompts of menu items and toolbar buttons shown in the
// message pane while the pointer rests on them.
class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    explicit CFrameWnd(QWidget* pParent = nullptr);

    // The message pane (pane 0): a text, or the message of a string number.
    void SetMessageText(unsigned nID);
    void SetMessageText(const QString& strText);
    // Sets the text of pane nPane (1 and up) at once.
    void SetPaneText(int nPane, const QString& strText);
    QString GetPaneText(int nPane) const;

    // The prompt shown for string nID (its first line).
    virtual QString GetMessageString(unsigned nID) const;

    // The view that gets commands first.
    void SetActiveView(CCmdTarget* pView) { m_pActiveView = pView; }
    // The target after the frame (the application).
    void SetAppTarget(CCmdTarget* pApp) { m_pAppTarget = pApp; }

    // Runs command nID along the route; false when no target handles it or
    // it is disabled.
    bool RouteCommand(unsigned nID);
    // Asks the route for the state of nID; false when no target handles it.
    bool RouteUpdate(CCmdUI& ui);
    // Brings every menu item and toolbar button up to date now, or soon
    // (once, after the current event).
    void UpdateCommandUI();
    void RequestCommandUIUpdate();

    // Shows the recent-file list in the menu (the first entry's place shows
    // the placeholder, disabled, while the list is empty).
    static constexpr unsigned kRecentFileCount = 4;
    void SetRecentFiles(const std::vector<std::string>& files);

    QAction* Action(unsigned nID) const;
    QMenu* Popup(int nIndex) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    QLabel* Pane(int nPane) const { return nPane == 0 ? m_pPane0 : m_pPane1; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

protected:
    // Builds the menu, the toolbar, the accelerators and the two status panes
    // from the resource tables, in the current language.
    void CreateBars(int nPane1Width);
    bool event(QEvent* pEvent) override;

private:
    QAction* MakeAction(unsigned nID, const QString& strText);

    std::map<unsigned, QAction*> m_actions;      // menu items and toolbar buttons
    std::map<unsigned, QAction*> m_toolActions;  // toolbar buttons only
    QList<QMenu*> m_popups;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pPane0 = nullptr;
    QLabel* m_pPane1 = nullptr;
    CCmdTarget* m_pActiveView = nullptr;
    CCmdTarget* m_pAppTarget = nullptr;
    bool m_bUpdatePending = false;
    QString m_strRecentPlaceholder;
};
