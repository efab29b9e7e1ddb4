// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

#include "framework/StatusPanes.h"

class CCommandRouter;
class CRecentFileMenu;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// A program's menu, toolbar, accelerators and status panes, as its frame
// builds them. Every item names a command number that the frame's router runs.
struct MenuItemDef {
    unsigned nID = 0;  // 0: a separator
    QString strText;   // with its mnemonic ("&Open..."), without the key
    // The command whose accelerator is shown beside the item; 0 for its own.
    unsigned nShowKeyOf = 0;
};

struct MenuDef {
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
    std::vector<MenuDef> menu;
    std::vector<ToolButtonDef> toolbar;
    std::vector<AccelDef> accelerators;
    QString strToolbarCaption;
    // What a screen reader calls the toolbar's button for the buttons that
    // do not fit ("More Buttons"), the menu bar, the status bar and its
    // corner that resizes the window.
    QString strToolbarMore;
    QString strMenuBar;
    QString strStatusBar;
    QString strSizeGrip;
    // The panes after the message pane, left to right.
    std::vector<StatusPaneDef> statusPanes;
};

// What a menu item shows: its text, and after a tab its key as the
// accelerator table names it.
QString MenuItemShownText(const QAction& action);
// A key as the program names it: its own name where the accelerator table
// gives one, else Qt's in the user's language ("Ctrl+O", in German "Strg+O").
QString ShownKeyName(const QKeySequence& key, const QString& strOwnName);

// The menus of the menu bar, each item with the key the accelerator table
// gives its command shown beside it; recent files go where the item
// ID_FILE_MRU_FILE1 stands.
QList<QMenu*> BuildMenus(QMainWindow& wnd, const FrameBars& bars, CCommandRouter& router,
                         CRecentFileMenu& recent);
// The dockable toolbar, at the top of the window.
QToolBar* BuildToolBar(QMainWindow& wnd, const FrameBars& bars, CCommandRouter& router);
// The accelerator keys, which work anywhere in the window, whether or not a
// menu item shows them.
void BindAccelerators(QMainWindow& wnd, const std::vector<AccelDef>& accelerators,
                      CCommandRouter& router);
