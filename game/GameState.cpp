// SPDX-License-Identifier: GPL-3.0-or-later
// A new game's layout and the clearing of a game.
#include "game/GameState.h"

#include <cassert>
#include <cstdlib>

#include "game/Limits.h"

size_t GameState::Index(int32_t x, int32_t y) const {
    assert(IsOnBoard(x, y) && HasBoard());
    return static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) + static_cast<size_t>(x);
}

void GameState::NewGame(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    assert(IsBoardSideAllowed(nWidth) && IsBoardSideAllowed(nHeight));
    Clear();
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_nScore = 0;
    m_nHeadX = (m_nWidth - 1) / 2;
    m_nHeadY = (m_nHeight - 1) / 2;
    m_nSpeed = nSpeedMs;
    m_nSpawnCountdown = 0;
    m_nBonusCountdown = 0;
    m_nDropCountdown = DrawDropCountdown();
    m_nFrownCountdown = 0;
    m_nLastDirection = dirNone;
    m_nDirection = dirNone;
    m_bPaused = false;
    m_bLoadedGame = false;

    m_pCells = std::make_unique<Cell[]>(CellCount());

    // Lay out the first item away from the crawler: an item that lands within
    // one row or column of the middle is wiped and the spawner is asked again.
    int32_t x = m_nHeadX;
    int32_t y = m_nHeadY;
    do {
        CellAt(x, y).nType = ctEmpty;
        SpawnItem(x, y);
    } while (std::abs(m_nHeadX - x) < kFirstItemMinDistance ||
             std::abs(m_nHeadY - y) < kFirstItemMinDistance);

    CellAt(m_nHeadX, m_nHeadY).nType = ctStart;
}

int32_t GameState::DrawDropCountdown() {
    return kDropCountdownBase + m_random.Draw(kDropCountdownSpread);
}

void GameState::Clear() {
    m_aBody.clear();
    m_aBody.shrink_to_fit();
    m_aItems.clear();
    m_aItems.shrink_to_fit();
    m_pCells.reset();
}
