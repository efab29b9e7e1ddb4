// SPDX-License-Identifier: GPL-3.0-or-later
// The game step, the crawler's body and tail, the end of a game with the
// high-score entry, and the view's key, timer and pause rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GameControl.h"
#include "support/Board.h"
#include "support/Seeds.h"
#include "support/TestGame.h"

namespace {

using testsupport::HeadFor;
using testsupport::KeyFor;
using testsupport::kJoints;
using testsupport::Lines;
using testsupport::Moved;
using testsupport::Pos;
using testsupport::Ref;
using testsupport::SeedYielding;
using testsupport::TailFor;

std::string CellLine(int32_t x, int32_t y) {
    return "cell " + std::to_string(x) + " " + std::to_string(y);
}

struct Game : testsupport::TestGame {
    void ExpectBody(const std::vector<CellRef>& expected) {
        ASSERT_EQ(doc.m_aBody.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "segment " << i);
            const CellRef& ref = doc.m_aBody[i];
            EXPECT_EQ(ref.nDir, expected[i].nDir);
            EXPECT_EQ(ref.x, expected[i].x);
            EXPECT_EQ(ref.y, expected[i].y);
            EXPECT_EQ(ref.pCell, &doc.CellAt(expected[i].x, expected[i].y));
        }
    }
};

}  // namespace

// ---------------------------------------------------------------- the step

TEST(GameStepTest, WorkedExampleThreeTicks) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    const int32_t nDrop = g.doc.m_nDropCountdown;
    ASSERT_GE(nDrop, 7);
    g.control.OnKeyDown(GameKey::kLeft);
    g.host.Take();

    EXPECT_EQ(g.Step(),
              (Lines{"pane 0 Playing...", "cell 8 6", "cell 7 6", "sound 150", "pane 1 Score: 0"}));
    EXPECT_EQ(g.Type(8, 6), ctTailLeft);
    EXPECT_EQ(g.Type(7, 6), ctHeadLeft);
    g.ExpectBody({Ref(1, 8, 6), Ref(0, 7, 6)});
    EXPECT_EQ(g.doc.m_nHeadX, 7);
    EXPECT_EQ(g.doc.m_nLastDirection, dirLeft);

    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "sound 150", "cell 6 6", "cell 7 6", "cell 7 6",
                               "cell 8 6", "pane 1 Score: 0"}));
    EXPECT_EQ(g.Type(6, 6), ctHeadLeft);
    EXPECT_EQ(g.Type(7, 6), ctTailLeft);
    EXPECT_EQ(g.Type(8, 6), ctEmpty);
    g.ExpectBody({Ref(1, 7, 6), Ref(0, 6, 6)});

    g.control.OnKeyDown(GameKey::kUp);
    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "sound 150", "cell 6 5", "cell 6 6", "cell 6 6",
                               "cell 7 6", "pane 1 Score: 0"}));
    EXPECT_EQ(g.Type(6, 5), ctHeadUp);
    EXPECT_EQ(g.Type(6, 6), ctTailUp);
    EXPECT_EQ(g.Type(7, 6), ctEmpty);
    g.ExpectBody({Ref(3, 6, 6), Ref(0, 6, 5)});
    EXPECT_EQ(g.doc.m_nDropCountdown, nDrop - 3);
    EXPECT_EQ(g.doc.m_nScore, 0);
}

TEST(GameStepTest, NeckPieceForEveryStraightRunAndTurn) {
    // A three-cell crawler enters `turn` moving j.nIn and leaves it moving j.nOut.
    for (const testsupport::Joint& j : kJoints) {
        SCOPED_TRACE(testing::Message() << "in " << j.nIn << " out " << j.nOut);
        const Pos tail{4, 4};
        const Pos neck = Moved(tail, j.nIn);
        const Pos turn = Moved(neck, j.nIn);
        const Pos head = Moved(turn, j.nOut);
        Game g;
        g.BlankBoard(9, 9);
        g.LayCrawler({tail, neck, turn});
        g.control.OnKeyDown(KeyFor(j.nOut));
        g.host.Take();
        g.Step();
        EXPECT_EQ(g.Type(turn.first, turn.second), j.nPiece);
        EXPECT_EQ(g.Type(head.first, head.second), HeadFor(j.nOut));
        EXPECT_EQ(g.doc.m_nLastDirection, j.nOut);
        // The new tail's end piece points along the crawler.
        EXPECT_EQ(g.Type(neck.first, neck.second), TailFor(j.nIn));
        EXPECT_EQ(g.Type(tail.first, tail.second), ctEmpty);
        g.ExpectBody({Ref(j.nIn, neck.first, neck.second), Ref(j.nOut, turn.first, turn.second),
                      Ref(0, head.first, head.second)});
    }
}

TEST(GameStepTest, EatingAnAppleGrowsByOneAndScores100) {
    Game g;
    g.BlankBoard(12, 5);
    g.LayCrawler({{9, 2}, {8, 2}, {7, 2}});
    g.PutItem(6, 2, ctApple, 30);
    g.doc.m_nScore = 40;
    g.doc.m_nDropCountdown = 1;  // reaches 0 in a tick without a tail advance
    const uint32_t nState = g.doc.m_random.State();

    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "sound 152", "cell 6 2", "cell 7 2",
                               "pane 1 Score: 140"}));
    EXPECT_EQ(g.doc.m_nScore, 140);
    EXPECT_EQ(g.Type(6, 2), ctHeadLeft);
    EXPECT_EQ(g.Type(7, 2), ctBodyHorz);
    EXPECT_EQ(g.Type(9, 2), ctTailLeft);
    g.ExpectBody({Ref(1, 9, 2), Ref(1, 8, 2), Ref(1, 7, 2), Ref(0, 6, 2)});
    // The dropping countdown waits at 0 for the next tail advance; nothing drawn.
    EXPECT_EQ(g.doc.m_nDropCountdown, 0);
    EXPECT_EQ(g.doc.m_random.State(), nState);
    // The apple's record stays and goes on counting the square down.
    ASSERT_EQ(g.doc.m_aItems.size(), 1u);
    EXPECT_EQ(g.doc.CellAt(6, 2).nValue, 29);
}

TEST(GameStepTest, CoinAndDroppingScoresAndSounds) {
    struct Case {
        int32_t nType;
        int nRand;
        int32_t nScoreAfter;
        std::string strSound;
        int32_t nHead;
        int32_t nFrown;
    };
    const Case cases[] = {
        {ctCoin, 32767, 1000, "sound 153", ctHeadRight, 0},
        {ctCoin, 32766, 900, "sound 153", ctHeadRight, 0},
        {ctCoin, 0, 100, "sound 153", ctHeadRight, 0},
        {ctDropping, 32767, -800, "sound 156", ctFrownRight, 7},
        {ctDropping, 32766, -700, "sound 156", ctFrownRight, 7},
        {ctDropping, 0, -100, "sound 156", ctFrownRight, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.nType << " rand " << c.nRand);
        Game g;
        g.BlankBoard(10, 5);
        g.LayCrawler({{1, 2}, {2, 2}});
        g.PutItem(3, 2, c.nType, 20);
        g.doc.m_random.Seed(SeedYielding(c.nRand));
        EXPECT_EQ(g.Step(),
                  (Lines{"pane 0 Playing...", c.strSound, "cell 3 2", "cell 2 2", "cell 2 2",
                         "cell 1 2", "pane 1 Score: " + std::to_string(c.nScoreAfter)}));
        EXPECT_EQ(g.doc.m_nScore, c.nScoreAfter);
        EXPECT_EQ(g.Type(3, 2), c.nHead);
        EXPECT_EQ(g.Type(2, 2), ctTailRight);
        EXPECT_EQ(g.Type(1, 2), ctEmpty);
        EXPECT_EQ(g.doc.m_nFrownCountdown, c.nFrown);
        EXPECT_EQ(g.doc.m_nDirection, dirRight);
    }
}

TEST(GameStepTest, DroppingFrownsSevenHeads) {
    Game g;
    g.BlankBoard(20, 3);
    g.LayCrawler({{0, 1}, {1, 1}});
    g.PutItem(2, 1, ctDropping, 50);
    std::vector<int32_t> heads;
    for (int i = 0; i < 10; ++i) {
        g.Step();
        heads.push_back(g.Type(g.doc.m_nHeadX, g.doc.m_nHeadY));
    }
    const std::vector<int32_t> expected = {ctFrownRight, ctFrownRight, ctFrownRight, ctFrownRight,
                                           ctFrownRight, ctFrownRight, ctFrownRight, ctHeadRight,
                                           ctHeadRight,  ctHeadRight};
    EXPECT_EQ(heads, expected);
    EXPECT_LT(g.doc.m_nScore, 0);
}

TEST(GameStepTest, ReversalIsRefusedAndCountdownsRunTwice) {
    Game g;
    g.BlankBoard(12, 5);
    g.LayCrawler({{9, 2}, {8, 2}, {7, 2}});
    g.doc.m_nFrownCountdown = 5;
    g.doc.m_nDropCountdown = 10;
    // Two quick keys between ticks can leave a reversal asked for.
    g.doc.m_nDirection = dirRight;

    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "pane 0 Playing...", "sound 150", "cell 6 2",
                               "cell 7 2", "cell 8 2", "cell 9 2", "pane 1 Score: 0"}));
    EXPECT_EQ(g.doc.m_nDirection, dirLeft);
    EXPECT_EQ(g.doc.m_nLastDirection, dirLeft);
    EXPECT_EQ(g.doc.m_nHeadX, 6);
    EXPECT_EQ(g.doc.m_nFrownCountdown, 3);
    EXPECT_EQ(g.doc.m_nDropCountdown, 8);
    EXPECT_EQ(g.Type(6, 2), ctFrownLeft);  // the countdown is still running
    g.ExpectBody({Ref(1, 8, 2), Ref(1, 7, 2), Ref(0, 6, 2)});
}

TEST(GameStepTest, WallEndsTheGame) {
    struct Case {
        const char* pszName;
        std::vector<Pos> crawler;
        int32_t nKey;
        int32_t nWallPiece;  // the head cell after the crash
        Lines lines;
        std::vector<CellRef> body;
        Pos emptied;
    };
    const Case cases[] = {
        {"two cells, downwards",
         {{4, 7}, {4, 8}},
         dirDown,
         ctTailDown,  // tiled into the wall, then made the only (tail) cell
         {"pane 0 Playing...", "cell 4 8", "sound 155", "cell 4 8", "cell 4 7", "pane 1 Score: 0",
          "pane 0 Game over"},
         {Ref(0, 4, 8)},
         {4, 7}},
        {"three cells straight",
         {{2, 4}, {1, 4}, {0, 4}},
         dirLeft,
         ctBodyHorz,
         {"pane 0 Playing...", "cell 0 4", "sound 155", "cell 1 4", "cell 2 4", "pane 1 Score: 0",
          "pane 0 Game over"},
         {Ref(1, 1, 4), Ref(0, 0, 4)},
         {2, 4}},
        {"turning into the wall",
         {{0, 5}, {0, 4}, {0, 3}},
         dirLeft,
         ctBodyDownLeft,
         {"pane 0 Playing...", "cell 0 3", "sound 155", "cell 0 4", "cell 0 5", "pane 1 Score: 0",
          "pane 0 Game over"},
         {Ref(3, 0, 4), Ref(0, 0, 3)},
         {0, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        Game g;
        g.BlankBoard(9, 9);
        g.LayCrawler(c.crawler);
        const Pos head = c.crawler.back();
        g.control.OnKeyDown(KeyFor(c.nKey));
        ASSERT_TRUE(g.host.bTimerRunning);
        ASSERT_TRUE(g.host.bCursorHidden);
        g.host.Take();

        EXPECT_EQ(g.Step(), c.lines);
        EXPECT_EQ(g.doc.m_nDirection, dirGameOver);
        EXPECT_EQ(g.doc.m_nHeadX, head.first);
        EXPECT_EQ(g.doc.m_nHeadY, head.second);
        EXPECT_EQ(g.Type(head.first, head.second), c.nWallPiece);
        EXPECT_EQ(g.Type(c.emptied.first, c.emptied.second), ctEmpty);
        g.ExpectBody(c.body);
        EXPECT_FALSE(g.host.bTimerRunning);
        EXPECT_FALSE(g.control.IsTimerRunning());
        EXPECT_FALSE(g.host.bCursorHidden);
        EXPECT_EQ(g.host.nNewScores, 0);
    }
}

TEST(GameStepTest, RunningIntoItsBodyLeavesTheTail) {
    Game g;
    g.BlankBoard(8, 8);
    g.LayCrawler({{2, 2}, {3, 2}, {4, 2}, {4, 3}, {3, 3}});
    g.control.OnKeyDown(GameKey::kUp);
    g.host.Take();
    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "sound 155", "cell 3 2", "cell 3 3",
                               "pane 1 Score: 0", "pane 0 Game over"}));
    EXPECT_EQ(g.Type(3, 2), ctFrownUp);
    EXPECT_EQ(g.Type(3, 3), ctBodyUpRight);
    EXPECT_EQ(g.Type(2, 2), ctTailRight);
    EXPECT_EQ(g.doc.m_aBody.size(), 6u);
    EXPECT_EQ(g.doc.m_aBody.front().x, 2);
    EXPECT_EQ(g.doc.m_nDirection, dirGameOver);
}

TEST(GameStepTest, SkullKillsAndTheTailStillAdvances) {
    Game g;
    g.BlankBoard(12, 5);
    g.LayCrawler({{9, 2}, {8, 2}, {7, 2}});
    g.PutItem(6, 2, ctSkull, 100);
    g.doc.m_nScore = 0;
    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "sound 154", "cell 6 2", "cell 7 2", "cell 8 2",
                               "cell 9 2", "pane 1 Score: 0", "pane 0 Game over"}));
    EXPECT_EQ(g.Type(6, 2), ctFrownLeft);  // frowning although the countdown is 0
    EXPECT_EQ(g.Type(7, 2), ctBodyHorz);
    EXPECT_EQ(g.Type(8, 2), ctTailLeft);
    EXPECT_EQ(g.Type(9, 2), ctEmpty);
    g.ExpectBody({Ref(1, 8, 2), Ref(1, 7, 2), Ref(0, 6, 2)});
    EXPECT_EQ(g.doc.m_nDirection, dirGameOver);
}

TEST(GameStepTest, HeadMayEnterTheCellTheTailLeaves) {
    // A square loop: the head at (3, 4) turns up into the tail at (3, 3). The
    // dropping countdown runs out in this tick, but no dropping can be left
    // under the head; the countdown restarts all the same.
    Game g;
    g.BlankBoard(8, 8);
    g.LayCrawler({{3, 3}, {4, 3}, {4, 4}, {3, 4}});
    g.doc.m_nDropCountdown = 1;
    g.doc.m_random.Seed(77);
    g.control.OnKeyDown(GameKey::kUp);
    g.host.Take();
    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "sound 150", "cell 3 3", "cell 3 4", "cell 4 3",
                               "cell 3 3", "pane 1 Score: 0"}));
    EXPECT_EQ(g.Type(3, 3), ctHeadUp);
    EXPECT_EQ(g.Type(3, 4), ctBodyUpRight);
    EXPECT_EQ(g.Type(4, 3), ctTailDown);
    EXPECT_EQ(g.doc.m_nDirection, dirUp);
    g.ExpectBody({Ref(4, 4, 3), Ref(1, 4, 4), Ref(3, 3, 4), Ref(0, 3, 3)});
    EXPECT_TRUE(g.doc.m_aItems.empty());
    GameRandom expect(77);
    EXPECT_EQ(g.doc.m_nDropCountdown, expect.Draw(77) + 7);
    EXPECT_EQ(g.doc.m_random.State(), expect.State());
}

TEST(GameStepTest, DroppingOnlyFarFromTheHead) {
    // The crawler runs down column 2 from row 1 and turns right along row 4;
    // the head then moves right once. The old tail is left at (2, 1) or (2, 2).
    struct Case {
        std::vector<Pos> crawler;
        bool bDropping;
    };
    const Case cases[] = {
        {{{2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 4}, {4, 4}}, true},  // 3 and 3 away
        {{{2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 4}}, false},         // 2 columns away
        {{{2, 2}, {2, 3}, {2, 4}, {3, 4}, {4, 4}}, false},         // 2 rows away
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "crawler of " << c.crawler.size());
        Game g;
        g.BlankBoard(10, 7);
        g.LayCrawler(c.crawler);
        g.doc.m_nDropCountdown = 1;
        g.doc.m_random.Seed(4242);
        const Pos tail = c.crawler.front();
        const Lines lines = g.Step();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], CellLine(tail.first, tail.second));

        GameRandom expect(4242);
        if (c.bDropping) {
            EXPECT_EQ(g.Type(tail.first, tail.second), ctDropping);
            // Its lifetime is counted down once by the ageing in the same tick.
            EXPECT_EQ(g.doc.CellAt(tail.first, tail.second).nValue,
                      2 * (expect.Draw(7) + 7 + 10) - 1);
            ASSERT_EQ(g.doc.m_aItems.size(), 1u);
            const CellRef& item = g.doc.m_aItems[0];
            EXPECT_EQ(item.nDir, dirDown);  // copied from the old tail
            EXPECT_EQ(item.x, tail.first);
            EXPECT_EQ(item.y, tail.second);
            EXPECT_EQ(item.pCell, &g.doc.CellAt(tail.first, tail.second));
        } else {
            EXPECT_EQ(g.Type(tail.first, tail.second), ctEmpty);
            EXPECT_TRUE(g.doc.m_aItems.empty());
        }
        EXPECT_EQ(g.doc.m_nDropCountdown, expect.Draw(77) + 7);
        EXPECT_EQ(g.doc.m_random.State(), expect.State());
    }
}

TEST(GameStepTest, TickBeforeTheFirstKeyOnlyCountsDown) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 3));
    const int32_t nDrop = g.doc.m_nDropCountdown;
    const int32_t nSpawn = g.doc.m_nSpawnCountdown;
    const int32_t nLife = g.doc.m_aItems.back().pCell->nValue;
    EXPECT_EQ(g.Step(), (Lines{"pane 1 Score: 0"}));
    EXPECT_EQ(g.doc.m_nDropCountdown, nDrop - 1);
    EXPECT_EQ(g.doc.m_nSpawnCountdown, nSpawn);
    EXPECT_EQ(g.doc.m_aItems.back().pCell->nValue, nLife);
    EXPECT_EQ(g.Type(8, 6), ctStart);
}

TEST(GameStepTest, ItemsAgeAndSpawnAfterTheMoveAlsoOnTheLastTick) {
    for (bool bDeath : {false, true}) {
        SCOPED_TRACE(bDeath ? "game-ending tick" : "ordinary tick");
        Game g;
        g.BlankBoard(12, 6);
        g.LayCrawler({{9, 2}, {8, 2}, {7, 2}});
        if (bDeath) g.PutItem(6, 2, ctSkull, 100);
        g.PutItem(1, 5, ctApple, 0);  // expires in this tick
        g.doc.m_nSpawnCountdown = 0;  // and a placement is due
        const Lines lines = g.Step();
        ASSERT_GE(lines.size(), 3u);
        const size_t nAfterScore = bDeath ? 3 : 2;  // "Game over" comes before the items
        EXPECT_EQ(lines[lines.size() - nAfterScore - 1], "pane 1 Score: 0");
        EXPECT_EQ(lines[lines.size() - 2], "cell 1 5");
        EXPECT_EQ(g.doc.m_nBonusCountdown, 3 - 1);  // +3 by the apple, -1 by the placement
        const CellRef& placed = g.doc.m_aItems.back();
        EXPECT_EQ(lines.back(), CellLine(placed.x, placed.y));
        EXPECT_GE(placed.pCell->nType, ctSkull);
        EXPECT_LE(placed.pCell->nType, ctApple) << "no coin while the bonus countdown runs";
    }
}

// ------------------------------------------------------- game over and scores

TEST(GameOverTest, ANewHighScoreIsHandedOverAndTheTableLeftToTheStore) {
    Game g;
    g.BlankBoard(17, 13);
    g.LayCrawler({{1, 4}, {0, 4}});
    g.doc.m_nScore = 500;
    g.PressCurrentDirection();
    EXPECT_EQ(g.Step(), (Lines{"pane 0 Playing...", "cell 0 4", "sound 155", "cell 0 4", "cell 1 4",
                               "pane 1 Score: 500", "pane 0 New high score", "sound 159",
                               "pane 0 Game over"}));
    // Handed over once; the game placed no row of its own: the store places
    // it once the name is known.
    EXPECT_EQ(g.host.nNewScores, 1);
    EXPECT_EQ(g.table.GetCount(), 0);
    // The timer stopped and the cursor came back.
    EXPECT_FALSE(g.host.bCursorHidden);
    EXPECT_FALSE(g.host.bTimerRunning);
}

TEST(GameOverTest, WhoEntersTheTable) {
    struct Case {
        const char* pszName;
        int32_t nScore;
        bool bLoaded;
        int32_t nLastRow;  // score of the 10th row of a full table; none when 0
        bool bEnters;
    };
    const Case cases[] = {
        {"zero score, empty table", 0, false, 0, false},
        {"negative score, empty table", -300, false, 0, false},
        {"loaded game", 5000, true, 0, false},
        {"first point, empty table", 1, false, 0, true},
        {"equal to the last row", 120, false, 120, false},
        {"one more than the last row", 121, false, 120, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        Game g;
        g.BlankBoard(9, 9);
        g.LayCrawler({{1, 4}, {0, 4}});
        g.doc.m_nScore = c.nScore;
        g.doc.m_bLoadedGame = c.bLoaded;
        if (c.nLastRow != 0) {
            g.table.m_aScores.clear();
            for (int i = 0; i < 10; ++i) g.table.m_aScores.emplace_back("p", 1000 - i * 97);
            g.table.m_aScores[9].nScore = c.nLastRow;
        }
        g.control.GameStep();
        EXPECT_EQ(g.doc.m_nDirection, dirGameOver);
        EXPECT_EQ(g.host.nNewScores, c.bEnters ? 1 : 0);
        EXPECT_EQ(g.host.Count("pane 0 New high score"), c.bEnters ? 1 : 0);
        EXPECT_EQ(g.host.Count("sound 159"), c.bEnters ? 1 : 0);
        ASSERT_FALSE(g.host.lines.empty());
        EXPECT_EQ(g.host.lines.back(), "pane 0 Game over");
        // The game only tells; the table is the store's to change.
        if (c.nLastRow != 0) {
            ASSERT_EQ(g.table.GetCount(), 10);
            EXPECT_EQ(g.table.GetRow(9).nScore, c.nLastRow);
        } else {
            EXPECT_EQ(g.table.GetCount(), 0);
        }
    }
}

// ------------------------------------------------- keys, timer and pause

TEST(ViewControlTest, InitialUpdateStopsTheTimerAndWritesTheState) {
    struct Case {
        int32_t nDirection;
        bool bPaused;
        const char* pszPane0;
    };
    const Case cases[] = {
        {dirNone, false, "pane 0 Ready"},
        {dirLeft, true, "pane 0 Pause"},
        {dirGameOver, true, "pane 0 Game over"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszPane0);
        Game g;
        ASSERT_TRUE(g.NewGame(17, 13, 1));
        g.control.OnKeyDown(GameKey::kDown);  // a timer runs
        ASSERT_TRUE(g.host.bTimerRunning);
        g.host.Take();
        g.doc.m_nScore = -42;
        g.doc.m_nDirection = c.nDirection;
        g.doc.m_bPaused = c.bPaused;
        g.control.OnInitialUpdate();
        g.control.ShowInitialStatus();
        EXPECT_EQ(g.host.Take(), (Lines{"pane 1 Score: -42", c.pszPane0}));
        EXPECT_FALSE(g.host.bTimerRunning);
        EXPECT_FALSE(g.control.IsTimerRunning());
    }
}

TEST(ViewControlTest, NewGameStartsOnlyWithAnArrow) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    EXPECT_FALSE(g.control.IsPauseEnabled());
    g.control.OnKeyDown(GameKey::kOther);
    EXPECT_TRUE(g.host.bCursorHidden) << "any key hides the cursor";
    EXPECT_EQ(g.host.nStartTimerCalls, 0);
    EXPECT_EQ(g.doc.m_nDirection, dirNone);
    // A Pause in a new game pauses nothing.
    g.control.OnPause();
    EXPECT_FALSE(g.doc.m_bPaused);

    g.control.OnKeyDown(GameKey::kRight);  // nothing is opposite yet
    EXPECT_EQ(g.doc.m_nDirection, dirRight);
    EXPECT_TRUE(g.host.bTimerRunning);
    EXPECT_EQ(g.host.nLastInterval, 250);
    EXPECT_TRUE(g.control.IsPauseEnabled());
    g.control.OnKeyDown(GameKey::kDown);
    EXPECT_EQ(g.host.nStartTimerCalls, 1) << "one timer at a time";
    EXPECT_TRUE(g.host.lines.empty()) << "keys write no status text";
}

TEST(ViewControlTest, ArrowRefusedAgainstLastAskedDirectionStillClearsPause) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    g.control.OnKeyDown(GameKey::kRight);
    g.control.OnTimer();
    g.control.OnPause();
    ASSERT_TRUE(g.doc.m_bPaused);
    EXPECT_TRUE(g.control.IsPauseChecked());
    g.control.OnKeyDown(GameKey::kLeft);
    EXPECT_EQ(g.doc.m_nDirection, dirRight);
    EXPECT_FALSE(g.doc.m_bPaused);
    EXPECT_TRUE(g.host.bCursorHidden) << "the key hid the cursor that Pause showed";

    // Up then Left between two ticks: the step refuses the reversal.
    g.control.OnKeyDown(GameKey::kUp);
    g.control.OnKeyDown(GameKey::kLeft);
    EXPECT_EQ(g.doc.m_nDirection, dirLeft);
    const int32_t nX = g.doc.m_nHeadX;
    g.host.Take();
    g.control.OnTimer();
    EXPECT_EQ(g.doc.m_nHeadX, nX + 1);
    EXPECT_EQ(g.doc.m_nDirection, dirRight);
    EXPECT_EQ(g.host.Count("pane 0 Playing..."), 2);
}

TEST(ViewControlTest, PauseTogglesPlayAndTheCursor) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    g.control.OnKeyDown(GameKey::kUp);
    g.host.Take();
    g.control.OnPause();
    EXPECT_EQ(g.host.Take(), (Lines{"pane 0 Pause"}));
    EXPECT_FALSE(g.host.bCursorHidden);
    // Ticks do nothing while paused; the timer goes on running.
    const int32_t nY = g.doc.m_nHeadY;
    g.control.OnTimer();
    EXPECT_TRUE(g.host.Take().empty());
    EXPECT_EQ(g.doc.m_nHeadY, nY);
    EXPECT_TRUE(g.host.bTimerRunning);

    g.control.OnPause();
    EXPECT_FALSE(g.doc.m_bPaused);
    EXPECT_TRUE(g.host.Take().empty()) << "resuming leaves the text to the next tick";
    EXPECT_TRUE(g.host.bCursorHidden);
    g.control.OnTimer();
    EXPECT_EQ(g.doc.m_nHeadY, nY - 1);

    g.control.OnKeyDown(GameKey::kOther);
    g.control.OnDestroy();
    EXPECT_FALSE(g.host.bCursorHidden);
    EXPECT_FALSE(g.host.bTimerRunning);
}

TEST(ViewControlTest, LoadedGameWaitsForBothTimerAndResume) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    g.control.OnKeyDown(GameKey::kLeft);
    g.control.OnTimer();
    g.host.Take();
    // As if opened from a file: paused, loaded, no timer after the update.
    g.doc.m_bPaused = true;
    g.doc.m_bLoadedGame = true;
    g.control.OnInitialUpdate();
    g.control.ShowInitialStatus();
    EXPECT_EQ(g.host.Take(), (Lines{"pane 1 Score: 0", "pane 0 Pause"}));
    EXPECT_TRUE(g.control.IsPauseEnabled());
    EXPECT_TRUE(g.control.IsPauseChecked());
    const int32_t nX = g.doc.m_nHeadX;

    // Another key starts the timer but leaves the game paused.
    g.control.OnKeyDown(GameKey::kOther);
    EXPECT_TRUE(g.host.bTimerRunning);
    EXPECT_TRUE(g.doc.m_bPaused);
    g.control.OnTimer();
    EXPECT_EQ(g.doc.m_nHeadX, nX);
    EXPECT_TRUE(g.host.Take().empty());

    // The stored direction wins over an opposite arrow; the arrow resumes.
    g.control.OnKeyDown(GameKey::kRight);
    EXPECT_FALSE(g.doc.m_bPaused);
    EXPECT_EQ(g.doc.m_nDirection, dirLeft);
    g.control.OnTimer();
    EXPECT_EQ(g.doc.m_nHeadX, nX - 1);
}

TEST(ViewControlTest, AGameOnItsWayPausesWhenThePlayerTurnsAwayAndNothingElseDoes) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    // Not started yet: nothing to pause.
    g.control.OnPlayerAway();
    EXPECT_FALSE(g.doc.m_bPaused);
    EXPECT_TRUE(g.host.Take().empty());

    g.control.OnKeyDown(GameKey::kUp);
    g.control.OnTimer();
    g.host.Take();
    const int32_t nY = g.doc.m_nHeadY;
    g.control.OnPlayerAway();
    // As Pause does it: paused, said, the cursor back.
    EXPECT_TRUE(g.doc.m_bPaused);
    EXPECT_TRUE(g.control.IsPauseChecked());
    EXPECT_EQ(g.host.Take(), (Lines{"pane 0 Pause"}));
    EXPECT_FALSE(g.host.bCursorHidden);
    g.control.OnTimer();
    EXPECT_EQ(g.doc.m_nHeadY, nY);
    // Turning away again leaves the pause as it is (it never resumes).
    g.control.OnPlayerAway();
    EXPECT_TRUE(g.doc.m_bPaused);
    EXPECT_TRUE(g.host.Take().empty());
    // An arrow resumes, as from any pause.
    g.control.OnKeyDown(GameKey::kUp);
    g.control.OnTimer();
    EXPECT_EQ(g.doc.m_nHeadY, nY - 1);

    // A loaded game that waits for its first key stays waiting.
    g.doc.m_bPaused = false;
    g.control.OnInitialUpdate();
    g.host.Take();
    g.control.OnPlayerAway();
    EXPECT_FALSE(g.doc.m_bPaused);
    EXPECT_TRUE(g.host.Take().empty());
}

TEST(ViewControlTest, PauseResumesALoadedGameWithoutStartingTheTimer) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    g.control.OnKeyDown(GameKey::kLeft);
    g.control.OnTimer();
    g.doc.m_bPaused = true;
    g.doc.m_bLoadedGame = true;
    g.control.OnInitialUpdate();
    g.control.ShowInitialStatus();
    g.control.OnPause();
    EXPECT_FALSE(g.doc.m_bPaused);
    EXPECT_FALSE(g.host.bTimerRunning);
    EXPECT_EQ(g.host.nStartTimerCalls, 1) << "only the first game's timer";
    g.control.OnKeyDown(GameKey::kOther);
    EXPECT_TRUE(g.host.bTimerRunning);
}

TEST(ViewControlTest, RefusedTimerIsTriedAgainByTheNextKey) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    g.host.bRefuseTimer = true;
    g.control.OnKeyDown(GameKey::kLeft);
    EXPECT_FALSE(g.control.IsTimerRunning());
    g.host.bRefuseTimer = false;
    g.control.OnKeyDown(GameKey::kOther);
    EXPECT_EQ(g.host.nStartTimerCalls, 2);
    EXPECT_TRUE(g.control.IsTimerRunning());
}

TEST(ViewControlTest, AfterGameOverKeysAndPauseDoNothing) {
    Game g;
    g.BlankBoard(9, 9);
    g.LayCrawler({{1, 4}, {0, 4}});
    g.PressCurrentDirection();
    g.Step();
    ASSERT_EQ(g.doc.m_nDirection, dirGameOver);
    ASSERT_FALSE(g.host.bCursorHidden);
    const Cell before = g.doc.CellAt(0, 4);
    g.host.Take();

    for (GameKey key : {GameKey::kLeft, GameKey::kUp, GameKey::kOther}) g.control.OnKeyDown(key);
    EXPECT_FALSE(g.host.bCursorHidden) << "no key hides the cursor after the end";
    EXPECT_EQ(g.host.nStartTimerCalls, 1);
    EXPECT_EQ(g.doc.m_nDirection, dirGameOver);
    EXPECT_FALSE(g.control.IsPauseEnabled());
    g.control.OnPause();
    EXPECT_FALSE(g.doc.m_bPaused);
    g.control.OnTimer();
    EXPECT_TRUE(g.host.lines.empty());
    EXPECT_EQ(g.doc.CellAt(0, 4).nType, before.nType);
}

TEST(ViewControlTest, TickWithoutABoardIsDropped) {
    Game g;
    ASSERT_TRUE(g.NewGame(17, 13, 1));
    g.control.OnKeyDown(GameKey::kLeft);
    g.host.Take();
    g.doc.DeleteContents();
    g.control.OnTimer();
    EXPECT_TRUE(g.host.lines.empty());
}
