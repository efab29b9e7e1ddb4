// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

// How to play: the keys, what each item does and scores, what ends a game,
// droppings, the boards and speeds and the score tables. One page of plain
// text in a window the player can resize, with a Close button.
class CHowToPlayDlg : public QDialog {
public:
    explicit CHowToPlayDlg(QWidget* pParent);
};
