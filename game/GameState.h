// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "game/Cell.h"
#include "game/GameRandom.h"

// One game: the board, the crawler, the items, the score and the countdowns,
// in plain fields that the step, the spawner, the view and the saved-game
// file use directly. The document holds one and refills it for every game.
class GameState {
public:
    // The crawler, tail first, head last (empty before the first move).
    std::deque<CellRef> m_aBody;
    // Item records in order of creation.
    std::vector<CellRef> m_aItems;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nHeadX = 0;
    int32_t m_nHeadY = 0;
    int32_t m_nScore = 0;
    int32_t m_nSpeed = 0;
    int32_t m_nSpawnCountdown = 0;
    int32_t m_nBonusCountdown = 0;
    int32_t m_nDropCountdown = 0;
    int32_t m_nFrownCountdown = 0;
    int32_t m_nDirection = dirNone;
    int32_t m_nLastDirection = dirNone;
    bool m_bPaused = false;
    bool m_bLoadedGame = false;
    // The board, row-major; null while no game is held.
    std::unique_ptr<Cell[]> m_pCells;

    // The generator that drives play, seeded for each new or opened game.
    GameRandom m_random;

    bool HasBoard() const { return m_pCells != nullptr; }
    bool IsOnBoard(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight;
    }
    size_t CellCount() const {
        return static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight);
    }
    Cell& CellAt(int32_t x, int32_t y) { return m_pCells[Index(x, y)]; }
    const Cell& CellAt(int32_t x, int32_t y) const { return m_pCells[Index(x, y)]; }
    Cell* CellPtr(int32_t x, int32_t y) { return &m_pCells[Index(x, y)]; }

    // Lays out a new game of nWidth x nHeight cells (both within the board
    // limits) at nSpeedMs per tick: the crawler's start square in the middle,
    // the first item at a distance. The generator must have been seeded.
    void NewGame(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
    // A fresh dropping countdown (one draw): 7..84 ticks.
    int32_t DrawDropCountdown();

    // Drops the board and both record lists; the numbers keep their values.
    void Clear();

    // Item spawner: place an item every few calls on a random free square
    // (true: a placement was due; x, y name the square when one was found),
    // and age all items, removing at most one expired item per call.
    bool SpawnItem(int32_t& x, int32_t& y);
    bool AgeItems(int32_t& x, int32_t& y);

private:
    size_t Index(int32_t x, int32_t y) const;
};
