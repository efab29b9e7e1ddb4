// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the script of a long game for the headless driver: several games in
// a row on one board, played by the Autopilot on the driver's own session, so
// that the script does what it was planned to do when the driver plays it.
// Each game eats for a share of the ticks, then ends by a skull, by the wall
// or by running out of room, in turn; N starts the next one. Pauses, keys
// that start nothing, and refused reversals are mixed in.
//
// usage: coilix-make-long-game W H SPEED-MS SEED TICKS GAMES >FILE.events
//
// What happened (from the game state, not from the transcript) goes to the
// standard error, so that the transcript can be checked against it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "game/Cell.h"
#include "game/Limits.h"
#include "support/Autopilot.h"
#include "tools/replay/Replay.h"
#include "tools/replay/TranscriptHost.h"

namespace {

using testsupport::Autopilot;

struct Counts {
    int nTicks = 0;
    int nGamesOver = 0;
    int nNewGames = 0;
    int nApples = 0;
    int nCoins = 0;
    int nDroppingsEaten = 0;
    int nSkullDeaths = 0;
    int nWallDeaths = 0;
    int nBodyDeaths = 0;
    int nDroppingsLeft = 0;
    int nItemsPlaced = 0;
    int nItemsExpired = 0;
    int nExpired[4] = {};  // skulls, droppings, apples, coins
    int nRefusedReversals = 0;
    int nPauses = 0;
};

char EventFor(int32_t nDir) {
    switch (nDir) {
        case dirLeft:
            return 'L';
        case dirRight:
            return 'R';
        case dirUp:
            return 'U';
        case dirDown:
            return 'D';
        default:
            return 'K';
    }
}

bool IsItem(int32_t nType) {
    return nType >= ctSkull && nType <= ctCoin;
}

class Planner {
public:
    Planner(const replay::Session::Setup& setup, uint32_t nSeed)
        : m_host([](const std::string&) {}), m_session(setup, m_host), m_pilot(nSeed) {}

    bool Start() { return m_session.NewGame(); }

    // Plays one game to its end; nEatTicks ticks of eating first.
    void PlayGame(int nEatTicks, Autopilot::Aim end) {
        Emit('.');  // no timer yet: nothing happens
        if (m_pilot.Next() % 2 == 0) Emit('K');
        for (int nTick = 0; Doc().m_nDirection != dirGameOver; ++nTick) {
            Autopilot::Aim aim = Autopilot::Aim::kFood;
            if (nTick >= nEatTicks) aim = end;
            if (end == Autopilot::Aim::kFood && nTick >= 2 * nEatTicks) aim = Autopilot::Aim::kWall;
            Steer(aim);
            if (nTick > 0 && m_pilot.Next() % 150 == 0) Pause();
            Tick();
        }
        // The timer has stopped: periods after the end do nothing.
        Emit('.');
    }

    void NewGame() {
        Emit('N');
        ++m_counts.nNewGames;
    }

    const std::string& Script() const { return m_strScript; }
    const Counts& Tally() const { return m_counts; }

private:
    CCoilixDoc& Doc() { return m_session.Doc(); }

    void Emit(char ch) {
        m_strScript += ch;
        m_session.Apply(ch);
    }

    void Steer(Autopilot::Aim aim) {
        CCoilixDoc& doc = Doc();
        const int32_t nWant = m_pilot.Choose(doc, aim);
        const int32_t nAhead = doc.m_nDirection;
        // Now and then two quick keys that ask for the way back: the step
        // refuses it and goes straight on.
        if (aim == Autopilot::Aim::kFood && nWant == nAhead && IsMoving(nAhead) &&
            doc.m_nLastDirection == nAhead && m_pilot.Next() % 40 == 0) {
            const int32_t nSide = nAhead <= dirRight ? dirUp : dirLeft;
            Emit(EventFor(nSide));
            Emit(EventFor(OppositeDirection(nAhead)));
            return;
        }
        if (nWant != nAhead) Emit(EventFor(nWant));
    }

    void Pause() {
        Emit('P');
        Emit('.');
        Emit('.');
        // Resume with Pause or with the arrow of the way ahead.
        Emit(m_pilot.Next() % 2 == 0 ? 'P' : EventFor(Doc().m_nDirection));
        ++m_counts.nPauses;
    }

    // One period of the timer, with what it did to the board counted.
    void Tick() {
        CCoilixDoc& doc = Doc();
        std::vector<int32_t> before(doc.CellCount());
        for (size_t i = 0; i < before.size(); ++i) before[i] = doc.m_pCells[i].nType;
        const int32_t nHeadX = doc.m_nHeadX;
        const int32_t nHeadY = doc.m_nHeadY;
        const bool bRefused = doc.m_nDirection == OppositeDirection(doc.m_nLastDirection);

        Emit('.');
        ++m_counts.nTicks;
        if (bRefused) ++m_counts.nRefusedReversals;

        const bool bMoved = doc.m_nHeadX != nHeadX || doc.m_nHeadY != nHeadY;
        const size_t nHead = static_cast<size_t>(doc.m_nHeadY * doc.m_nWidth + doc.m_nHeadX);
        if (bMoved) {
            switch (before[nHead]) {
                case ctApple:
                    ++m_counts.nApples;
                    break;
                case ctCoin:
                    ++m_counts.nCoins;
                    break;
                case ctDropping:
                    ++m_counts.nDroppingsEaten;
                    break;
                case ctSkull:
                    ++m_counts.nSkullDeaths;
                    break;
                default:
                    break;
            }
        }
        for (size_t i = 0; i < before.size(); ++i) {
            const int32_t nWas = before[i];
            const int32_t nNow = doc.m_pCells[i].nType;
            if (IsItem(nWas) && nNow == ctEmpty) {
                ++m_counts.nItemsExpired;
                ++m_counts.nExpired[nWas - ctSkull];
            }
            if (!IsItem(nWas) && nNow == ctDropping) ++m_counts.nDroppingsLeft;
            if (nWas == ctEmpty && IsItem(nNow) && nNow != ctDropping) ++m_counts.nItemsPlaced;
        }
        if (doc.m_nDirection == dirGameOver) {
            ++m_counts.nGamesOver;
            if (!bMoved) {
                ++m_counts.nWallDeaths;
            } else if (before[nHead] != ctSkull) {
                ++m_counts.nBodyDeaths;
            }
        }
    }

    TranscriptHost m_host;
    replay::Session m_session;
    Autopilot m_pilot;
    std::string m_strScript;
    Counts m_counts;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s W H SPEED-MS SEED TICKS GAMES >FILE.events\n", argv[0]);
        return 2;
    }
    replay::Session::Setup setup;
    setup.nWidth = std::atoi(argv[1]);
    setup.nHeight = std::atoi(argv[2]);
    const int32_t nSpeed = std::atoi(argv[3]);
    for (int32_t i = kSpeedLow; i <= kSpeedHigh; ++i) {
        if (SpeedPresets[i] == nSpeed) setup.nSpeedIndex = i;
    }
    setup.nSeed = static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10));
    const int nTicks = std::atoi(argv[5]);
    const int nGames = std::atoi(argv[6]);
    if (!IsBoardSideAllowed(setup.nWidth) || !IsBoardSideAllowed(setup.nHeight) || nGames < 1) {
        std::fprintf(stderr, "bad board size or number of games\n");
        return 2;
    }

    Planner planner(setup, setup.nSeed);
    if (!planner.Start()) return 1;
    const Autopilot::Aim ends[] = {Autopilot::Aim::kSkull, Autopilot::Aim::kWall,
                                   Autopilot::Aim::kFood};
    for (int g = 0; g < nGames; ++g) {
        if (g > 0) planner.NewGame();
        planner.PlayGame(nTicks / nGames, ends[g % 3]);
    }

    // The script, 72 events a line.
    const std::string& strScript = planner.Script();
    for (size_t i = 0; i < strScript.size(); i += 72) {
        std::cout << strScript.substr(i, 72) << '\n';
    }
    const Counts& c = planner.Tally();
    std::cerr << "ticks " << c.nTicks << "\ngames over " << c.nGamesOver << "\nnew games "
              << c.nNewGames << "\napples eaten " << c.nApples << "\ncoins eaten " << c.nCoins
              << "\ndroppings eaten " << c.nDroppingsEaten << "\nskull deaths " << c.nSkullDeaths
              << "\nwall deaths " << c.nWallDeaths << "\nbody deaths " << c.nBodyDeaths
              << "\ndroppings left " << c.nDroppingsLeft << "\nitems placed " << c.nItemsPlaced
              << "\nitems expired " << c.nItemsExpired << " (skulls " << c.nExpired[0]
              << ", droppings " << c.nExpired[1] << ", apples " << c.nExpired[2] << ", coins "
              << c.nExpired[3] << ")"
              << "\nrefused reversals " << c.nRefusedReversals << "\npauses " << c.nPauses << '\n';
    return 0;
}
