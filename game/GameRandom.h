// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// The game's pseudo-random generator: a 32-bit linear congruential sequence
// (state * 214013 + 2531011, result bits 16..30). Every random quantity of the
// rules is drawn as Next() * n / 32767 with truncating division, which yields
// 0..n, n only when Next() returned 32767. Play uses one instance owned by the
// document; the score-table scrambling keeps its own.
class GameRandom {
public:
    static constexpr int kMax = 32767;

    explicit GameRandom(uint32_t nSeed = 1) : m_nState(nSeed) {}

    void Seed(uint32_t nSeed) { m_nState = nSeed; }
    uint32_t State() const { return m_nState; }

    int Next() {
        m_nState = m_nState * 214013u + 2531011u;
        return static_cast<int>((m_nState >> 16) & 0x7FFF);
    }

    // Next() * n / 32767 in signed 32-bit arithmetic, as the rules define it.
    int32_t Draw(int32_t n) {
        return static_cast<int32_t>(static_cast<int64_t>(Next()) * n / kMax);
    }

private:
    uint32_t m_nState;
};
