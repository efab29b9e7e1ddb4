// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one tick of play on a small and on the largest board, over long
// scripted games: a steering policy keeps the crawler off walls and its body
// where it can, items age and spawn as in play, and a finished game is
// followed by a new one.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "game/GameControl.h"
#include "game/GameHost.h"
#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "store/ScoreStore.h"

namespace {

// Average tick budget on the largest board.
constexpr double kTickBudgetNs = 2000.0;

class NullHost : public GameHost {
public:
    void SetMessage(GameMessage) override {}
    void SetScore(int32_t nScore) override { benchmark::DoNotOptimize(nScore); }
    void PlaySound(int) override {}
    void InvalidateCell(int32_t x, int32_t y) override {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
    void KeepHeadInView() override {}
    bool StartTimer(int) override { return true; }
    void KillTimer() override {}
    void HideCursor() override {}
    void ShowCursor() override {}
    void EnterNewScore() override {}
};

class ScriptedGame {
public:
    ScriptedGame(int32_t w, int32_t h) {
        m_settings.m_nArraySize = 2;
        m_settings.m_nArrayWidth = w;
        m_settings.m_nArrayHeight = h;
        m_settings.m_nGameSpeed = 2;
        m_settings.m_bSounds = 1;
        m_doc.SetSeedSource([this] { return m_nGames; });
        NewGame();
    }

    bool IsOver() const { return m_doc.m_nDirection == dirGameOver; }

    void NewGame() {
        ++m_nGames;

        m_doc.OnNewDocument();
        m_control.OnInitialUpdate();
        m_control.ShowInitialStatus();
        m_control.OnKeyDown(GameKey::kLeft);
    }

    // Steer, then let one timer period pass.
    void Tick() {
        Steer();
        m_control.OnTimer();
    }

    uint32_t Games() const { return m_nGames; }

private:
    bool IsSafe(int32_t nDir) const {
        if (!IsMoving(nDir)) return false;
        int32_t x = m_doc.m_nHeadX;
        int32_t y = m_doc.m_nHeadY;
        StepInDirection(nDir, x, y);
        if (!m_doc.IsOnBoard(x, y)) return false;
        const Cell& cell = m_doc.CellAt(x, y);
        return cell.IsPassable(cell.IsFood());
    }

    // Keep going while the way is free, wander off now and then, and turn
    // to a free side when blocked.
    void Steer() {
        const int32_t nAhead = m_doc.m_nDirection;
        const bool bVertical = nAhead == dirUp || nAhead == dirDown;
        m_nWander = m_nWander * 1103515245u + 12345u;
        const bool bFlip = (m_nWander >> 16) & 1;
        int32_t sides[2] = {bVertical ? dirLeft : dirUp, bVertical ? dirRight : dirDown};
        if (bFlip) std::swap(sides[0], sides[1]);
        const bool bWander = ((m_nWander >> 20) & 7) == 0;

        int32_t nChoice = nAhead;
        if (bWander && IsSafe(sides[0])) {
            nChoice = sides[0];
        } else if (!IsSafe(nAhead)) {
            for (int32_t nSide : sides) {
                if (IsSafe(nSide)) {
                    nChoice = nSide;
                    break;
                }
            }
        }
        if (nChoice == nAhead) return;
        switch (nChoice) {
            case dirLeft:
                m_control.OnKeyDown(GameKey::kLeft);
                break;
            case dirRight:
                m_control.OnKeyDown(GameKey::kRight);
                break;
            case dirUp:
                m_control.OnKeyDown(GameKey::kUp);
                break;
            case dirDown:
                m_control.OnKeyDown(GameKey::kDown);
                break;
            default:
                break;
        }
    }

    CMemoryRegistry m_registry;
    CProfile m_profile{m_registry, CProfile::AppKeyPath("Bench", "Coilix")};
    GameSettings m_settings;
    HighScoreTable m_table;
    CCoilixDoc m_doc{m_settings, m_table, m_profile};
    NullHost m_host;
    GameControl m_control{m_doc, m_table, m_host};
    uint32_t m_nGames = 0;
    uint32_t m_nWander = 1;
};

void BM_GameStep(benchmark::State& state) {
    const auto nSide = static_cast<int32_t>(state.range(0));
    const auto nOtherSide = static_cast<int32_t>(state.range(1));
    ScriptedGame game(nSide, nOtherSide);
    int64_t nTicks = 0;
    std::chrono::steady_clock::duration timeInTicks{};
    for (auto _ : state) {
        if (game.IsOver()) {
            state.PauseTiming();
            game.NewGame();
            state.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        game.Tick();
        timeInTicks += std::chrono::steady_clock::now() - start;
        ++nTicks;
    }
    state.SetItemsProcessed(nTicks);
    const double dNsPerTick =
        std::chrono::duration<double, std::nano>(timeInTicks).count() / static_cast<double>(nTicks);
    state.counters["ns_per_tick"] = dNsPerTick;
    state.counters["games"] = game.Games();
    state.counters["ticks_per_game"] = static_cast<double>(nTicks) / game.Games();
#ifdef NDEBUG
    if (nSide == 70 && nOtherSide == 70 && dNsPerTick > kTickBudgetNs) {
        state.SkipWithError("average tick on 70x70 is over the 2 microsecond budget");
    }
#endif
}

BENCHMARK(BM_GameStep)->Args({17, 13})->Args({70, 70})->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
