// SPDX-License-Identifier: GPL-3.0-or-later
// Following the head on a board larger than the window: which jumps happen.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/Cell.h"
#include "game/HeadFollow.h"

namespace {

using Jumps = std::vector<std::pair<int32_t, int32_t>>;

// Tiles of 24 pixels; unless a case says otherwise, a 500 x 400 client over a
// 70 x 70 board that is not centred.
struct Case {
    const char* pszWhat;
    int32_t nDir;
    int32_t nHeadX, nHeadY;
    int32_t nOriginX, nOriginY;
    Jumps jumps;
    int32_t nClientW = 500, nClientH = 400;
    int32_t nOffsetX = 0, nOffsetY = 0;
    int32_t nWidth = 70, nHeight = 70;
};

Jumps Follow(const Case& c) {
    HeadFollowInput in{};
    in.nLastDirection = c.nDir;
    in.nHeadX = c.nHeadX;
    in.nHeadY = c.nHeadY;
    in.nWidth = c.nWidth;
    in.nHeight = c.nHeight;
    in.nTileWidth = 24;
    in.nTileHeight = 24;
    in.nOffsetX = c.nOffsetX;
    in.nOffsetY = c.nOffsetY;
    in.nClientWidth = c.nClientW;
    in.nClientHeight = c.nClientH;
    in.nOriginX = c.nOriginX;
    in.nOriginY = c.nOriginY;
    Jumps jumps;
    KeepHeadInView(in, [&](int32_t x, int32_t y) { jumps.emplace_back(x, y); });
    return jumps;
}

void ExpectJumps(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(Follow(c), c.jumps) << c.pszWhat;
    }
}

}  // namespace

TEST(HeadFollow, JumpsHalfAWindowAlongTheAxisOfTheLastMove) {
    ExpectJumps({
        {"right: head edge 384 lies past 3/4 of 500 (375), one jump to 250",
         dirRight,
         16,
         5,
         0,
         30,
         {{250, 30}}},
        {"right, well inside: nothing", dirRight, 15, 5, 0, 30, {}},
        {"left: 1008 - 1000 = 8 is closer than 500/4 - 24 = 101, back to 750",
         dirLeft,
         42,
         5,
         1000,
         30,
         {{750, 30}}},
        {"left near the start never goes below 0", dirLeft, 4, 5, 100, 30, {{0, 30}}},
        {"down works on the height: 3/4 of 400 is 300", dirDown, 5, 13, 40, 0, {{40, 200}}},
        {"up works on the height", dirUp, 5, 10, 40, 240, {{40, 40}}},
    });
}

TEST(HeadFollow, JumpsRepeatUntilTheHeadIsInside) {
    ExpectJumps({
        {"a head far to the right of the window: three jumps of 250",
         dirRight,
         40,
         0,
         0,
         0,
         {{250, 0}, {500, 0}, {750, 0}}},
        {"targets are not clamped here (1500 is past the last scroll position of 1180); the "
         "scroll view clamps them",
         dirRight,
         69,
         0,
         1000,
         0,
         {{1250, 0}, {1500, 0}}},
    });
}

TEST(HeadFollow, NothingScrollsWhereTheBoardFitsOrOnTheOtherAxis) {
    ExpectJumps({
        {"centred horizontally (offset non-zero): no sideways scrolling",
         dirRight,
         16,
         5,
         -46,
         0,
         {},
         500,
         400,
         -46,
         0,
         17,
         70},
        {"the board not wider than the client: nothing", dirLeft, 0, 5, 0, 0, {}, 1680, 400},
        {"moving up along the right edge does not scroll sideways", dirUp, 69, 30, 0, 400, {}},
        {"no move yet", dirNone, 69, 69, 0, 0, {}},
        {"a finished game's direction code", dirGameOver, 69, 69, 0, 0, {}},
    });
}

TEST(HeadFollow, AWindowTooSmallToJumpEndsTheLoop) {
    // Half of a 1-pixel window is 0: a pass cannot move, so it stops at once.
    ExpectJumps({
        {"right", dirRight, 40, 0, 0, 0, {}, 1, 1},
        {"left", dirLeft, 0, 0, 800, 0, {}, 1, 1},
    });
}
