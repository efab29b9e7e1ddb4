// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Cell.h"

#include "game/GameRandom.h"
#include "game/Limits.h"

int32_t Cell::GetScore(GameRandom& rnd) const {
    switch (nType) {
        case ctDropping:
            return -kPointStep - kPointStep * rnd.Draw(kDroppingStepsSpread);
        case ctApple:
            return kPointStep;
        case ctCoin:
            return kPointStep * (rnd.Draw(kCoinStepsSpread) + 1);
        default:
            return 0;
    }
}
