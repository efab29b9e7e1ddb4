// SPDX-License-Identifier: GPL-3.0-or-later
// Items come and go: SpawnItem places one every few steps on a random free
// square, AgeItems counts every item's lifetime down and retires expired ones.
#include "game/GameState.h"
#include "game/Limits.h"

namespace {

// Is (x, y) on the head's line of travel, ahead of it? A skull is never put there.
bool IsStraightAhead(const GameState& doc, int32_t x, int32_t y) {
    switch (doc.m_nDirection) {
        case dirLeft:
            return y == doc.m_nHeadY && x < doc.m_nHeadX;
        case dirRight:
            return y == doc.m_nHeadY && x > doc.m_nHeadX;
        case dirUp:
            return x == doc.m_nHeadX && y < doc.m_nHeadY;
        case dirDown:
            return x == doc.m_nHeadX && y > doc.m_nHeadY;
        default:
            return false;
    }
}

}  // namespace

bool GameState::SpawnItem(int32_t& x, int32_t& y) {
    if (m_nSpawnCountdown != 0) {
        --m_nSpawnCountdown;
        return false;
    }
    if (m_nBonusCountdown != 0) --m_nBonusCountdown;
    m_nSpawnCountdown = m_random.Draw(kSpawnCountdownSpread) + kSpawnCountdownBase;

    const int32_t nCells = m_nWidth * m_nHeight;
    // Stale records of eaten items still count as occupied here, so k can be
    // negative, in which case no square is chosen.
    const int32_t nFree =
        nCells - static_cast<int32_t>(m_aBody.size()) - static_cast<int32_t>(m_aItems.size());
    int32_t k = m_random.Draw(nFree);
    if (nCells < 1 || !m_pCells) return true;

    int32_t nIndex = -1;
    for (int32_t i = 0; i < nCells; ++i) {
        if (m_pCells[static_cast<size_t>(i)].nType != ctEmpty) continue;
        if (k == 0) {
            nIndex = i;
            break;
        }
        --k;
    }
    if (nIndex < 0) return true;

    const int32_t t = m_random.Draw(3);
    y = nIndex / m_nWidth;
    x = nIndex - y * m_nWidth;

    int32_t nType = ctApple;
    if (t == 0 && IsMoving(m_nDirection) && !IsStraightAhead(*this, x, y)) {
        nType = ctSkull;
    } else if (t <= 1) {
        // A coin, unless the bonus countdown still runs.
        if (m_nBonusCountdown != 0) {
            nType = ctApple;
        } else {
            nType = ctCoin;
            m_nBonusCountdown = m_random.Draw(kBonusCountdownSpread);
        }
    }

    Cell& cell = CellAt(x, y);
    cell.nType = nType;
    const int32_t nSpan = m_nWidth + m_nHeight;
    cell.nValue = m_random.Draw(nSpan) + nSpan / 2;
    if (nType == ctSkull) cell.nValue *= kSkullLifetimeFactor;

    CellRef ref;
    ref.Set(&cell, x, y, dirNone);
    m_aItems.push_back(ref);
    return true;
}

bool GameState::AgeItems(int32_t& x, int32_t& y) {
    bool bRemoved = false;
    for (size_t i = 0; i < m_aItems.size();) {
        Cell& cell = *m_aItems[i].pCell;
        if (cell.nValue != 0) {
            --cell.nValue;
            ++i;
            continue;
        }
        if (bRemoved) {
            ++i;  // expired too, but only one record leaves per call
            continue;
        }
        x = m_aItems[i].x;
        y = m_aItems[i].y;
        if (cell.nType == ctApple) m_nBonusCountdown += kBonusForExpiredApple;
        if (cell.nType >= ctSkull && cell.nType <= ctCoin) cell.nType = ctEmpty;
        m_aItems.erase(m_aItems.begin() + static_cast<std::ptrdiff_t>(i));
        bRemoved = true;
    }
    return bRemoved;
}
