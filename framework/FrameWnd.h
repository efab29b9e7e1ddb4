// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QKeySequence>
#include <QMainWindow>
#include <QMargins>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/CmdTarget.h"

class QAction;
class QFontMetrics;
class QLabel;
class QMenu;
class QToolBar;

// The program's menu, toolbar and accelerators, as the frame builds them.
struct MenuItemDef {
    unsigned nID = 0;  // 0: a separator
    QString strText;   // with its mnemonic ("&Open..."), without the key
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
    // The key's name beside a menu item where it is not Qt's name for it
    // ("Break" for the Pause key), in the user's language; empty for Qt's.
    QString strKeyName = {};
};

struct FrameBars {
    std::vector<PopupDef> menu;
    std::vector<ToolButtonDef> toolbar;
    std::vector<AccelDef> accelerators;
    QString strToolbarCaption;
    // What a screen reader calls the toolbar's button for the buttons that
    // do not fit ("More Buttons").
    QString strToolbarMore;
    // Pane 1 is at least nPane1Width pixels wide, and wide enough to show
    // strPane1Format ("Score: %ld") whole with any signed 32-bit number.
    int nPane1Width = 0;
    QString strPane1Format;
};

// What a menu item shows: its text, and after a tab its key as the
// accelerator table names it.
QString MenuItemShownText(const QAction& action);

// A recent-file entry as the menu shows it: "&1 " and the file's name, or,
// with bWholePath, its path with the home folder as "~" and the folders
// elided in the middle to fit nMaxWidth pixels of the menu's font (the name is
// kept whole where it can be). Ampersands are doubled: none becomes a mnemonic.
QString RecentFileMenuText(int nIndex, const QString& strPath, bool bWholePath,
                           const QFontMetrics& fm, int nMaxWidth);

// The main window of a single-document program: menu, accelerators, a
// dockable toolbar, a status bar of panes, command routing with enable and
// check updates, and prompts of menu items and toolbar buttons shown in the
// message pane while the pointer rests on them.
//
// It also keeps the window's outer rectangle, decorations included: the
// minimum size bounds the whole frame, and the normal (restored) rectangle
// can be read and applied as the window manager's frame, whatever the state.
class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    explicit CFrameWnd(QWidget* pParent = nullptr);
    ~CFrameWnd() override;

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
    // the placeholder, disabled, while the list is empty). Paths are bytes as
    // the file system names them.
    void SetRecentFiles(const std::vector<std::string>& files);

    // The command's menu item and toolbar button (one action for both).
    QAction* Action(unsigned nID) const;
    QMenu* Popup(int nIndex) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    QLabel* Pane(int nPane) const { return nPane == 0 ? m_pPane0 : m_pPane1; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // ---- the window on the screen, decorations included ----

    // What the window manager adds around the client area (title bar,
    // borders): as last seen, or as given before the window is first shown.
    QMargins FrameMargins() const { return m_margins; }
    // Neither maximized, minimized nor full screen.
    bool IsNormalState() const;
    void SetExpectedFrameMargins(const QMargins& margins);
    // The smallest outer size the window can be given.
    void SetMinTrackSize(QSize sizeOuter);
    // The outer rectangle of the window in its normal (restored) state, also
    // while it is maximized or minimized.
    QRect NormalFrameRect() const;
    // Places the window's normal outer rectangle; before the window is shown
    // with the expected margins, corrected once the real ones are known.
    void SetNormalFrameRect(const QRect& rcOuter);
    // The area windows may take on the screen the window is on (or would be
    // on, for a window not shown yet).
    QRect AvailableArea() const;
    // True once the window has been shown and its decorations are known.
    bool IsSettled() const { return m_bSettled; }
    // Runs fn once the window is settled (at once if it already is).
    void WhenSettled(std::function<void()> fn);

protected:
    // Builds the menu, the toolbar, the accelerators and the two status panes.
    // The recent-file list takes nRecentFiles places after the menu item
    // ID_FILE_MRU_FILE1.
    void CreateBars(const FrameBars& bars, unsigned nRecentFiles);
    // The frame offers no menu of its own on its bars.
    QMenu* createPopupMenu() override { return nullptr; }
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    QAction* MakeAction(unsigned nID, const QString& strText);
    void UpdatePane1Width();
    void RefreshFrameMargins();
    void ApplyMinimumSize();
    void Settle();
    bool ToolBarNeedsDecorating() const;
    void DecorateFloatingToolBar();
    void QueueToolBarDecoration();
    void QueueSettle();
    void ShowToolBarAndRecheck();
    void EnsureToolBarOnScreen();

    std::map<unsigned, QAction*> m_actions;  // menu items and toolbar buttons
    QList<QMenu*> m_popups;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pPane0 = nullptr;
    QLabel* m_pPane1 = nullptr;
    int m_nPane1MinWidth = 0;
    QString m_strPane1Format;
    CCmdTarget* m_pActiveView = nullptr;
    CCmdTarget* m_pAppTarget = nullptr;
    bool m_bUpdatePending = false;
    unsigned m_nRecentFiles = 0;
    QString m_strRecentPlaceholder;

    QMargins m_margins;        // decorations, as last known
    QMargins m_normalMargins;  // decorations while last in the normal state
    QSize m_sizeMinOuter;
    QRect m_rcWantedOuter;  // a normal rectangle applied before it could be checked
    QRect m_rcLastNormal;   // the outer rectangle while last seen normal
    QRect m_rcPrevNormal;   // and the one before it
    bool m_bSettled = false;
    bool m_bSettleQueued = false;
    bool m_bToolBarFixQueued = false;
    int m_nToolBarShowTries = 0;
    std::vector<std::function<void()>> m_whenSettled;
};
