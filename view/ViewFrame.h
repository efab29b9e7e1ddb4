// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QString>

// What the view needs of the main window around it. The program's frame
// implements it; the view never reaches further up.
class ViewFrame {
public:
    // The status bar's panes: the game's messages and prompts, and the score.
    static constexpr int kMessagePane = 0;
    static constexpr int kScorePane = 1;

    virtual ~ViewFrame() = default;

    // Status bar: pane 0 by string number (the idle prompt clears the game's
    // message) or by text; other panes take the text as it is.
    virtual void SetStatusText(int nPane, unsigned nStringID) = 0;
    virtual void SetStatusText(int nPane, const QString& strText) = 0;
    // Menu items and toolbar buttons are brought up to date soon.
    virtual void RequestCommandUIUpdate() = 0;
    // The right-click menu, at a point on the screen.
    virtual void ShowContextMenu(const QPoint& ptGlobal) = 0;
    // What a screen reader calls the board.
    virtual QString BoardName() const = 0;
};
