// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Seeds of the game's generator chosen for what they draw, so that a test can
// make a rare draw happen (the top value 32767, a chosen square, a chosen
// item) and know every draw that follows.

#include <cstdint>
#include <functional>
#include <optional>

#include "game/GameRandom.h"

namespace testsupport {

// The first seed for which pred(a fresh generator with that seed) holds.
inline std::optional<uint32_t> FindSeed(const std::function<bool(GameRandom&)>& pred) {
    for (uint32_t nSeed = 1; nSeed < 20'000'000; ++nSeed) {
        GameRandom rnd(nSeed);
        if (pred(rnd)) return nSeed;
    }
    return std::nullopt;
}

// The first seed whose generator gives nValue (0..32767) as its first result.
inline uint32_t SeedYielding(int nValue) {
    return *FindSeed([nValue](GameRandom& rnd) { return rnd.Next() == nValue; });
}

// A generator seeded with nSeed that has already made nDraws draws: the one
// a test follows to know what the game draws next.
inline GameRandom AfterDraws(uint32_t nSeed, int nDraws) {
    GameRandom rnd(nSeed);
    for (int i = 0; i < nDraws; ++i) rnd.Next();
    return rnd;
}

}  // namespace testsupport
