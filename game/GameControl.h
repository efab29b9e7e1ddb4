// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/Cell.h"

class GameState;
class GameHost;
class HighScoreTable;

// Keys as they reach the view: each arrow is the direction it asks for.
enum class GameKey : int32_t {
    kLeft = dirLeft,
    kRight = dirRight,
    kUp = dirUp,
    kDown = dirDown,
    kOther = dirNone,
};

// The control side of the view without a window: which keys steer, when the
// game timer starts, what Pause does, when a tick runs the game step, the game
// step itself with the crawler's body and tail, and the end of a game with the
// high-score entry. The view calls these; tests and the driver do the same.
class GameControl {
public:
    // The table is the current board's, reloaded for every new or opened game;
    // the game only reads it, to tell whether a score enters.
    GameControl(GameState& game, const HighScoreTable& scoreTable, GameHost& host)
        : m_game(game), m_scoreTable(scoreTable), m_host(host) {}

    // A new or opened game is about to be shown: no game timer may run.
    void OnInitialUpdate();
    // Then the score and the state of the game go into the status bar.
    void ShowInitialStatus();
    void OnKeyDown(GameKey key);
    // A period of the game timer: runs a step while the game is neither paused
    // nor over (and a board is held).
    void OnTimer();
    void OnPause();
    // The player turned away (the window minimised, another program in
    // front): a game on its way pauses as Pause pauses it. A game not yet
    // started, paused or over stays as it is.
    void OnPlayerAway();
    bool IsPauseEnabled() const;
    bool IsPauseChecked() const;
    // The window is going away: stop the timer, give the cursor back.
    void OnDestroy();

    // One tick of play.
    void GameStep();

    bool IsTimerRunning() const { return m_bTimerRunning; }

private:
    // The pieces of a tick, in the order they run.
    void CountDown();
    void FirstMove(int32_t d);
    void HitWall(int32_t d);
    // Moves the head onto the next cell; returns whether the tail follows.
    bool MoveAhead(int32_t d, int32_t nx, int32_t ny);
    void RetileNeck(int32_t d);
    void RetileAsBody(size_t nIndex, int32_t d);
    void AdvanceTail(int32_t nDirAtEntry);
    void AgeAndSpawnItems();
    void GameOver();

    void StopTimer();

    GameState& m_game;
    const HighScoreTable& m_scoreTable;
    GameHost& m_host;
    bool m_bTimerRunning = false;
};
