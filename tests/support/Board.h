// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Boards made by hand for the tests: an empty board, a crawler laid along a
// path of cells and tiled as play leaves it, items with their records, and
// the tests' own statement of the crawler's tiles (which piece joins which
// sides), written independently of the game's code. No test framework, no
// window: the benchmarks and fuzz targets may use it too.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "game/Cell.h"
#include "game/GameControl.h"
#include "game/GameState.h"

namespace testsupport {

// A cell as (x, y).
using Pos = std::pair<int32_t, int32_t>;

// The four directions of a move, in code order.
inline constexpr int32_t kMoves[] = {dirLeft, dirRight, dirUp, dirDown};

// The cell next to `p` in direction nDir.
inline Pos Moved(Pos p, int32_t nDir) {
    switch (nDir) {
        case dirLeft:
            return {p.first - 1, p.second};
        case dirRight:
            return {p.first + 1, p.second};
        case dirUp:
            return {p.first, p.second - 1};
        case dirDown:
            return {p.first, p.second + 1};
        default:
            return p;
    }
}

// The direction of the move from `a` to its neighbour `b`.
inline int32_t DirBetween(Pos a, Pos b) {
    for (int32_t nDir : kMoves) {
        if (Moved(a, nDir) == b) return nDir;
    }
    return dirNone;
}

// The key that asks for direction nDir (kOther for none).
inline GameKey KeyFor(int32_t nDir) {
    switch (nDir) {
        case dirLeft:
            return GameKey::kLeft;
        case dirRight:
            return GameKey::kRight;
        case dirUp:
            return GameKey::kUp;
        case dirDown:
            return GameKey::kDown;
        default:
            return GameKey::kOther;
    }
}

// The body piece of a cell entered moving `nIn` and left moving `nOut`: it
// joins the side it was entered from and the side it is left through. All
// twelve pairs that play can make (a reversal never happens).
struct Joint {
    int32_t nIn;
    int32_t nOut;
    int32_t nPiece;
};
inline constexpr Joint kJoints[] = {
    {dirLeft, dirLeft, ctBodyHorz},   {dirRight, dirRight, ctBodyHorz},
    {dirUp, dirUp, ctBodyVert},       {dirDown, dirDown, ctBodyVert},
    {dirLeft, dirUp, ctBodyUpRight},  {dirLeft, dirDown, ctBodyDownRight},
    {dirRight, dirUp, ctBodyUpLeft},  {dirRight, dirDown, ctBodyDownLeft},
    {dirUp, dirLeft, ctBodyDownLeft}, {dirUp, dirRight, ctBodyDownRight},
    {dirDown, dirLeft, ctBodyUpLeft}, {dirDown, dirRight, ctBodyUpRight},
};
inline int32_t BodyPiece(int32_t nIn, int32_t nOut) {
    for (const Joint& j : kJoints) {
        if (j.nIn == nIn && j.nOut == nOut) return j.nPiece;
    }
    return ctEmpty;
}

// The head after a move in direction nDir, smiling or frowning.
inline int32_t HeadFor(int32_t nDir, bool bFrown = false) {
    int32_t nHead = ctHeadDown;
    switch (nDir) {
        case dirLeft:
            nHead = ctHeadLeft;
            break;
        case dirRight:
            nHead = ctHeadRight;
            break;
        case dirUp:
            nHead = ctHeadUp;
            break;
        default:
            break;
    }
    return bFrown ? nHead + (ctFrownRight - ctHeadRight) : nHead;
}

// The tail tip whose next segment lies in direction nDir.
inline int32_t TailFor(int32_t nDir) {
    return ctTailLeft + (nDir - dirLeft);
}

inline bool IsItem(int32_t nType) {
    return nType >= ctSkull && nType <= ctCoin;
}

// An empty w x h board: no crawler, no items, score 0, not started, at 250 ms.
// The countdowns are set high, so that no item is placed and no dropping left
// unless a test asks for it, and the generator is seeded with 1.
inline void BlankBoard(GameState& game, int32_t w, int32_t h) {
    game.Clear();
    game.m_nWidth = w;
    game.m_nHeight = h;
    game.m_pCells = std::make_unique<Cell[]>(game.CellCount());
    game.m_nHeadX = game.m_nHeadY = 0;
    game.m_nScore = 0;
    game.m_nSpeed = 250;
    game.m_nSpawnCountdown = 1000;
    game.m_nBonusCountdown = 0;
    game.m_nDropCountdown = 1000;
    game.m_nFrownCountdown = 0;
    game.m_nDirection = dirNone;
    game.m_nLastDirection = dirNone;
    game.m_bPaused = false;
    game.m_bLoadedGame = false;
    game.m_random.Seed(1);
}

// Lays the crawler along `cells` (tail first, each next to the one before,
// at least two), tiled as play leaves it and moving in the direction of its
// last segment.
inline void LayCrawler(GameState& game, const std::vector<Pos>& cells) {
    game.m_aBody.clear();
    const size_t n = cells.size();
    for (size_t i = 0; i < n; ++i) {
        const auto [x, y] = cells[i];
        const int32_t nOut = i + 1 < n ? DirBetween(cells[i], cells[i + 1]) : dirNone;
        const int32_t nIn = i > 0 ? DirBetween(cells[i - 1], cells[i]) : dirNone;
        Cell& cell = game.CellAt(x, y);
        if (i == 0) {
            cell.nType = TailFor(nOut);
        } else if (i + 1 < n) {
            cell.nType = BodyPiece(nIn, nOut);
        } else {
            cell.nType = HeadFor(nIn);
        }
        CellRef ref;
        ref.Set(&cell, x, y, nOut);
        game.m_aBody.push_back(ref);
    }
    game.m_nHeadX = cells.back().first;
    game.m_nHeadY = cells.back().second;
    game.m_nDirection = game.m_nLastDirection = DirBetween(cells[n - 2], cells[n - 1]);
}

// An item of type nType living nValue more steps at (x, y), with its record.
inline void PutItem(GameState& game, int32_t x, int32_t y, int32_t nType, int32_t nValue) {
    Cell& cell = game.CellAt(x, y);
    cell.nType = nType;
    cell.nValue = nValue;
    CellRef ref;
    ref.Set(&cell, x, y, dirNone);
    game.m_aItems.push_back(ref);
}

// A crawler or item record as the tests expect it (no link).
inline CellRef Ref(int32_t nDir, int32_t x, int32_t y) {
    CellRef ref;
    ref.nDir = nDir;
    ref.x = x;
    ref.y = y;
    return ref;
}

}  // namespace testsupport
