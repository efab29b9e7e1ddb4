#include "doc/Cell.h"

#include "doc/GameRandom.h"

int32_t Cell::GetScore(GameRandom& rnd) const {
    switch (nType) {
        case ctDropping:
            return -100 - 100 * rnd.Draw(7);
        case ctApple:
            return 100;
        case ctCoin:
            return 100 * (rnd.Draw(9) + 1);
        default:
            return 0;
    }
}
