// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player for long scripted games: steers the crawler towards the nearest
// apple, coin or dropping along free cells, keeps to where there is room when
// nothing can be reached, wanders off now and then, and on request runs into
// a skull or the wall to end the game. It only looks at the game state and
// answers with a direction; the caller presses the key. No test framework, no
// window: benchmarks and tools may use it.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "game/Cell.h"
#include "game/GameState.h"

namespace testsupport {

class Autopilot {
public:
    enum class Aim {
        kFood,   // eat what can be eaten, stay alive
        kSkull,  // go for the nearest skull (the wall when none can be reached)
        kWall,   // go straight on until something ends the game
    };

    explicit Autopilot(uint32_t nSeed) : m_nState(nSeed) {}

    // The direction to ask for before the next tick; the current one when
    // no key is needed. A game that has not started gets a direction too.
    int32_t Choose(const GameState& game, Aim aim) {
        const int32_t nAhead = IsMoving(game.m_nDirection) ? game.m_nDirection : dirNone;
        if (aim == Aim::kWall && nAhead != dirNone) return nAhead;

        const std::vector<int32_t> safe = SafeMoves(game);
        if (safe.empty()) return nAhead != dirNone ? nAhead : dirLeft;
        if (aim == Aim::kSkull) {
            const int32_t nDir =
                FirstStepTowards(game, safe, [](int32_t t) { return t == ctSkull; });
            return nDir != dirNone ? nDir : (nAhead != dirNone ? nAhead : safe.front());
        }
        // Now and then a turn for no reason, so that games differ.
        if (Next() % 12 == 0) return safe[Next() % safe.size()];
        const int32_t nDir = FirstStepTowards(
            game, safe, [](int32_t t) { return t == ctApple || t == ctCoin || t == ctDropping; });
        if (nDir != dirNone) return nDir;
        return Roomiest(game, safe);
    }

    // A number for the caller's own choices, from the same sequence.
    uint32_t Next() {
        m_nState = m_nState * 1103515245u + 12345u;
        return (m_nState >> 16) & 0x7FFF;
    }

private:
    struct Step {
        int32_t x, y;
    };

    static Step Neighbour(int32_t x, int32_t y, int32_t nDir) {
        StepInDirection(nDir, x, y);
        return {x, y};
    }

    // Cells the head may enter and live: on the board, passable, no skull.
    static bool IsFree(const GameState& game, int32_t x, int32_t y) {
        if (!game.IsOnBoard(x, y)) return false;
        const Cell& cell = game.CellAt(x, y);
        return cell.nType != ctSkull && cell.IsPassable(cell.IsFood());
    }

    // Moves of the next tick that do not end the game (never a reversal,
    // which the step would refuse).
    static std::vector<int32_t> SafeMoves(const GameState& game) {
        std::vector<int32_t> moves;
        for (int32_t nDir : {dirLeft, dirRight, dirUp, dirDown}) {
            if (nDir == OppositeDirection(game.m_nLastDirection)) continue;
            const Step s = Neighbour(game.m_nHeadX, game.m_nHeadY, nDir);
            if (IsFree(game, s.x, s.y)) moves.push_back(nDir);
        }
        return moves;
    }

    // Cells reachable from (x, y) through free cells, up to nLimit.
    static size_t Room(const GameState& game, int32_t x, int32_t y, size_t nLimit) {
        std::vector<bool> seen(game.CellCount(), false);
        std::deque<Step> todo{{x, y}};
        seen[Index(game, x, y)] = true;
        size_t n = 0;
        while (!todo.empty() && n < nLimit) {
            const Step s = todo.front();
            todo.pop_front();
            ++n;
            for (int32_t nDir : {dirLeft, dirRight, dirUp, dirDown}) {
                const Step t = Neighbour(s.x, s.y, nDir);
                if (!IsFree(game, t.x, t.y) || seen[Index(game, t.x, t.y)]) continue;
                seen[Index(game, t.x, t.y)] = true;
                todo.push_back(t);
            }
        }
        return n;
    }

    // The safe move with the most room behind it.
    static int32_t Roomiest(const GameState& game, const std::vector<int32_t>& safe) {
        int32_t nBest = safe.front();
        size_t nBestRoom = 0;
        for (int32_t nDir : safe) {
            const Step s = Neighbour(game.m_nHeadX, game.m_nHeadY, nDir);
            const size_t nRoom = Room(game, s.x, s.y, game.CellCount());
            if (nRoom > nBestRoom) {
                nBest = nDir;
                nBestRoom = nRoom;
            }
        }
        return nBest;
    }

    // The first move of a shortest way through free cells to a cell whose
    // type `wanted` accepts (the target itself may be a skull), among the
    // safe moves that leave room for the whole crawler; dirNone when there is
    // no such way.
    template <class Wanted>
    static int32_t FirstStepTowards(const GameState& game, const std::vector<int32_t>& safe,
                                    Wanted wanted) {
        const size_t nNeed = game.m_aBody.size() + 2;
        std::vector<int32_t> first(game.CellCount(), dirNone);
        std::deque<Step> todo;
        for (int32_t nDir : safe) {
            const Step s = Neighbour(game.m_nHeadX, game.m_nHeadY, nDir);
            if (Room(game, s.x, s.y, nNeed) < nNeed) continue;
            first[Index(game, s.x, s.y)] = nDir;
            todo.push_back(s);
        }
        for (int32_t nDir : {dirLeft, dirRight, dirUp, dirDown}) {
            // A skull next to the head is reached in one move.
            const Step s = Neighbour(game.m_nHeadX, game.m_nHeadY, nDir);
            if (nDir != OppositeDirection(game.m_nLastDirection) && game.IsOnBoard(s.x, s.y) &&
                game.CellAt(s.x, s.y).nType == ctSkull && wanted(ctSkull)) {
                return nDir;
            }
        }
        while (!todo.empty()) {
            const Step s = todo.front();
            todo.pop_front();
            const int32_t nFirst = first[Index(game, s.x, s.y)];
            if (wanted(game.CellAt(s.x, s.y).nType)) return nFirst;
            for (int32_t nDir : {dirLeft, dirRight, dirUp, dirDown}) {
                const Step t = Neighbour(s.x, s.y, nDir);
                if (!game.IsOnBoard(t.x, t.y) || first[Index(game, t.x, t.y)] != dirNone) continue;
                const int32_t nType = game.CellAt(t.x, t.y).nType;
                if (!IsFree(game, t.x, t.y) && !(nType == ctSkull && wanted(nType))) continue;
                first[Index(game, t.x, t.y)] = nFirst;
                todo.push_back(t);
            }
        }
        return dirNone;
    }

    static size_t Index(const GameState& game, int32_t x, int32_t y) {
        return static_cast<size_t>(y) * static_cast<size_t>(game.m_nWidth) + static_cast<size_t>(x);
    }

    uint32_t m_nState;
};

}  // namespace testsupport
