// SPDX-License-Identifier: GPL-3.0-or-later
// What the window plays, seen through a recording output: the device opened
// only once a game with sounds is played, the seven clips loaded once from
// the program's resources, and the sounds of a game on the output in the
// order the rules play them, from the moment sounds are switched on.

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "GuiTest.h"

namespace {

// The sounds of each tick of a game, as the headless driver plays it.
std::vector<std::vector<int>> SoundsPerTick(const QStringList& args) {
    std::vector<std::vector<int>> ticks;
    for (const std::vector<std::string>& lines : ReplayTicks(args)) {
        std::vector<int>& sounds = ticks.emplace_back();
        for (const std::string& line : lines) {
            int nID = 0;
            if (std::sscanf(line.c_str(), "sound %d", &nID) == 1) sounds.push_back(nID);
        }
    }
    return ticks;
}

}  // namespace

class SoundTest : public GuiTest {};

TEST_F(SoundTest, TheWindowPlaysTheSoundsOfTheRulesInOrderOnceSwitchedOn) {
    StoredSettings s;
    s.bSounds = 0;
    WriteSettings(s);  // Small, 350 ms
    StartApp({}, 3);

    // Quiet for the first ticks, then switched on during play. While quiet,
    // the device is not even opened.
    constexpr int kQuietTicks = 3;
    Key(Qt::Key_Left);
    for (int i = 0; i < kQuietTicks; ++i) ASSERT_TRUE(Tick());
    EXPECT_TRUE(Sounds().Calls().empty());
    Frame().Action(ID_SOUNDS)->trigger();
    const int nTicks = kQuietTicks + TickUntilOver();
    ASSERT_EQ(Doc().m_nDirection, dirGameOver);

    const auto ticks = SoundsPerTick({"--width", "17", "--height", "13", "--speed", "350", "--seed",
                                      "3", "--events", "L" + QString(nTicks, QLatin1Char('.'))});
    ASSERT_EQ(static_cast<int>(ticks.size()), nTicks);
    std::vector<int> expected;
    for (int i = kQuietTicks; i < nTicks; ++i) {
        expected.insert(expected.end(), ticks[i].begin(), ticks[i].end());
    }
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(expected.back(), IDW_CRASH);
    // The requests are played in order: once the crash has started, every
    // sound asked for before it has been dealt with.
    ASSERT_TRUE(Sounds().WaitFor("start " + std::to_string(IDW_CRASH)));
    EXPECT_EQ(Sounds().Started(), expected);
    const std::vector<std::string> calls = Sounds().Calls();
    for (const int nID :
         {IDW_MOVE, IDW_APPLE, IDW_COIN, IDW_SKULL, IDW_CRASH, IDW_DROPPING, IDW_HIGH_SCORE}) {
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "load " + std::to_string(nID)), 1) << nID;
    }
}

// With sounds on, the window opens the device when the player first steers,
// a tick ahead of the first sound, and not before.
TEST_F(SoundTest, TheDeviceOpensWhenThePlayerFirstSteers) {
    StoredSettings s;
    s.bSounds = 1;
    WriteSettings(s);
    StartApp({}, 3);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Sounds().Calls().empty());
    Key(Qt::Key_Left);
    EXPECT_TRUE(Sounds().WaitFor("open"));
}
