// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QSize>
#include <QString>
#include <chrono>
#include <optional>

#include "framework/ScrollView.h"
#include "game/GameControl.h"
#include "game/GameHost.h"
#include "view/BoardPainter.h"

class CCoilixDoc;
class CSoundPlayer;
class GameSettings;
class QPainter;
class ViewFrame;

// The game's view: shows the board in square cells of kTilePixels (its
// CBoardPainter draws them); takes the keys, runs the game timer, centres or
// scrolls the board, and fits the main window to it. The rules of play are
// GameControl's; this class is their window.
class CCoilixView : public CScrollView, public GameHost {
public:
    CCoilixView(CCoilixDoc& doc, GameSettings& settings, CSoundPlayer& sounds,
                QWidget* pParent = nullptr);
    ~CCoilixView() override;

    // The main window around the view; the board takes its accessible name from it.
    void SetFrame(ViewFrame* pFrame);
    // Who enters a finished game's score into the table (EnterNewScore).
    void SetNewScoreHandler(std::function<void()> fn) { m_fnNewScore = std::move(fn); }
    // While the program's very first start is set up (no window placement
    // kept), each update fits the main window to the board.
    void SetFirstStart(bool bFirstStart) { m_bFirstStart = bFirstStart; }

    // A new or opened game is shown: timer stopped, sizes, fit, status, centre.
    void OnInitialUpdate();
    // Recomputes the offsets and scroll sizes and repaints everything.
    void OnUpdate();
    void CenterScrollPosition();
    void OnAutoResize();
    // The window is going away.
    void OnDestroy();

    GameControl& Control() { return m_control; }
    // A steering key (or kOther for any other key), from the keyboard or from
    // a gamepad: the rules of GameControl::OnKeyDown, whichever sent it.
    void Steer(GameKey key);
    int OffsetX() const { return m_nOffsetX; }
    int OffsetY() const { return m_nOffsetY; }
    QSize PageSize() const { return m_sizePage; }

    // What draws the board, on screen here and on paper for printing.
    CBoardPainter& BoardPainter() { return m_boardPainter; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // The rules' hand-over points.
    void SetMessage(GameMessage message) override;
    void SetScore(int32_t nScore) override;
    void PlaySound(int nSoundID) override;
    void InvalidateCell(int32_t x, int32_t y) override;
    void KeepHeadInView() override;
    bool StartTimer(int nIntervalMs) override;
    void KillTimer() override;
    void HideCursor() override;
    void ShowCursor() override;
    void EnterNewScore() override;

protected:
    void OnDraw(QPainter& painter, const QRegion& rgnInvalid) override;
    void OnSize(int cx, int cy) override;
    void OnFrameOnScreen() override;

    void keyPressEvent(QKeyEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    // Watches the main window for being minimised.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The board's size in pixels.
    QSize BoardSize() const;
    void ComputeOffsets(int cx, int cy);
    void ApplyScrollSizes();
    void UpdateAccessibleDescription();
    // The player's sound switch, read at the moment a sound would play.
    bool SoundsOn() const;
    // When the tick being handled was due.
    std::chrono::steady_clock::time_point TickDue() const;
    // The player turned away: a game on its way pauses.
    void OnPlayerAway();

    CCoilixDoc& m_doc;
    GameSettings& m_settings;
    CSoundPlayer& m_sounds;
    ViewFrame* m_pFrame = nullptr;
    std::function<void()> m_fnNewScore;
    bool m_bFirstStart = false;
    GameControl m_control;
    CBoardPainter m_boardPainter;

    QSize m_sizePage{0, 0};
    // Where the mouse was when the view hid the cursor; empty while it shows.
    // Hidden, the cursor is Qt's blank override cursor, set once.
    std::optional<QPoint> m_ptCursorHiddenAt;
    int m_nQtTimer = 0;  // the running game timer, 0 when none
    // When the game timer was started and its period: the ticks are due on
    // that grid, and the sounds of a tick are due with it.
    std::chrono::steady_clock::time_point m_tTimerStart;
    std::chrono::milliseconds m_timerPeriod{0};
    std::optional<std::chrono::steady_clock::time_point> m_tTickDue;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    QPoint m_ptTickOrigin;  // drawing origin of the current tick
    bool m_bRightDown = false;
    QString m_strScoreText;  // for a screen reader: the score and the state
    QString m_strStateText;
};
