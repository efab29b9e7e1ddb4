// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "framework/FrameWnd.h"
#include "view/ViewFrame.h"

class CCoilixApp;

// The program's main window. It gives the game a way into the status bar and
// keeps the game's last message where the idle prompt would come back.
class CMainFrame : public CFrameWnd, public ViewFrame {
public:
    explicit CMainFrame(CCoilixApp& app);

    // Pane 0 by string number ("Ready" clears the game's message) or by text;
    // other panes take the text as it is.
    void SetStatusText(int nPane, unsigned nStringID) override;
    void SetStatusText(int nPane, const QString& strText) override;
    QString GetMessageString(unsigned nID) const override;

    void RequestCommandUIUpdate() override { CFrameWnd::RequestCommandUIUpdate(); }
    void ShowContextMenu(const QPoint& ptGlobal) override;
    void EnterNewScore(int nRow) override;
    void ShowHighScores() override;
    QString BoardName() const override;

    // Restores the toolbar's saved docking state (profile name "Control"),
    // and the window decorations last seen, so that a stored placement is
    // right from the first moment the window shows.
    void LoadBarState();
    // Called as the window closes, before its placement is captured.
    void SetClosingHandler(std::function<void()> fn) { m_fnClosing = std::move(fn); }

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void SaveBarState();

    CCoilixApp& m_app;
    QString m_strStatusText;
    std::function<void()> m_fnClosing;
};

// The main window's placement, as the settings keep it, and back. The normal
// rectangle is the frame's outer one, decorations included, as the window
// manager places it.
struct WindowPlacement;
WindowPlacement CaptureWindowPlacement(const CFrameWnd& wnd);
void ApplyWindowPlacement(CFrameWnd& wnd, const WindowPlacement& wp);
// The stored normal rectangle when it can be a window's: a positive size no
// larger than the largest screen, and coordinates far from the integer
// limits. Anything else is not used.
std::optional<QRect> SaneNormalRect(const WindowPlacement& wp);
