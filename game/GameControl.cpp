// SPDX-License-Identifier: GPL-3.0-or-later
// The view's control rules: keys, the game timer, Pause and the cursor.
#include "game/GameControl.h"

#include "game/GameHost.h"
#include "game/GameState.h"

void GameControl::StopTimer() {
    if (m_bTimerRunning) {
        m_host.KillTimer();
        m_bTimerRunning = false;
    }
}

void GameControl::OnInitialUpdate() {
    StopTimer();
}

void GameControl::ShowInitialStatus() {
    m_host.SetScore(m_game.m_nScore);
    if (m_game.m_nDirection == dirGameOver) {
        m_host.SetMessage(GameMessage::kGameOver);
    } else if (m_game.m_nDirection == dirNone) {
        m_host.SetMessage(GameMessage::kReady);
    } else {
        m_host.SetMessage(GameMessage::kPause);
    }
}

void GameControl::OnKeyDown(GameKey key) {
    GameState& game = m_game;
    if (game.m_nDirection == dirGameOver) return;
    m_host.HideCursor();

    // An arrow asks for its direction unless that is the way back from the
    // direction asked for last; any arrow ends a pause.
    if (key != GameKey::kOther) {
        const auto d = static_cast<int32_t>(key);
        if (game.m_nDirection != OppositeDirection(d)) game.m_nDirection = d;
        game.m_bPaused = false;
    }

    if (!m_bTimerRunning && game.m_nDirection != dirNone)
        m_bTimerRunning = m_host.StartTimer(game.m_nSpeed);
}

void GameControl::OnTimer() {
    if (!m_game.m_bPaused && m_game.m_nDirection != dirGameOver && m_game.HasBoard()) GameStep();
}

void GameControl::OnPause() {
    GameState& game = m_game;
    const bool bInProgress = game.m_nDirection != dirNone && game.m_nDirection != dirGameOver;
    game.m_bPaused = !game.m_bPaused && bInProgress;
    if (game.m_bPaused) {
        m_host.ShowCursor();
        m_host.SetMessage(GameMessage::kPause);
    } else {
        // The next tick writes "Playing..." again.
        m_host.HideCursor();
    }
}

void GameControl::OnPlayerAway() {
    if (m_bTimerRunning && IsMoving(m_game.m_nDirection) && !m_game.m_bPaused) OnPause();
}

bool GameControl::IsPauseEnabled() const {
    return IsMoving(m_game.m_nDirection);
}

bool GameControl::IsPauseChecked() const {
    return m_game.m_bPaused;
}

void GameControl::OnDestroy() {
    if (m_bTimerRunning) m_host.KillTimer();
    m_host.ShowCursor();
}
