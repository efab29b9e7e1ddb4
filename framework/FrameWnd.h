#pragma once
#include <QKeySequence>
#include <QMainWindow>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "framework/CmdTarget.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The program's menu, toolbar and accelerators, as the frame builds them.
struct MenuItemDef {
    unsigned nID = 0;  // 0: a separator
    QString strText;   // with its mnemonic ("&Open...")
    // The command whose accelerator is shown beside the item; 0 for its own.
    unsigned nShowKeyOf = 0;
};

struct PopupDef {
    QString strText;
    std::vector<MenuItemDef> items;
};

struct ToolButtonDef {
    unsigned nID = 0;  // 0: a separator
    QString strImage;  // image name in the embedded resources (":/toolbar/<name>.png")
};

struct AccelDef {
    QKeySequence key;
    unsigned nID;
};

struct FrameBars {
    std::vector<PopupDef> menu;
    std::vector<ToolButtonDef> toolbar;
    std::vector<AccelDef> accelerators;
    QString strToolbarCaption;
    int nPane1Width = 0;
};

// The text shown beside a menu item for an accelerator key ("Ctrl+O").
QString AcceleratorText(const QKeySequence& key);

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
    void SetRecentFiles(const std::vector<std::string>& files);

    QAction* Action(unsigned nID) const;
    QMenu* Popup(int nIndex) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    QLabel* Pane(int nPane) const { return nPane == 0 ? m_pPane0 : m_pPane1; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

protected:
    // Builds the menu, the toolbar, the accelerators and the two status panes.
    // The recent-file list takes nRecentFiles places after the menu item
    // ID_FILE_MRU_FILE1.
    void CreateBars(const FrameBars& bars, unsigned nRecentFiles);
    bool event(QEvent* pEvent) override;

private:
    QAction* MakeAction(unsigned nID, const QString& strText);

    std::map<unsigned, QAction*> m_actions;  // menu items and toolbar buttons
    QList<QMenu*> m_popups;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pPane0 = nullptr;
    QLabel* m_pPane1 = nullptr;
    CCmdTarget* m_pActiveView = nullptr;
    CCmdTarget* m_pAppTarget = nullptr;
    bool m_bUpdatePending = false;
    unsigned m_nRecentFiles = 0;
    QString m_strRecentPlaceholder;
};
