// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Cell.h"

#include "game/GameRandom.h"
#include "game/Limits.h"

int32_t Cell::GetScore(GameRandom& rnd) const {
    switch (nType) {
        case ctDropping:
            return -(kDroppingCostMin + kPointStep * rnd.Draw(kDroppingStepsSpread));
        case ctApple:
            return kApplePoints;
        case ctCoin:
            return kCoinPointsMin + kPointStep * rnd.Draw(kCoinStepsSpread);
        default:
            return 0;
    }
}
