// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>

// Keeping the crawler's head inside the window while the board is larger than
// it: after each tick the view jumps by half a window along the axis of the
// last move when the head comes near the edge it is heading for.
struct HeadFollowInput {
    int32_t nLastDirection;   // direction of the last move
    int32_t nHeadX, nHeadY;   // head cell
    int32_t nWidth, nHeight;  // board size in cells
    int32_t nTileWidth, nTileHeight;
    int32_t nOffsetX, nOffsetY;  // centring offsets (0 when not centred)
    int32_t nClientWidth, nClientHeight;
    int32_t nOriginX, nOriginY;  // drawing origin of the tick: scroll position + offsets
};

// Calls scrollTo(x, y) once per jump, with the unclamped target; the scroll
// view clamps. The coordinate of the other axis stays at the tick's origin.
void KeepHeadInView(const HeadFollowInput& in,
                    const std::function<void(int32_t, int32_t)>& scrollTo);
