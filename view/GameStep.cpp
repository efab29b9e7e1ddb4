// One tick of play: the crawler moves one cell, eats, grows, frowns, dies,
// leaves droppings; items age and spawn; the end of a game lets a good score
// into the table. Everything outside the rules goes through the GameHost.
#include <cstdlib>

#include "doc/CoilixDoc.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "store/GameSettings.h"
#include "store/HighScoreTable.h"
#include "view/GameControl.h"
#include "view/GameHost.h"

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
    return IsMoving(nDir) ? 14 + nDir : int32_t{ctTailLeft};
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

void GameControl::PlaySound(int nSoundID) {
    if (m_doc.Settings().m_bSounds) m_host.PlaySound(nSoundID);
}

void GameControl::GameStep() {
    CCoilixDoc& doc = m_doc;
    if (!doc.HasBoard()) return;

    const int32_t nDirAtEntry = doc.m_nDirection;
    bool bAdvanceTail = false;

    if (doc.m_nDropCountdown != 0) --doc.m_nDropCountdown;
    if (doc.m_nFrownCountdown != 0) --doc.m_nFrownCountdown;

    if (IsMoving(doc.m_nDirection)) {
        m_host.SetStatusText(0, IDS_PLAYING);

        // A key for the way back is refused: go on straight, in this very tick.
        if (doc.m_nLastDirection == OppositeDirection(doc.m_nDirection)) {
            doc.m_nDirection = doc.m_nLastDirection;
            GameStep();
            return;
        }
        doc.m_nLastDirection = doc.m_nDirection;
        const int32_t d = doc.m_nDirection;

        int32_t x = doc.m_nHeadX;
        int32_t y = doc.m_nHeadY;
        Cell& head = doc.CellAt(x, y);
        int32_t nx = x;
        int32_t ny = y;
        StepInDirection(d, nx, ny);
        const bool bAtWall = !doc.IsOnBoard(nx, ny);

        if (head.nType == ctStart && !bAtWall) {
            // First move: the start square becomes the tail, the head moves on
            // without looking at what it enters.
            head.nType = TailPiece(d);
            CellRef tail;
            tail.Set(&head, x, y, d);
            doc.m_aBody.push_back(tail);
            m_host.InvalidateCell(x, y);

            doc.m_nHeadX = nx;
            doc.m_nHeadY = ny;
            Cell& ahead = doc.CellAt(nx, ny);
            ahead.nType = HeadPiece(d, doc.m_nFrownCountdown != 0);
            CellRef ref;
            ref.Set(&ahead, nx, ny, dirNone);
            doc.m_aBody.push_back(ref);
            m_host.InvalidateCell(nx, ny);
            PlaySound(IDW_MOVE);
        } else if (doc.m_aBody.size() < 2) {
            // Only a hand-made game gets here (a start square on the border, or
            // a crawler without segments): end it rather than move on nothing.
            doc.m_nDirection = dirGameOver;
            m_host.InvalidateCell(x, y);
            PlaySound(IDW_CRASH);
        } else if (bAtWall) {
            // Into the wall: the head cell shows the crawler going on into it.
            bAdvanceTail = true;
            const size_t n = doc.m_aBody.size();
            const CellRef& last = doc.m_aBody[n - 1];
            last.pCell->nType = BodyPiece(doc.m_aBody[n - 2].nDir, d);
            m_host.InvalidateCell(last.x, last.y);
            doc.m_nDirection = dirGameOver;
            PlaySound(IDW_CRASH);
        } else {
            bAdvanceTail = true;
            doc.m_nHeadX = nx;
            doc.m_nHeadY = ny;
            Cell& ahead = doc.CellAt(nx, ny);
            doc.m_nScore += ahead.GetScore(doc.m_random);
            const bool bFood = ahead.IsFood();

            if (!ahead.IsPassable(bFood)) {
                const int32_t nHit = ahead.nType;
                ahead.nType = HeadPiece(d, true);
                doc.m_nDirection = dirGameOver;
                bAdvanceTail = nHit == ctSkull;
                PlaySound(nHit == ctSkull ? IDW_SKULL : IDW_CRASH);
            } else if (bFood) {
                bAdvanceTail = false;
                ahead.nType = HeadPiece(d, doc.m_nFrownCountdown != 0);
                PlaySound(IDW_APPLE);
            } else {
                const int32_t nEaten = ahead.nType;
                if (nEaten == ctDropping) doc.m_nFrownCountdown = 7;
                PlaySound(nEaten == ctDropping ? IDW_DROPPING
                          : nEaten == ctCoin   ? IDW_COIN
                                               : IDW_MOVE);
                ahead.nType = HeadPiece(d, doc.m_nFrownCountdown != 0);
            }

            doc.m_aBody.back().nDir = d;
            CellRef ref;
            ref.Set(&ahead, nx, ny, dirNone);
            doc.m_aBody.push_back(ref);
            m_host.InvalidateCell(nx, ny);

            // The old head becomes the neck piece joining its two neighbours.
            const size_t n = doc.m_aBody.size();
            const CellRef& neck = doc.m_aBody[n - 2];
            neck.pCell->nType = BodyPiece(doc.m_aBody[n - 3].nDir, d);
            m_host.InvalidateCell(neck.x, neck.y);
        }

        if (bAdvanceTail) AdvanceTail(nDirAtEntry);
    }

    m_host.SetStatusText(1, FormatString(IDS_SCORE, doc.m_nScore));

    if (doc.m_nDirection == dirGameOver) GameOver();

    if (doc.m_nDirection != dirNone) {
        int32_t x = 0;
        int32_t y = 0;
        if (doc.AgeItems(x, y)) m_host.InvalidateCell(x, y);
        const size_t nItems = doc.m_aItems.size();
        // A due placement that found no free square changes nothing on screen.
        if (doc.SpawnItem(x, y) && doc.m_aItems.size() != nItems) m_host.InvalidateCell(x, y);
    }

    m_host.KeepHeadInView();
}

void GameControl::AdvanceTail(int32_t nDirAtEntry) {
    CCoilixDoc& doc = m_doc;
    const CellRef& newTail = doc.m_aBody[1];
    // A two-cell crawler that died at the wall: its head becomes the tail and
    // still has no direction of its own, so the tick's direction is used.
    newTail.pCell->nType = TailPiece(doc.m_aBody.size() > 2 ? newTail.nDir : nDirAtEntry);
    m_host.InvalidateCell(newTail.x, newTail.y);

    const CellRef oldTail = doc.m_aBody[0];
    Cell& cell = *oldTail.pCell;
    if (!IsHead(cell.nType)) cell.nType = ctEmpty;

    if (doc.m_nDropCountdown == 0) {
        if (std::abs(oldTail.x - doc.m_nHeadX) > 2 && std::abs(oldTail.y - doc.m_nHeadY) > 2) {
            cell.nType = ctDropping;
            cell.nValue = 2 * (doc.m_random.Draw(7) + doc.m_nHeight + doc.m_nWidth);
            doc.m_aItems.push_back(oldTail);
        }
        doc.m_nDropCountdown = 7 + doc.m_random.Draw(77);
    }
    m_host.InvalidateCell(oldTail.x, oldTail.y);
    doc.m_aBody.pop_front();
}

void GameControl::GameOver() {
    CCoilixDoc& doc = m_doc;
    if (m_nTimer != 0) {
        m_host.KillTimer();
        m_nTimer = 0;
    }
    ShowCursorIfHidden();

    HighScoreTable& table = doc.ScoreTable();
    if (!doc.m_bLoadedGame && doc.m_nScore > table.GetScoreToBeat(10)) {
        m_host.SetStatusText(0, IDS_NEW_HIGH_SCORE);
        PlaySound(IDW_HIGH_SCORE);
        const int nRow = table.InsertScore(doc.m_nScore, 10);
        if (nRow != -1) EnterNewScore(nRow);
    }
    m_host.SetStatusText(0, IDS_GAME_OVER);
}

void GameControl::EnterNewScore(int nRow) {
    CCoilixDoc& doc = m_doc;
    GameSettings& settings = doc.Settings();
    HighScoreTable& table = doc.ScoreTable();
    if (auto name = m_host.AskHighScoreName(nRow, doc.m_nScore, settings.m_strLastName)) {
        settings.m_strLastName = TruncateUtf8(*name, 31);
        table.GetRow(nRow).SetName(settings.m_strLastName);
    }
    table.Save(doc.Registry(), kRegistryKeyPath, doc.m_nWidth, doc.m_nHeight, doc.m_nSpeed);
    m_host.ShowHighScores();
}
