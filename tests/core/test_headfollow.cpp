// Following the head on a board larger than the window: which jumps happen.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/Cell.h"
#include "game/HeadFollow.h"

namespace {

using Jumps = std::vector<std::pair<int32_t, int32_t>>;

Jumps Follow(int32_t nDir, int32_t nHeadX, int32_t nHeadY, int32_t nOriginX, int32_t nOriginY,
             int32_t nClientW = 500, int32_t nClientH = 400, int32_t nOffsetX = 0,
             int32_t nOffsetY = 0, int32_t nWidth = 70, int32_t nHeight = 70) {
    HeadFollowInput in{};
    in.nLastDirection = nDir;
    in.nHeadX = nHeadX;
    in.nHeadY = nHeadY;
    in.nWidth = nWidth;
    in.nHeight = nHeight;
    in.nTileWidth = 24;
    in.nTileHeight = 24;
    in.nOffsetX = nOffsetX;
    in.nOffsetY = nOffsetY;
    in.nClientWidth = nClientW;
    in.nClientHeight = nClientH;
    in.nOriginX = nOriginX;
    in.nOriginY = nOriginY;
    Jumps jumps;
    KeepHeadInView(in, [&](int32_t x, int32_t y) { jumps.emplace_back(x, y); });
    return jumps;
}

}  // namespace

TEST(HeadFollow, JumpsHalfAWindowAlongTheAxisOfTheLastMove) {
    // Right: head edge 384 lies past 3/4 of 500 (375): one jump to 250.
    EXPECT_EQ(Follow(dirRight, 16, 5, 0, 30), (Jumps{{250, 30}}));
    // Right, well inside: nothing.
    EXPECT_EQ(Follow(dirRight, 15, 5, 0, 30), Jumps{});
    // Left: 1008 - 1000 = 8 is closer than 500/4 - 24 = 101: back to 750.
    EXPECT_EQ(Follow(dirLeft, 42, 5, 1000, 30), (Jumps{{750, 30}}));
    // Left near the start never goes below 0.
    EXPECT_EQ(Follow(dirLeft, 4, 5, 100, 30), (Jumps{{0, 30}}));
    // Down and up work on the height: 3/4 of 400 is 300.
    EXPECT_EQ(Follow(dirDown, 5, 13, 40, 0), (Jumps{{40, 200}}));
    EXPECT_EQ(Follow(dirUp, 5, 10, 40, 240), (Jumps{{40, 40}}));
}

TEST(HeadFollow, JumpsRepeatUntilTheHeadIsInside) {
    // A head far to the right of the window: three jumps of 250.
    EXPECT_EQ(Follow(dirRight, 40, 0, 0, 0), (Jumps{{250, 0}, {500, 0}, {750, 0}}));
    // The targets are not clamped here (1500 is past the last scroll position
    // of 1180); the scroll view clamps them.
    EXPECT_EQ(Follow(dirRight, 69, 0, 1000, 0), (Jumps{{1250, 0}, {1500, 0}}));
}

TEST(HeadFollow, NothingScrollsWhereTheBoardFitsOrOnTheOtherAxis) {
    // Centred horizontally (offset non-zero): no sideways scrolling.
    EXPECT_EQ(Follow(dirRight, 16, 5, -46, 0, 500, 400, -46, 0, 17, 70), Jumps{});
    // The board not wider than the client: nothing.
    EXPECT_EQ(Follow(dirLeft, 0, 5, 0, 0, 1680, 400), Jumps{});
    // Moving up along the right edge does not scroll sideways.
    EXPECT_EQ(Follow(dirUp, 69, 30, 0, 400), Jumps{});
    // No move yet, or a finished game's direction code: nothing.
    EXPECT_EQ(Follow(dirNone, 69, 69, 0, 0), Jumps{});
    EXPECT_EQ(Follow(dirGameOver, 69, 69, 0, 0), Jumps{});
}

TEST(HeadFollow, AWindowTooSmallToJumpEndsTheLoop) {
    // Half of a 1-pixel window is 0: a pass cannot move, so it stops at once.
    EXPECT_EQ(Follow(dirRight, 40, 0, 0, 0, 1, 1), Jumps{});
    EXPECT_EQ(Follow(dirLeft, 0, 0, 800, 0, 1, 1), Jumps{});
}
