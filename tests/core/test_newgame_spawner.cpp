// SPDX-License-Identifier: GPL-3.0-or-later
// New-game layout, the random generator, cell scoring and the item spawner.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "support/Board.h"
#include "support/Seeds.h"
#include "support/TestGame.h"

namespace {

using testsupport::AfterDraws;
using testsupport::FindSeed;
using testsupport::IsItem;

// A game for the spawner: an empty board whose next SpawnItem call places an
// item, with no bonus countdown running.
struct SpawnerBoard : testsupport::TestGame {
    SpawnerBoard(int32_t w, int32_t h) {
        BlankBoard(w, h);
        doc.m_nSpawnCountdown = 0;
    }
};

// A seed for a placement on a board of nFree free squares: the draws of a
// placement are the countdown, k (the k-th free square is chosen) and t (the
// kind of item). The seed draws k = nK (any square when not given) and t = nT
// (anything when not given).
std::optional<uint32_t> SeedForPlacement(int32_t nFree, std::optional<int32_t> nK,
                                         std::optional<int32_t> nT) {
    return FindSeed([=](GameRandom& r) {
        r.Next();
        const int32_t k = r.Draw(nFree);
        const int32_t t = r.Draw(3);
        return (nK ? k == *nK : k < nFree) && (!nT || t == *nT);
    });
}

}  // namespace

TEST(RandomTest, ClassicSequenceAndScaledDraws) {
    GameRandom rnd(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int n : expected) EXPECT_EQ(rnd.Next(), n);

    // Draw(n) is rand() * n / 32767, truncated: n only for 32767.
    GameRandom r1(testsupport::SeedYielding(32767));
    EXPECT_EQ(r1.Draw(77), 77);
    GameRandom r2(1);
    EXPECT_EQ(r2.Draw(77), 0);  // 41 * 77 / 32767
    EXPECT_EQ(r2.Draw(10), 5);  // 18467 * 10 / 32767
}

TEST(NewGameTest, LayoutAcrossSizesAndSeeds) {
    struct Case {
        int32_t w, h, headX, headY;
    };
    const Case cases[] = {{17, 13, 8, 6},   {25, 19, 12, 9}, {5, 5, 2, 2},
                          {70, 70, 34, 34}, {6, 8, 2, 3},    {5, 70, 2, 34}};
    for (const Case& c : cases) {
        for (uint32_t nSeed = 1; nSeed <= 40; ++nSeed) {
            SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " seed " << nSeed);
            testsupport::TestGame f;
            ASSERT_TRUE(f.NewGame(c.w, c.h, nSeed));
            const CCoilixDoc& d = f.doc;
            ASSERT_EQ(d.m_nWidth, c.w);
            ASSERT_EQ(d.m_nHeight, c.h);
            EXPECT_EQ(d.m_nHeadX, c.headX);
            EXPECT_EQ(d.m_nHeadY, c.headY);
            EXPECT_EQ(d.CellAt(c.headX, c.headY).nType, ctStart);
            EXPECT_EQ(d.m_nScore, 0);
            EXPECT_EQ(d.m_nSpeed, 250);
            EXPECT_EQ(d.m_nDirection, dirNone);
            EXPECT_EQ(d.m_nLastDirection, dirNone);
            EXPECT_EQ(d.m_nFrownCountdown, 0);
            EXPECT_FALSE(d.m_bPaused);
            EXPECT_FALSE(d.m_bLoadedGame);
            EXPECT_TRUE(d.m_aBody.empty());
            EXPECT_GE(d.m_aItems.size(), 1u);
            // The first draw after seeding sets the dropping countdown.
            EXPECT_EQ(d.m_nDropCountdown, GameRandom(nSeed).Draw(77) + 7);
            EXPECT_GE(d.m_nSpawnCountdown, 5);
            EXPECT_LE(d.m_nSpawnCountdown, 15);

            int nItems = 0;
            for (int32_t y = 0; y < c.h; ++y) {
                for (int32_t x = 0; x < c.w; ++x) {
                    const int32_t t = d.CellAt(x, y).nType;
                    if (x == c.headX && y == c.headY) continue;
                    if (IsItem(t)) {
                        ++nItems;
                        EXPECT_TRUE(t == ctApple || t == ctCoin) << "type " << t;
                        EXPECT_GE(std::abs(x - c.headX), 2);
                        EXPECT_GE(std::abs(y - c.headY), 2);
                        if (c.w == 5 && c.h == 5) {
                            EXPECT_TRUE((x == 0 || x == 4) && (y == 0 || y == 4))
                                << "(" << x << "," << y << ")";
                        }
                        // The item standing is the last one placed.
                        EXPECT_EQ(d.m_aItems.back().pCell, &d.CellAt(x, y));
                    } else {
                        EXPECT_EQ(t, ctEmpty) << "(" << x << "," << y << ")";
                    }
                }
            }
            EXPECT_EQ(nItems, 1);
            for (const CellRef& ref : d.m_aItems) {
                ASSERT_TRUE(d.IsOnBoard(ref.x, ref.y));
                EXPECT_EQ(ref.pCell, &d.CellAt(ref.x, ref.y));
                EXPECT_EQ(ref.nDir, dirNone);
            }
        }
    }
}

TEST(CellTest, ScoreExtremesAndRandomUse) {
    const uint32_t nTop = testsupport::SeedYielding(32767);
    const uint32_t nBelow = testsupport::SeedYielding(32766);
    const uint32_t nZero = testsupport::SeedYielding(0);

    struct Case {
        int32_t nType;
        uint32_t nSeed;
        int32_t nScore;
        bool bDraws;
    };
    const Case cases[] = {
        {ctCoin, nTop, 1000, true},       {ctCoin, nBelow, 900, true},
        {ctCoin, nZero, 100, true},       {ctDropping, nTop, -800, true},
        {ctDropping, nBelow, -700, true}, {ctDropping, nZero, -100, true},
        {ctApple, nTop, 100, false},      {ctEmpty, nTop, 0, false},
        {ctSkull, nTop, 0, false},        {ctBodyHorz, nTop, 0, false},
        {ctTailLeft, nTop, 0, false},     {ctStart, nTop, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.nType);
        Cell cell;
        cell.nType = c.nType;
        GameRandom rnd(c.nSeed);
        EXPECT_EQ(cell.GetScore(rnd), c.nScore);
        EXPECT_EQ(rnd.State(), AfterDraws(c.nSeed, c.bDraws ? 1 : 0).State())
            << "exactly one draw for coins and droppings";
    }
}

TEST(CellTest, PassableAndFood) {
    for (int32_t t = 0; t < kCellTypeCount; ++t) {
        Cell cell;
        cell.nType = t;
        const bool bAlways = t == ctEmpty || t == ctDropping || t == ctApple || t == ctCoin;
        const bool bTail = t >= ctTailLeft && t <= ctTailDown;
        EXPECT_EQ(cell.IsPassable(false), bAlways || bTail) << "type " << t;
        EXPECT_EQ(cell.IsPassable(true), bAlways) << "type " << t;
        EXPECT_EQ(cell.IsFood(), t == ctApple) << "type " << t;
    }
}

// Which item a placement of draw t = 0 becomes, by the crawler's direction and
// where the chosen square lies relative to the head at (10, 5).
TEST(SpawnerTest, SkullNeverWhileStillOrStraightAhead) {
    struct Case {
        int32_t nDir;
        int32_t x, y;
        bool bSkull;
    };
    const Case cases[] = {
        {dirLeft, 3, 5, false},     {dirLeft, 12, 5, true},   {dirLeft, 3, 6, true},
        {dirLeft, 10, 2, true},     {dirRight, 12, 5, false}, {dirRight, 3, 5, true},
        {dirUp, 10, 2, false},      {dirUp, 10, 8, true},     {dirUp, 3, 5, true},
        {dirDown, 10, 8, false},    {dirDown, 10, 2, true},   {dirNone, 3, 6, false},
        {dirGameOver, 3, 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dir " << c.nDir << " at (" << c.x << "," << c.y << ")");
        SpawnerBoard f(20, 10);
        CCoilixDoc& d = f.doc;
        d.m_nHeadX = 10;
        d.m_nHeadY = 5;
        d.CellAt(10, 5).nType = ctHeadLeft;
        d.m_nDirection = c.nDir;
        const int32_t nIndex = c.y * 20 + c.x;
        const int32_t k = nIndex > 5 * 20 + 10 ? nIndex - 1 : nIndex;  // the head is not free

        const std::optional<uint32_t> seed = SeedForPlacement(200, k, 0);
        ASSERT_TRUE(seed);
        d.m_random.Seed(*seed);

        int32_t x = -1, y = -1;
        ASSERT_TRUE(d.SpawnItem(x, y));
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        const Cell& cell = d.CellAt(c.x, c.y);

        // Replay the draws to know the lifetime: a coin draws the bonus
        // countdown before the lifetime, a skull does not.
        GameRandom expect = AfterDraws(*seed, 3);
        if (c.bSkull) {
            EXPECT_EQ(cell.nType, ctSkull);
            EXPECT_EQ(cell.nValue, (expect.Draw(30) + 15) * 5);
            EXPECT_EQ(d.m_nBonusCountdown, 0);
        } else {
            EXPECT_EQ(cell.nType, ctCoin);
            EXPECT_EQ(d.m_nBonusCountdown, expect.Draw(7));
            EXPECT_EQ(cell.nValue, expect.Draw(30) + 15);
        }
        EXPECT_EQ(d.m_random.State(), expect.State());
        ASSERT_EQ(d.m_aItems.size(), 1u);
        EXPECT_EQ(d.m_aItems[0].pCell, &cell);
        EXPECT_EQ(d.m_aItems[0].x, c.x);
        EXPECT_EQ(d.m_aItems[0].y, c.y);
        EXPECT_EQ(d.m_aItems[0].nDir, dirNone);
        EXPECT_GE(d.m_nSpawnCountdown, 5);
        EXPECT_LE(d.m_nSpawnCountdown, 15);
    }
}

TEST(SpawnerTest, BonusCountdownTurnsCoinsIntoApples) {
    struct Case {
        int32_t nBonusBefore;
        int32_t t;
        int32_t nType;
        int32_t nBonusAfter;  // -1: drawn anew because a coin was placed
    };
    const Case cases[] = {
        {3, 1, ctApple, 2}, {2, 1, ctApple, 1}, {1, 1, ctCoin, -1}, {0, 1, ctCoin, -1},
        {0, 2, ctApple, 0}, {0, 3, ctApple, 0}, {2, 0, ctApple, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bonus " << c.nBonusBefore << " t " << c.t);
        SpawnerBoard f(17, 13);
        CCoilixDoc& d = f.doc;
        d.m_nBonusCountdown = c.nBonusBefore;
        d.m_nDirection = dirNone;
        const std::optional<uint32_t> seed = SeedForPlacement(17 * 13, std::nullopt, c.t);
        ASSERT_TRUE(seed);
        d.m_random.Seed(*seed);
        int32_t x = -1, y = -1;
        ASSERT_TRUE(d.SpawnItem(x, y));
        ASSERT_TRUE(d.IsOnBoard(x, y));
        EXPECT_EQ(d.CellAt(x, y).nType, c.nType);
        GameRandom expect = AfterDraws(*seed, 3);
        if (c.nBonusAfter < 0) {
            EXPECT_EQ(d.m_nBonusCountdown, expect.Draw(7));
        } else {
            EXPECT_EQ(d.m_nBonusCountdown, c.nBonusAfter);
        }
        EXPECT_EQ(d.CellAt(x, y).nValue, expect.Draw(30) + 15);
    }
}

TEST(SpawnerTest, CountdownCallsDrawNothing) {
    SpawnerBoard f(17, 13);
    CCoilixDoc& d = f.doc;
    d.m_nSpawnCountdown = 2;
    d.m_nBonusCountdown = 4;
    d.m_random.Seed(7);
    int32_t x = -1, y = -2;
    EXPECT_FALSE(d.SpawnItem(x, y));
    EXPECT_FALSE(d.SpawnItem(x, y));
    EXPECT_EQ(d.m_nSpawnCountdown, 0);
    EXPECT_EQ(d.m_nBonusCountdown, 4);
    EXPECT_EQ(d.m_random.State(), 7u);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -2);
    EXPECT_TRUE(d.m_aItems.empty());
    // The third call places.
    EXPECT_TRUE(d.SpawnItem(x, y));
    EXPECT_EQ(d.m_aItems.size(), 1u);
    // The placement counts the bonus down once, and a running bonus allows no coin.
    EXPECT_EQ(d.m_nBonusCountdown, 3);
    EXPECT_NE(d.CellAt(x, y).nType, ctCoin);
}

TEST(SpawnerTest, NoFreeSquarePlacesNothingButRestartsCountdown) {
    SpawnerBoard f(6, 5);
    CCoilixDoc& d = f.doc;
    for (int32_t i = 0; i < 30; ++i) d.m_pCells[i].nType = ctBodyHorz;
    for (uint32_t nSeed : {1u, 2u, 99u}) {
        d.m_random.Seed(nSeed);
        d.m_nSpawnCountdown = 0;
        int32_t x = -1, y = -1;
        EXPECT_TRUE(d.SpawnItem(x, y));
        EXPECT_EQ(x, -1);
        EXPECT_EQ(y, -1);
        EXPECT_TRUE(d.m_aItems.empty());
        EXPECT_EQ(d.m_nSpawnCountdown, GameRandom(nSeed).Draw(10) + 5);
        for (int32_t i = 0; i < 30; ++i) ASSERT_EQ(d.m_pCells[i].nType, ctBodyHorz);
    }
}

TEST(SpawnerTest, StaleRecordsShrinkTheFreeCount) {
    // 25 squares, 25 stale records: free is 0, so k is 0 and the first empty
    // square in board order is chosen whatever the draw.
    for (uint32_t nSeed : {1u, 5u, 1234u}) {
        SpawnerBoard f(5, 5);
        CCoilixDoc& d = f.doc;
        for (int32_t i = 0; i < 7; ++i) d.m_pCells[i].nType = ctBodyVert;
        CellRef stale;
        stale.Set(&d.CellAt(0, 0), 0, 0, dirNone);
        d.m_aItems.assign(25, stale);
        d.m_random.Seed(nSeed);
        int32_t x = -1, y = -1;
        ASSERT_TRUE(d.SpawnItem(x, y));
        EXPECT_EQ(x, 2);
        EXPECT_EQ(y, 1);
        EXPECT_TRUE(IsItem(d.CellAt(2, 1).nType));
    }
    // 30 stale records: free is -5, k is -5..0; a negative k places nothing.
    const std::optional<uint32_t> seed = FindSeed([](GameRandom& r) {
        r.Next();
        return r.Draw(-5) < 0;
    });
    ASSERT_TRUE(seed);
    SpawnerBoard f(5, 5);
    CCoilixDoc& d = f.doc;
    CellRef stale;
    stale.Set(&d.CellAt(0, 0), 0, 0, dirNone);
    d.m_aItems.assign(30, stale);
    d.m_random.Seed(*seed);
    int32_t x = -1, y = -1;
    EXPECT_TRUE(d.SpawnItem(x, y));
    EXPECT_EQ(x, -1);
    EXPECT_EQ(d.m_aItems.size(), 30u);
}

TEST(SpawnerTest, AgeItemsRemovesOneRecordPerCall) {
    SpawnerBoard f(8, 3);
    CCoilixDoc& d = f.doc;
    f.PutItem(1, 1, ctApple, 0);     // expired
    f.PutItem(2, 1, ctCoin, 0);      // expired too: waits one call
    f.PutItem(3, 1, ctSkull, 5);     // counts on
    f.PutItem(4, 1, ctBodyHorz, 0);  // an eaten item's record: square belongs to the crawler
    f.PutItem(5, 1, ctDropping, 0);
    d.m_nBonusCountdown = 1;

    struct Expect {
        bool bRemoved;
        int32_t x, y;
        int32_t nBonus;
        int32_t nSkullLife;
        size_t nRecords;
    };
    const Expect steps[] = {
        {true, 1, 1, 4, 4, 4},                            // apple: +3 to the bonus countdown
        {true, 2, 1, 4, 3, 3},                            // coin: nothing added
        {true, 4, 1, 4, 2, 2},                            // stale record: square left alone
        {true, 5, 1, 4, 1, 1},                            // dropping
        {false, -1, -1, 4, 0, 1}, {true, 3, 1, 4, 0, 0},  // the skull at last
        {false, -1, -1, 4, 0, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(testing::Message() << "call " << i + 1);
        const Expect& e = steps[i];
        int32_t x = -1, y = -1;
        EXPECT_EQ(d.AgeItems(x, y), e.bRemoved);
        EXPECT_EQ(x, e.x);
        EXPECT_EQ(y, e.y);
        EXPECT_EQ(d.m_nBonusCountdown, e.nBonus);
        EXPECT_EQ(d.CellAt(3, 1).nValue, e.nSkullLife);
        EXPECT_EQ(d.m_aItems.size(), e.nRecords);
    }
    EXPECT_EQ(d.CellAt(1, 1).nType, ctEmpty);
    EXPECT_EQ(d.CellAt(2, 1).nType, ctEmpty);
    EXPECT_EQ(d.CellAt(3, 1).nType, ctEmpty);
    EXPECT_EQ(d.CellAt(4, 1).nType, ctBodyHorz);
    EXPECT_EQ(d.CellAt(5, 1).nType, ctEmpty);
}

TEST(SpawnerTest, ExpiredSquareCanBeRefilledInTheSameStep) {
    // The only empty square is the one an expiring apple frees.
    SpawnerBoard f(5, 5);
    CCoilixDoc& d = f.doc;
    for (int32_t i = 0; i < 25; ++i) d.m_pCells[i].nType = ctBodyVert;
    f.PutItem(3, 4, ctApple, 0);
    int32_t x = -1, y = -1;
    ASSERT_TRUE(d.AgeItems(x, y));
    EXPECT_EQ(d.m_nBonusCountdown, 3);
    // free = 25 - 0 records, so k must be 0 to choose the square.
    const std::optional<uint32_t> seed = SeedForPlacement(25, 0, std::nullopt);
    ASSERT_TRUE(seed);
    d.m_random.Seed(*seed);
    x = y = -1;
    ASSERT_TRUE(d.SpawnItem(x, y));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    EXPECT_TRUE(IsItem(d.CellAt(3, 4).nType));
    EXPECT_NE(d.CellAt(3, 4).nType, ctCoin) << "bonus countdown 3 turns coins into apples";
}
