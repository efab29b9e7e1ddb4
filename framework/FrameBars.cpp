// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FrameBars.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QShortcut>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>

#include "devices/PngResource.h"
#include "framework/AccessibleObjects.h"
#include "framework/CommandRouter.h"
#include "framework/RecentFileMenu.h"
#include "framework/ResString.h"
#include "framework/StdIds.h"

namespace {

// The property of a menu item's action that holds its key's own name.
constexpr const char* kKeyNameProperty = "frameKeyName";

// The toolbar's images: 16 x 15 pixels, and sets drawn at two and three
// times that for high-density screens (toolbar/2x/, toolbar/3x/).
constexpr QSize kButtonImage(16, 15);
constexpr int kButtonImageScales = 3;

// A menu that shows each item's key as the accelerator table names it
// (the Pause key as "Break").
class CMenu : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* pOption, const QAction* pAction) const override {
        QMenu::initStyleOption(pOption, pAction);
        if (pOption->menuItemType == QStyleOptionMenuItem::Normal)
            pOption->text = MenuItemShownText(*pAction);
    }
};

const AccelDef* AcceleratorOf(const FrameBars& bars, unsigned nID) {
    for (const AccelDef& accel : bars.accelerators) {
        if (accel.nID == nID) return &accel;
    }
    return nullptr;
}

// The key is the item's shortcut, so the menu shows it and a screen reader
// reads it apart from the item's name; the accelerator table binds it.
void ShowKey(QAction& action, const AccelDef& accel) {
    action.setShortcut(accel.key);
    action.setProperty(kKeyNameProperty, accel.strKeyName);
    action.setShortcutContext(Qt::WidgetShortcut);
    action.setShortcutVisibleInContextMenu(true);
}

}  // namespace

QString MenuItemShownText(const QAction& action) {
    const QKeySequence key = action.shortcut();
    if (key.isEmpty()) return action.text();
    return action.text() + QLatin1Char('\t') +
           ShownKeyName(key, action.property(kKeyNameProperty).toString());
}

QString ShownKeyName(const QKeySequence& key, const QString& strOwnName) {
    return strOwnName.isEmpty() ? key.toString(QKeySequence::NativeText) : strOwnName;
}

QList<QMenu*> BuildMenus(QMainWindow& wnd, const FrameBars& bars, CCommandRouter& router,
                         CRecentFileMenu& recent) {
    QList<QMenu*> menus;
    wnd.menuBar()->setAccessibleName(bars.strMenuBar);
    for (const MenuDef& def : bars.menu) {
        QMenu* pMenu = new CMenu(def.strText, &wnd);
        // A screen reader names the opened menu as the menu bar's item does.
        pMenu->setAccessibleName(TextWithoutMnemonic(def.strText));
        wnd.menuBar()->addMenu(pMenu);
        menus.append(pMenu);
        for (const MenuItemDef& item : def.items) {
            if (item.nID == 0) {
                pMenu->addSeparator();
                continue;
            }
            QAction* pAction = router.MakeAction(item.nID, item.strText);
            const unsigned nKeyOf = item.nShowKeyOf != 0 ? item.nShowKeyOf : item.nID;
            if (const AccelDef* pAccel = AcceleratorOf(bars, nKeyOf)) ShowKey(*pAction, *pAccel);
            pMenu->addAction(pAction);
            if (item.nID == ID_FILE_MRU_FILE1) recent.AddPlaces(*pMenu, item.strText);
        }
        // Items are brought up to date as the menu opens.
        QObject::connect(pMenu, &QMenu::aboutToShow, &router, [&router] { router.UpdateAll(); });
    }
    return menus;
}

QToolBar* BuildToolBar(QMainWindow& wnd, const FrameBars& bars, CCommandRouter& router) {
    auto* pToolBar = new QToolBar(bars.strToolbarCaption, &wnd);
    pToolBar->setObjectName("Toolbar");
    pToolBar->setIconSize(kButtonImage);
    pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    pToolBar->setFloatable(true);
    pToolBar->setMovable(true);
    pToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const ToolButtonDef& button : bars.toolbar) {
        if (button.nID == 0) {
            pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = router.MakeAction(button.nID, ToolTipOf(button.nID));
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(
            ReadPngResource(QStringLiteral(":/toolbar/%1.png").arg(button.strImage))));
        // The larger pictures only where a screen has the density for them
        // (a picture added is read at once).
        for (int nScale = 2; nScale <= kButtonImageScales; ++nScale) {
            if (qApp->devicePixelRatio() <= nScale - 1) break;
            icon.addPixmap(QPixmap::fromImage(ReadPngResource(
                QStringLiteral(":/toolbar/%1x/%2.png").arg(nScale).arg(button.strImage))));
        }
        pAction->setIcon(icon);
        pToolBar->addAction(pAction);
    }
    wnd.addToolBar(Qt::TopToolBarArea, pToolBar);
    // The toolbar's own button for what does not fit has no name of its own.
    for (QToolButton* pButton : pToolBar->findChildren<QToolButton*>(
             QStringLiteral("qt_toolbar_ext_button"), Qt::FindDirectChildrenOnly)) {
        pButton->setAccessibleName(bars.strToolbarMore);
    }
    return pToolBar;
}

void BindAccelerators(QMainWindow& wnd, const std::vector<AccelDef>& accelerators,
                      CCommandRouter& router) {
    for (const AccelDef& accel : accelerators) {
        auto* pShortcut = new QShortcut(accel.key, &wnd);
        pShortcut->setContext(Qt::WindowShortcut);
        const unsigned nID = accel.nID;
        QObject::connect(pShortcut, &QShortcut::activated, &router,
                         [&router, nID] { router.Route(nID); });
    }
}
