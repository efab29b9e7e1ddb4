// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Menus.h"

#include "framework/AccessibleObjects.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {

// A menu item, or a separator (nID 0). pszText is the translation id of its
// text; the English text after "//%" is the source.
struct ItemText {
    unsigned nID;
    const char* pszText = nullptr;
    unsigned nShowKeyOf = 0;
};

struct PopupText {
    const char* pszText;
    std::initializer_list<ItemText> items;
};

// "&New..." shows F2, the key of the new-game command without the dialog.
// The "&" marks the letter that opens the item from the keyboard.
const PopupText kMenu[] = {
    //% "&Game"
    {QT_TRID_NOOP("menu.game"),
     {
         //% "&New..."
         {ID_NEW_GAME, QT_TRID_NOOP("menu.game.new"), ID_FILE_NEW},
         //% "&Open..."
         {ID_FILE_OPEN, QT_TRID_NOOP("menu.game.open")},
         //% "&Save"
         {ID_FILE_SAVE, QT_TRID_NOOP("menu.game.save")},
         //% "Save &As..."
         {ID_FILE_SAVE_AS, QT_TRID_NOOP("menu.game.save_as")},
         {0},
         //% "&Print..."
         {ID_FILE_PRINT, QT_TRID_NOOP("menu.game.print")},
         //% "Print Pre&view"
         {ID_FILE_PRINT_PREVIEW, QT_TRID_NOOP("menu.game.print_preview")},
         //% "P&rint Setup..."
         {ID_FILE_PRINT_SETUP, QT_TRID_NOOP("menu.game.print_setup")},
         {0},
         //: Shown, grayed, in place of the recently opened games while there are none.
         //% "Recent File"
         {ID_FILE_MRU_FILE1, QT_TRID_NOOP("menu.game.recent_file")},
         {0},
         //% "E&xit"
         {ID_APP_EXIT, QT_TRID_NOOP("menu.game.exit")},
     }},
    //% "&View"
    {QT_TRID_NOOP("menu.view"),
     {
         //% "&Toolbar"
         {ID_VIEW_TOOLBAR, QT_TRID_NOOP("menu.view.toolbar")},
         //% "&Status Bar"
         {ID_VIEW_STATUS_BAR, QT_TRID_NOOP("menu.view.status_bar")},
         {0},
         //% "&High Scores..."
         {ID_HIGH_SCORES, QT_TRID_NOOP("menu.view.high_scores")},
     }},
    //% "&Options"
    {QT_TRID_NOOP("menu.options"),
     {
         //% "&Pause"
         {ID_PAUSE, QT_TRID_NOOP("menu.options.pause")},
         //: Checked while the sounds are off.
         //% "&Sound Off"
         {ID_SOUNDS, QT_TRID_NOOP("menu.options.sound_off")},
         {0},
         //% "&Auto Resize"
         {ID_AUTO_RESIZE, QT_TRID_NOOP("menu.options.auto_resize")},
     }},
    //% "&Help"
    {QT_TRID_NOOP("menu.help"),
     {
         //% "&How to Play..."
         {ID_HOW_TO_PLAY, QT_TRID_NOOP("menu.help.how_to_play")},
         {0},
         //% "&About Coilix..."
         {ID_APP_ABOUT, QT_TRID_NOOP("menu.help.about")},
     }},
};

}  // namespace

FrameBars MainFrameBars() {
    FrameBars bars;
    for (const PopupText& popup : kMenu) {
        MenuDef def{qtTrId(popup.pszText), {}};
        for (const ItemText& item : popup.items) {
            if (item.nID == 0) {
                def.items.push_back({});
            } else {
                def.items.push_back({item.nID, qtTrId(item.pszText), item.nShowKeyOf});
            }
        }
        bars.menu.push_back(std::move(def));
    }
    bars.toolbar = {
        {ID_FILE_NEW, "new"},
        {ID_FILE_OPEN, "open"},
        {ID_FILE_SAVE, "save"},
        {0, {}},
        {ID_PAUSE, "pause"},
        {ID_SOUNDS, "sound_off"},
        {ID_AUTO_RESIZE, "auto_resize"},
        {0, {}},
        {ID_FILE_PRINT, "print"},
        {ID_APP_ABOUT, "about"},
    };
    bars.accelerators = {
        {QKeySequence(Qt::CTRL | Qt::Key_H), ID_HIGH_SCORES},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::Key_Escape), ID_APP_EXIT},
        {QKeySequence(Qt::Key_F1), ID_HOW_TO_PLAY},
        {QKeySequence(Qt::Key_F2), ID_FILE_NEW},
        //: How the menu names the Pause key, beside the Pause item; keyboards label
        //: that key Pause or Break.
        //% "Break"
        {QKeySequence(Qt::Key_Pause), ID_PAUSE, qtTrId("key.break")},
    };
    bars.strToolbarCaption = LoadQString(IDS_TOOLBAR);
    //: What a screen reader calls the button that shows the toolbar's hidden buttons.
    //% "More Buttons"
    bars.strToolbarMore = qtTrId("toolbar.more");
    //: What a screen reader calls the bar of menus at the top of the window.
    //% "Menu Bar"
    bars.strMenuBar = qtTrId("bar.menu");
    // The status bar is called as the View menu's item for it is.
    bars.strStatusBar = TextWithoutMnemonic(qtTrId("menu.view.status_bar"));
    bars.strSizeGrip = SizeGripAccessibleName();
    // The score pane, after the message pane.
    bars.statusPanes = {{kScorePaneMinWidth, {}}};
    return bars;
}

QString CommandKeyName(unsigned nID) {
    for (const AccelDef& accel : MainFrameBars().accelerators) {
        if (accel.nID == nID) return ShownKeyName(accel.key, accel.strKeyName);
    }
    return {};
}

QString MenuPath(unsigned nID) {
    for (const MenuDef& menu : MainFrameBars().menu) {
        for (const MenuItemDef& item : menu.items) {
            if (item.nID == nID && nID != 0)
                return TextWithoutMnemonic(menu.strText) + QStringLiteral(" > ") +
                       TextWithoutMnemonic(item.strText);
        }
    }
    return {};
}

QString SizeGripAccessibleName() {
    //: What a screen reader calls the corner of the status bar that one drags to
    //: resize the window.
    //% "Resize Window"
    return qtTrId("bar.size_grip");
}

QString BoardAccessibleName() {
    //: What a screen reader calls the board.
    //% "Board"
    return qtTrId("board.name");
}
