#include "view/HeadFollow.h"

#include <algorithm>

#include "doc/Cell.h"

void KeepHeadInView(const HeadFollowInput& in,
                    const std::function<void(int32_t, int32_t)>& scrollTo) {
    const int32_t cw = in.nClientWidth;
    const int32_t ch = in.nClientHeight;
    int32_t ox = in.nOriginX;
    int32_t oy = in.nOriginY;
    const int32_t nTotalWidth = in.nWidth * in.nTileWidth;
    const int32_t nTotalHeight = in.nHeight * in.nTileHeight;
    const int32_t nHeadLeft = in.nHeadX * in.nTileWidth;
    const int32_t nHeadTop = in.nHeadY * in.nTileHeight;

    // Each loop also ends when a pass cannot move (a window under 2 pixels).
    switch (in.nLastDirection) {
        case dirLeft:
            if (in.nOffsetX != 0 || nTotalWidth <= cw) return;
            while (ox > 0 && nHeadLeft - ox < cw / 4 - in.nTileWidth) {
                const int32_t nNext = std::max(ox - cw / 2, 0);
                if (nNext == ox) break;
                ox = nNext;
                scrollTo(ox, oy);
            }
            break;
        case dirRight:
            if (in.nOffsetX != 0 || nTotalWidth <= cw) return;
            while (ox < nTotalWidth && nHeadLeft - ox > 3 * cw / 4) {
                const int32_t nNext = std::min(ox + cw / 2, nTotalWidth);
                if (nNext == ox) break;
                ox = nNext;
                scrollTo(ox, oy);
            }
            break;
        case dirUp:
            if (in.nOffsetY != 0 || nTotalHeight <= ch) return;
            while (oy > 0 && nHeadTop - oy < ch / 4 - in.nTileHeight) {
                const int32_t nNext = std::max(oy - ch / 2, 0);
                if (nNext == oy) break;
                oy = nNext;
                scrollTo(ox, oy);
            }
            break;
        case dirDown:
            if (in.nOffsetY != 0 || nTotalHeight <= ch) return;
            while (oy < nTotalHeight && nHeadTop - oy > 3 * ch / 4) {
                const int32_t nNext = std::min(oy + ch / 2, nTotalHeight);
                if (nNext == oy) break;
                oy = nNext;
                scrollTo(ox, oy);
            }
            break;
        default:
            break;
    }
}
