#pragma once
#include <QString>
#include <functional>

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

    // Restores the toolbar's saved docking state (profile name "Control").
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

// The main window's placement, as the settings keep it, and back.
class QMainWindow;
struct WindowPlacement;
WindowPlacement CaptureWindowPlacement(const QMainWindow& wnd);
void ApplyWindowPlacement(QMainWindow& wnd, const WindowPlacement& wp);
