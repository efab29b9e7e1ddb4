// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QStringList>

// How to play: the keys, what each item does and scores, what ends a game,
// droppings, the boards and speeds and the score tables. One page of plain
// text in a window the player can resize, with a Close button.
class CHowToPlayDlg : public QDialog {
public:
    explicit CHowToPlayDlg(QWidget* pParent);
};

// The page's parts in the current language, in order: a paragraph, then
// parts that each start with a heading line. The numbers come from the rules,
// the keys and the menu item from the menus, so the page says what the game
// does.
QStringList HowToPlayParts();
