// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

class GameRandom;

// What a board square holds. Values 1..18 and 23 draw the crawler, one tile per
// segment; 19..22 are items.
enum CellType : int32_t {
    ctEmpty = 0,
    ctBodyHorz = 1,
    ctBodyVert = 2,
    ctHeadRight = 3,
    ctHeadLeft = 4,
    ctHeadDown = 5,
    ctHeadUp = 6,
    ctFrownRight = 7,
    ctFrownLeft = 8,
    ctFrownDown = 9,
    ctFrownUp = 10,
    ctBodyUpRight = 11,
    ctBodyDownRight = 12,
    ctBodyDownLeft = 13,
    ctBodyUpLeft = 14,
    ctTailLeft = 15,
    ctTailRight = 16,
    ctTailUp = 17,
    ctTailDown = 18,
    ctSkull = 19,
    ctDropping = 20,
    ctApple = 21,
    ctCoin = 22,
    ctStart = 23,
};

constexpr int32_t kCellTypeCount = 24;

// Direction codes of m_nDirection, m_nLastDirection and CellRef::nDir.
enum Direction : int32_t {
    dirNone = 0,
    dirLeft = 1,
    dirRight = 2,
    dirUp = 3,
    dirDown = 4,
    dirGameOver = 5,
};

constexpr bool IsMoving(int32_t nDir) {
    return nDir >= dirLeft && nDir <= dirDown;
}

constexpr int32_t OppositeDirection(int32_t nDir) {
    switch (nDir) {
        case dirLeft:
            return dirRight;
        case dirRight:
            return dirLeft;
        case dirUp:
            return dirDown;
        case dirDown:
            return dirUp;
        default:
            return dirNone;
    }
}

// Moves (x, y) one cell in direction nDir (no move for other codes).
constexpr void StepInDirection(int32_t nDir, int32_t& x, int32_t& y) {
    switch (nDir) {
        case dirLeft:
            --x;
            break;
        case dirRight:
            ++x;
            break;
        case dirUp:
            --y;
            break;
        case dirDown:
            ++y;
            break;
        default:
            break;
    }
}

// One board square: 8 bytes, the same layout as in a saved game.
struct Cell {
    int32_t nValue = 0;  // remaining lifetime of an item, in game steps
    int32_t nType = ctEmpty;

    // May the head move onto this square? A tail square is free only when the
    // tail moves away in the same step, which it does not while growing.
    bool IsPassable(bool bGrowing) const {
        switch (nType) {
            case ctEmpty:
            case ctDropping:
            case ctApple:
            case ctCoin:
                return true;
            case ctTailLeft:
            case ctTailRight:
            case ctTailUp:
            case ctTailDown:
                return !bGrowing;
            default:
                return false;
        }
    }

    bool IsFood() const { return nType == ctApple; }

    // Points for entering the square. A dropping or a coin consumes exactly one
    // random draw; every other type consumes none.
    int32_t GetScore(GameRandom& rnd) const;
};

static_assert(sizeof(Cell) == 8);

// A reference to one board square, used for crawler segments and item records.
// In a saved game it takes 16 bytes; the link is rebuilt from x and y.
struct CellRef {
    int32_t nDir = dirNone;
    int32_t x = 0;
    int32_t y = 0;
    Cell* pCell = nullptr;

    void Set(Cell* pNewCell, int32_t nX, int32_t nY, int32_t nNewDir) {
        pCell = pNewCell;
        x = nX;
        y = nY;
        nDir = nNewDir;
    }
};
