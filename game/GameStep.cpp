// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of play: the crawler moves one cell, eats, grows, frowns, dies,
// leaves droppings; items age and spawn; the end of a game lets a good score
// into the table. Everything outside the rules goes through the GameHost.
#include <cassert>
#include <cstdlib>

#include "game/GameControl.h"
#include "game/GameHost.h"
#include "game/GameState.h"
#include "game/HighScoreTable.h"
#include "game/Limits.h"

namespace {

// The piece for a cell entered moving `in` and left moving `out`: it joins the
// side it was entered from and the side it is left through.
int32_t BodyPiece(int32_t nIn, int32_t nOut) {
    static constexpr int32_t kPieces[4][4] = {
        // out: left          right            up               down
        {ctBodyHorz, ctBodyHorz, ctBodyUpRight, ctBodyDownRight},   // in: left
        {ctBodyHorz, ctBodyHorz, ctBodyUpLeft, ctBodyDownLeft},     // in: right
        {ctBodyDownLeft, ctBodyDownRight, ctBodyVert, ctBodyVert},  // in: up
        {ctBodyUpLeft, ctBodyUpRight, ctBodyVert, ctBodyVert},      // in: down
    };
    // Reversals never happen in play; they and unknown codes (from a hand-made
    // file) get the straight piece along the way out.
    if (!IsMoving(nOut)) return ctBodyHorz;
    if (!IsMoving(nIn)) return nOut <= dirRight ? ctBodyHorz : ctBodyVert;
    return kPieces[nIn - 1][nOut - 1];
}

// The tail tip whose next segment lies in direction nDir: 15..18 for 1..4.
int32_t TailPiece(int32_t nDir) {
    return IsMoving(nDir) ? ctTailLeft + (nDir - dirLeft) : int32_t{ctTailLeft};
}

int32_t HeadPiece(int32_t nDir, bool bFrown) {
    static constexpr int32_t kHeads[4] = {ctHeadLeft, ctHeadRight, ctHeadUp, ctHeadDown};
    const int32_t nHead = IsMoving(nDir) ? kHeads[nDir - 1] : ctHeadRight;
    return bFrown ? nHead + (ctFrownRight - ctHeadRight) : nHead;
}

bool IsHead(int32_t nType) {
    return nType >= ctHeadRight && nType <= ctFrownUp;
}

}  // namespace

void GameControl::GameStep() {
    GameState& game = m_game;
    if (!game.HasBoard()) return;

    const int32_t nDirAtEntry = game.m_nDirection;
    CountDown();

    if (IsMoving(game.m_nDirection)) {
        m_host.SetMessage(GameMessage::kPlaying);

        // A key for the way back is refused: go on straight, in this very tick.
        if (game.m_nLastDirection == OppositeDirection(game.m_nDirection)) {
            game.m_nDirection = game.m_nLastDirection;
            GameStep();
            return;
        }
        game.m_nLastDirection = game.m_nDirection;
        const int32_t d = game.m_nDirection;

        int32_t nx = game.m_nHeadX;
        int32_t ny = game.m_nHeadY;
        StepInDirection(d, nx, ny);
        const bool bAtWall = !game.IsOnBoard(nx, ny);

        bool bAdvanceTail = false;
        if (game.CellAt(game.m_nHeadX, game.m_nHeadY).nType == ctStart && !bAtWall) {
            FirstMove(d);
        } else if (game.m_aBody.size() < 2) {
            // Only a hand-made game gets here (a start square on the border, or
            // a crawler without segments): end it rather than move on nothing.
            game.m_nDirection = dirGameOver;
            m_host.InvalidateCell(game.m_nHeadX, game.m_nHeadY);
            m_host.PlaySound(IDW_CRASH);
        } else if (bAtWall) {
            HitWall(d);
            bAdvanceTail = true;
        } else {
            bAdvanceTail = MoveAhead(d, nx, ny);
            RetileNeck(d);
        }
        if (bAdvanceTail) AdvanceTail(nDirAtEntry);
    }

    m_host.SetScore(game.m_nScore);
    if (game.m_nDirection == dirGameOver) GameOver();
    if (game.m_nDirection != dirNone) AgeAndSpawnItems();
    m_host.KeepHeadInView();
}

void GameControl::CountDown() {
    if (m_game.m_nDropCountdown != 0) --m_game.m_nDropCountdown;
    if (m_game.m_nFrownCountdown != 0) --m_game.m_nFrownCountdown;
}

// The start square becomes the tail, and the head moves on without looking at
// what it enters: a new game never has anything next to the start.
void GameControl::FirstMove(int32_t d) {
    GameState& game = m_game;
    const int32_t x = game.m_nHeadX;
    const int32_t y = game.m_nHeadY;
    Cell& start = game.CellAt(x, y);
    start.nType = TailPiece(d);
    CellRef tail;
    tail.Set(&start, x, y, d);
    game.m_aBody.push_back(tail);
    m_host.InvalidateCell(x, y);

    StepInDirection(d, game.m_nHeadX, game.m_nHeadY);
    Cell& head = game.CellAt(game.m_nHeadX, game.m_nHeadY);
    head.nType = HeadPiece(d, game.m_nFrownCountdown != 0);
    CellRef ref;
    ref.Set(&head, game.m_nHeadX, game.m_nHeadY, dirNone);
    game.m_aBody.push_back(ref);
    m_host.InvalidateCell(game.m_nHeadX, game.m_nHeadY);
    m_host.PlaySound(IDW_MOVE);
}

// Segment nIndex becomes the body piece from the direction in which the
// crawler entered it (the segment before's) to d.
void GameControl::RetileAsBody(size_t nIndex, int32_t d) {
    assert(nIndex >= 1 && nIndex < m_game.m_aBody.size());
    const CellRef& segment = m_game.m_aBody[nIndex];
    segment.pCell->nType = BodyPiece(m_game.m_aBody[nIndex - 1].nDir, d);
    m_host.InvalidateCell(segment.x, segment.y);
}

// Into the wall: the head stays, and its cell shows the crawler going on into
// the wall.
void GameControl::HitWall(int32_t d) {
    RetileAsBody(m_game.m_aBody.size() - 1, d);
    m_game.m_nDirection = dirGameOver;
    m_host.PlaySound(IDW_CRASH);
}

// The head enters (nx, ny): score it, then die, grow or move on. The new head
// is appended to the crawler in every case.
bool GameControl::MoveAhead(int32_t d, int32_t nx, int32_t ny) {
    GameState& game = m_game;
    game.m_nHeadX = nx;
    game.m_nHeadY = ny;
    Cell& ahead = game.CellAt(nx, ny);
    game.m_nScore += ahead.GetScore(game.m_random);
    const bool bFood = ahead.IsFood();

    bool bAdvanceTail = true;
    if (!ahead.IsPassable(bFood)) {
        const int32_t nHit = ahead.nType;
        ahead.nType = HeadPiece(d, true);
        game.m_nDirection = dirGameOver;
        // A skull is bitten through and the tail follows; the body holds it.
        bAdvanceTail = nHit == ctSkull;
        m_host.PlaySound(nHit == ctSkull ? IDW_SKULL : IDW_CRASH);
    } else if (bFood) {
        bAdvanceTail = false;  // the crawler grows by this cell
        ahead.nType = HeadPiece(d, game.m_nFrownCountdown != 0);
        m_host.PlaySound(IDW_APPLE);
    } else {
        const int32_t nEaten = ahead.nType;
        if (nEaten == ctDropping) game.m_nFrownCountdown = kFrownMoves;
        m_host.PlaySound(nEaten == ctDropping ? IDW_DROPPING
                         : nEaten == ctCoin   ? IDW_COIN
                                              : IDW_MOVE);
        ahead.nType = HeadPiece(d, game.m_nFrownCountdown != 0);
    }

    game.m_aBody.back().nDir = d;
    CellRef ref;
    ref.Set(&ahead, nx, ny, dirNone);
    game.m_aBody.push_back(ref);
    m_host.InvalidateCell(nx, ny);
    return bAdvanceTail;
}

// The old head becomes the body piece joining its two neighbours.
void GameControl::RetileNeck(int32_t d) {
    RetileAsBody(m_game.m_aBody.size() - 2, d);
}

void GameControl::AdvanceTail(int32_t nDirAtEntry) {
    GameState& game = m_game;
    assert(game.m_aBody.size() >= 2);
    const CellRef& newTail = game.m_aBody[1];
    // A two-cell crawler that died at the wall: its head becomes the tail and
    // still has no direction of its own, so the tick's direction is used.
    newTail.pCell->nType = TailPiece(game.m_aBody.size() > 2 ? newTail.nDir : nDirAtEntry);
    m_host.InvalidateCell(newTail.x, newTail.y);

    const CellRef oldTail = game.m_aBody[0];
    Cell& cell = *oldTail.pCell;
    if (!IsHead(cell.nType)) cell.nType = ctEmpty;

    if (game.m_nDropCountdown == 0) {
        if (std::abs(oldTail.x - game.m_nHeadX) > kDropClearance &&
            std::abs(oldTail.y - game.m_nHeadY) > kDropClearance) {
            cell.nType = ctDropping;
            cell.nValue = kDroppingLifetimeFactor * (game.m_random.Draw(kDroppingLifetimeSpread) +
                                                     game.m_nHeight + game.m_nWidth);
            game.m_aItems.push_back(oldTail);
        }
        game.m_nDropCountdown = game.DrawDropCountdown();
    }
    m_host.InvalidateCell(oldTail.x, oldTail.y);
    game.m_aBody.pop_front();
}

void GameControl::AgeAndSpawnItems() {
    int32_t x = 0;
    int32_t y = 0;
    if (m_game.AgeItems(x, y)) m_host.InvalidateCell(x, y);
    const size_t nItems = m_game.m_aItems.size();
    // A due placement that found no free square changes nothing on screen.
    if (m_game.SpawnItem(x, y) && m_game.m_aItems.size() != nItems) m_host.InvalidateCell(x, y);
}

void GameControl::GameOver() {
    StopTimer();
    m_host.ShowCursor();

    const int32_t nScore = m_game.m_nScore;
    if (!m_game.m_bLoadedGame && nScore > m_scoreTable.GetScoreToBeat(kScoreTableRows)) {
        m_host.SetMessage(GameMessage::kNewHighScore);
        m_host.PlaySound(IDW_HIGH_SCORE);
        m_host.EnterNewScore();
    }
    m_host.SetMessage(GameMessage::kGameOver);
}
