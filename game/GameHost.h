// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// What the rules of play need from the window around them. The rules never
// reach the window any other way; the view implements this, and so do the
// tests and the headless driver.

// The messages the rules put into the status bar's message pane.
enum class GameMessage {
    kReady,         // the idle prompt: a new game waits for its first key
    kPlaying,       // "Playing..."
    kPause,         // "Pause"
    kGameOver,      // "Game over"
    kNewHighScore,  // "New high score"
};

// The sounds of play, by the number of their wave resource.
enum SoundId : int {
    IDW_MOVE = 150,
    IDW_APPLE = 152,
    IDW_COIN = 153,
    IDW_SKULL = 154,
    IDW_CRASH = 155,
    IDW_DROPPING = 156,
    IDW_HIGH_SCORE = 159,
};

class GameHost {
public:
    virtual ~GameHost() = default;

    // Status bar: the message pane, and the score pane ("Score: %ld").
    virtual void SetMessage(GameMessage message) = 0;
    virtual void SetScore(int32_t nScore) = 0;

    // The sound of an event of play: played at once, cutting off any sound
    // still playing, if sounds are switched on at this moment; else nothing.
    virtual void PlaySound(int nSoundID) = 0;

    // The cell (x, y) changed and must be repainted.
    virtual void InvalidateCell(int32_t x, int32_t y) = 0;

    // Scroll so that the head stays inside the window (last act of a tick).
    virtual void KeepHeadInView() = 0;

    // Game timer: start it with the interval in milliseconds (false when
    // refused) and stop it. Each period of it is GameControl::OnTimer.
    virtual bool StartTimer(int nIntervalMs) = 0;
    virtual void KillTimer() = 0;

    // Mouse cursor: hide it for play and show it again; either does nothing
    // when the cursor is so already. The window also shows it once the
    // mouse really moves.
    virtual void HideCursor() = 0;
    virtual void ShowCursor() = 0;

    // A finished game's score enters the score table of its board and speed:
    // ask the player's name, have the row placed in the stored table, show
    // the table. The table in memory is the store's to change.
    virtual void EnterNewScore() = 0;
};
