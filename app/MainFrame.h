// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

#include "framework/FrameWnd.h"
#include "view/ViewFrame.h"

struct BarState;

// The program's main window. It gives the game a way into the status bar and
// keeps the game's last message where the idle prompt would come back.
class CMainFrame : public CFrameWnd, public ViewFrame {
public:
    CMainFrame();

    // Pane 0 by string number ("Ready" clears the game's message) or by text;
    // other panes take the text as it is.
    void SetStatusText(int nPane, unsigned nStringID) override;
    void SetStatusText(int nPane, const QString& strText) override;
    QString GetMessageString(unsigned nID) const override;

    void RequestCommandUIUpdate() override { CFrameWnd::RequestCommandUIUpdate(); }
    void ShowContextMenu(const QPoint& ptGlobal) override;
    QString BoardName() const override;

    // The toolbars' docking state as it was kept, and the window decorations
    // last seen, so that a stored placement is right from the first moment
    // the window shows.
    void RestoreBarState(const BarState& state);
    // The same as it is now, to be kept.
    BarState CurrentBarState() const;
    // Called as the window closes, while it is still on screen.
    void SetClosingHandler(std::function<void()> fn) { m_fnClosing = std::move(fn); }

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    QString m_strStatusText;
    std::function<void()> m_fnClosing;
};
