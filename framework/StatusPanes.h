// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <vector>

class CMessagePane;
class QLabel;
class QStatusBar;

// A status pane after the message pane: at least nMinWidth pixels wide, and
// as wide as its current text needs when that is more.
struct StatusPaneDef {
    int nMinWidth = 0;
    // What a screen reader calls the pane; empty for none.
    QString strAccessibleName;
};

// The panes of a status bar: the message pane (number 0), which takes the
// room that is left, and the panes given, right-aligned after it. A text
// longer than the message pane's room ends in an ellipsis there, and shows
// whole again when the pane grows; Text(0) is always the whole text. Every pane
// keeps one height whatever it shows, so the bar never changes height when a
// text first arrives. Texts are plain, never markup (file and player names
// pass through here).
class CStatusPanes {
public:
    void Create(QStatusBar& bar, const std::vector<StatusPaneDef>& panes);

    // Sets the text of pane nPane; an unchanged text is not repainted (some
    // panes are written many times a second). Unknown panes are ignored.
    void SetText(int nPane, const QString& strText);
    QString Text(int nPane) const;
    QLabel* Pane(int nPane) const;

    // The widths and the height again, after the font or the style changed.
    void Refit();

private:
    void FitWidth(int nPane);

    CMessagePane* m_pMessage = nullptr;
    std::vector<QLabel*> m_panes;  // [0] is the message pane
    std::vector<int> m_minWidths;  // by pane number; [0] unused
};
