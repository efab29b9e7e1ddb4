// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/HeadFollow.h"

#include <algorithm>

#include "game/Cell.h"

namespace {

// One axis: moving back (left or up), jump back by half a window while the
// head's edge lies closer than a quarter window less one tile to the near
// edge; moving forward, jump on while it lies beyond three quarters. Returns
// after each jump through scrolled(); a jump that cannot move ends it.
template <class Scrolled>
void FollowAxis(bool bForward, int32_t nHeadEdge, int32_t nTile, int32_t nClient, int32_t nTotal,
                int32_t& o, Scrolled scrolled) {
    while (bForward ? (o < nTotal && nHeadEdge - o > 3 * nClient / 4)
                    : (o > 0 && nHeadEdge - o < nClient / 4 - nTile)) {
        const int32_t nNext =
            bForward ? std::min(o + nClient / 2, nTotal) : std::max(o - nClient / 2, 0);
        if (nNext == o) break;
        o = nNext;
        scrolled();
    }
}

}  // namespace

void KeepHeadInView(const HeadFollowInput& in,
                    const std::function<void(int32_t, int32_t)>& scrollTo) {
    int32_t ox = in.nOriginX;
    int32_t oy = in.nOriginY;
    const auto scrolled = [&] { scrollTo(ox, oy); };
    const bool bHorizontal = in.nLastDirection == dirLeft || in.nLastDirection == dirRight;
    const bool bForward = in.nLastDirection == dirRight || in.nLastDirection == dirDown;
    if (bHorizontal) {
        const int32_t nTotal = in.nWidth * in.nTileWidth;
        if (in.nOffsetX != 0 || nTotal <= in.nClientWidth) return;
        FollowAxis(bForward, in.nHeadX * in.nTileWidth, in.nTileWidth, in.nClientWidth, nTotal, ox,
                   scrolled);
    } else if (in.nLastDirection == dirUp || in.nLastDirection == dirDown) {
        const int32_t nTotal = in.nHeight * in.nTileHeight;
        if (in.nOffsetY != 0 || nTotal <= in.nClientHeight) return;
        FollowAxis(bForward, in.nHeadY * in.nTileHeight, in.nTileHeight, in.nClientHeight, nTotal,
                   oy, scrolled);
    }
}
