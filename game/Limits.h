// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// The game's limits, presets and tunable numbers, each said once. Everything
// that checks a board side, picks a preset or counts a rule's countdown takes
// its number from here.

// ---- board and speed ------------------------------------------------------

// A board side in cells: the New Game dialog, the settings and saved games
// all keep to this range.
inline constexpr int32_t kMinBoardSide = 5;
inline constexpr int32_t kMaxBoardSide = 70;

constexpr bool IsBoardSideAllowed(int32_t n) {
    return n >= kMinBoardSide && n <= kMaxBoardSide;
}

struct SizePreset {
    int32_t nWidth;
    int32_t nHeight;
};

// The size choice: two presets and a custom size, by index.
inline constexpr int32_t kSizeSmall = 0;
inline constexpr int32_t kSizeLarge = 1;
inline constexpr int32_t kSizeCustom = 2;
inline constexpr SizePreset SizePresets[2] = {{17, 13}, {25, 19}};

// The speed choice: the game timer's interval in milliseconds, by index.
inline constexpr int32_t kSpeedLow = 0;
inline constexpr int32_t kSpeedNormal = 1;
inline constexpr int32_t kSpeedHigh = 2;
inline constexpr int32_t SpeedPresets[3] = {350, 250, 150};

constexpr bool IsSizeChoice(int32_t n) {
    return n >= kSizeSmall && n <= kSizeCustom;
}
constexpr bool IsSpeedChoice(int32_t n) {
    return n >= kSpeedLow && n <= kSpeedHigh;
}

// Every board and speed a game can be set up with, numbered from 0.
struct BoardAndSpeed {
    int32_t nWidth;
    int32_t nHeight;
    int32_t nSpeedMs;
};
inline constexpr int32_t kBoardSides = kMaxBoardSide - kMinBoardSide + 1;
inline constexpr int32_t kBoardsAndSpeeds = kBoardSides * kBoardSides * 3;
constexpr BoardAndSpeed NthBoardAndSpeed(int32_t n) {
    return {kMinBoardSide + n / (kBoardSides * 3), kMinBoardSide + n / 3 % kBoardSides,
            SpeedPresets[n % 3]};
}

// The preset row that supplies defaults for a size choice; Custom has none of
// its own, and the Small row serves for it.
constexpr const SizePreset& PresetFor(int32_t nSizeChoice) {
    return SizePresets[nSizeChoice == kSizeLarge ? kSizeLarge : kSizeSmall];
}

// ---- the board on screen ----------------------------------------------------

// The side of a cell in pixels at the screen's ordinary density (96 pixels
// an inch): the board's size on screen, its scrolling and its printed size
// count in it.
inline constexpr int kTilePixels = 24;

// ---- score tables -----------------------------------------------------------

// Rows of one board's table of best scores.
inline constexpr int kScoreTableRows = 10;
// A player's name in a score row: at most this many bytes, then a zero.
inline constexpr int kMaxNameBytes = 31;

// ---- the rules' countdowns and lifetimes --------------------------------------
// Each random quantity is GameRandom::Draw(spread) + base, so 0..spread above
// the base.

// Ticks before the crawler leaves a dropping behind its tail: 7..84, drawn for
// a new game and again after each chance to drop.
inline constexpr int32_t kDropCountdownBase = 7;
inline constexpr int32_t kDropCountdownSpread = 77;

// A dropping is left only where the old tail lies more than this many cells
// from the head in both directions.
inline constexpr int32_t kDropClearance = 2;

// A dropping lives 2 x (0..7 + width + height) ticks.
inline constexpr int32_t kDroppingLifetimeSpread = 7;
inline constexpr int32_t kDroppingLifetimeFactor = 2;

// Moves during which the head frowns after eating a dropping.
inline constexpr int32_t kFrownMoves = 7;

// Spawner calls between placements: 5..15.
inline constexpr int32_t kSpawnCountdownBase = 5;
inline constexpr int32_t kSpawnCountdownSpread = 10;

// After a coin is placed, 0..7 placements turn coins into apples; an apple
// that expires uneaten adds 3 more.
inline constexpr int32_t kBonusCountdownSpread = 7;
inline constexpr int32_t kBonusForExpiredApple = 3;

// Skulls stay five times as long as apples and coins.
inline constexpr int32_t kSkullLifetimeFactor = 5;

// The first item of a new game lies at least this many cells from the start
// square in both directions.
inline constexpr int32_t kFirstItemMinDistance = 2;

// Points: an apple scores one step; a coin 1..10 steps; a dropping costs 1..8.
inline constexpr int32_t kPointStep = 100;
inline constexpr int32_t kCoinStepsSpread = 9;
inline constexpr int32_t kDroppingStepsSpread = 7;
inline constexpr int32_t kApplePoints = kPointStep;
inline constexpr int32_t kCoinPointsMin = kPointStep;
inline constexpr int32_t kCoinPointsMax = kCoinPointsMin + kPointStep * kCoinStepsSpread;
inline constexpr int32_t kDroppingCostMin = kPointStep;
inline constexpr int32_t kDroppingCostMax = kDroppingCostMin + kPointStep * kDroppingStepsSpread;
