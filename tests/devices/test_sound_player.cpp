// SPDX-License-Identifier: GPL-3.0-or-later
// The sound player through a recording output: order, cut-off and its
// minimum slice, unknown and refused clips, a device opened only once sounds
// are wanted, no device, a device that opens late, and a device that never
// opens.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "WavBytes.h"
#include "devices/Sound.h"
#include "support/RecordingSoundOutput.h"

namespace {

using namespace std::chrono_literals;
using wavbytes::Silence;

std::string Start(int nID) {
    return "start " + std::to_string(nID);
}

class SoundPlayerTest : public ::testing::Test {
protected:
    std::unique_ptr<CSoundPlayer> Make(SoundPlayerOptions options = {}) {
        auto pPlayer =
            std::make_unique<CSoundPlayer>(std::make_unique<RecordingSoundOutput>(m_pLog), options);
        EXPECT_EQ(pPlayer->AddClip(150, Silence(30)), WavError::kNone);
        EXPECT_EQ(pPlayer->AddClip(153, Silence(390)), WavError::kNone);
        EXPECT_EQ(pPlayer->AddClip(155, Silence(830)), WavError::kNone);
        pPlayer->Prepare();
        EXPECT_TRUE(m_pLog->WaitFor("load 155"));
        return pPlayer;
    }
    std::shared_ptr<SoundLog> m_pLog = std::make_shared<SoundLog>();
};

TEST_F(SoundPlayerTest, PlaysEverySoundInOrderThenClosesOnShutdown) {
    auto pPlayer = Make();
    // Each request waits for the one before to start, so the order is the test's.
    const int aIDs[] = {150, 153, 150, 155, 150};
    std::map<int, int> played;
    for (const int nID : aIDs) {
        pPlayer->Play(nID);
        ASSERT_TRUE(m_pLog->WaitFor(Start(nID), ++played[nID]));
    }
    pPlayer->Shutdown();
    pPlayer->Play(150);  // after shutdown: ignored
    pPlayer->Shutdown();
    EXPECT_EQ(m_pLog->Calls(), (std::vector<std::string>{"open", "load 150", "load 153", "load 155",
                                                         "start 150", "start 153", "start 150",
                                                         "start 155", "start 150", "close"}));
}

// Two sounds in the same instant (a crash and the high-score fanfare at the
// end of a game): the first is cut, but only after it has sounded a while,
// so both are heard. A sound that has already ended holds nothing back.
TEST_F(SoundPlayerTest, ASoundCutAtOnceStillSoundsForTheMinimumSlice) {
    SoundPlayerOptions options;
    options.minSlice = 60ms;
    auto pPlayer = Make(options);
    const auto tAsked = std::chrono::steady_clock::now();
    pPlayer->Play(155);
    pPlayer->Play(153);
    ASSERT_TRUE(m_pLog->WaitFor(Start(153)));
    const auto aTimes = m_pLog->StartTimes();
    ASSERT_EQ(aTimes.size(), 2u);
    // The first is due when it was asked for, however late the worker came
    // to it; the second exactly one slice after it, and not started before.
    const auto aDue = m_pLog->DueTimes();
    ASSERT_EQ(aDue.size(), 2u);
    EXPECT_GE(aDue[0], tAsked);
    EXPECT_LE(aDue[0], aTimes[0]);
    EXPECT_EQ(aDue[1] - aDue[0], 60ms);
    EXPECT_GE(aTimes[1], aDue[1]);
    pPlayer->Play(150);
    ASSERT_TRUE(m_pLog->WaitFor(Start(150)));
    EXPECT_EQ(m_pLog->Started(), (std::vector<int>{155, 153, 150}));
}

TEST_F(SoundPlayerTest, UnknownAndRefusedClipsAreIgnored) {
    auto pPlayer = Make();
    EXPECT_EQ(pPlayer->AddClip(152, std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}),
              WavError::kNotRiffWave);
    EXPECT_EQ(pPlayer->AddClip(156, Silence(100, 2)), WavError::kNone);  // the output refuses it
    ASSERT_TRUE(m_pLog->WaitFor("load 156"));
    for (const int nID : {151, 152, 156, 150}) pPlayer->Play(nID);
    ASSERT_TRUE(m_pLog->WaitFor(Start(150)));
    pPlayer->Shutdown();
    EXPECT_EQ(m_pLog->Started(), std::vector<int>{150});
}

// A player opens nothing, and adds the clips that wait for it, only once
// sounds are wanted: its first Play adds them, opens the device and plays;
// one never asked to play, or shut down before it is, does neither. A player
// going away waits for a worker it has started (here for as long as it
// takes), so once it is gone its output has seen every call it would get.
TEST_F(SoundPlayerTest, TheDeviceOpensOnlyWhenSoundsAreFirstWanted) {
    SoundPlayerOptions joinWorker;
    joinWorker.shutdownWait = 60s;
    int nAdded = 0;
    const auto make = [&] {
        return std::make_unique<CSoundPlayer>(std::make_unique<RecordingSoundOutput>(m_pLog),
                                              joinWorker);
    };
    {
        auto pPlayer = make();
        EXPECT_EQ(pPlayer->AddClip(150, Silence(30)), WavError::kNone);
        pPlayer->AddClipsWhenFirstWanted([&] { ++nAdded; });
    }
    EXPECT_TRUE(m_pLog->Calls().empty());
    EXPECT_EQ(nAdded, 0);
    {
        auto pPlayer = make();
        pPlayer->AddClipsWhenFirstWanted([&] { ++nAdded; });
        pPlayer->Shutdown();
        pPlayer->Prepare();
        pPlayer->Play(150);
    }
    EXPECT_TRUE(m_pLog->Calls().empty());
    EXPECT_EQ(nAdded, 0);

    auto pPlayer = make();
    EXPECT_EQ(pPlayer->AddClip(150, Silence(30)), WavError::kNone);
    pPlayer->AddClipsWhenFirstWanted([&] {
        ++nAdded;
        EXPECT_EQ(pPlayer->AddClip(153, Silence(30)), WavError::kNone);
    });
    pPlayer->Play(153);
    pPlayer->Play(150);
    ASSERT_TRUE(m_pLog->WaitFor(Start(150)));
    EXPECT_EQ(nAdded, 1);
    EXPECT_EQ(m_pLog->Calls(),
              (std::vector<std::string>{"open", "load 150", "load 153", "start 153", "start 150"}));
}

TEST_F(SoundPlayerTest, NoDeviceMeansSilence) {
    m_pLog->SetOpenResult(false);
    CSoundPlayer player(std::make_unique<RecordingSoundOutput>(m_pLog));
    EXPECT_EQ(player.AddClip(150, Silence(30)), WavError::kNone);
    player.Prepare();
    ASSERT_TRUE(m_pLog->WaitFor("open"));
    player.Play(150);
    player.Shutdown();
    EXPECT_EQ(m_pLog->Calls(), std::vector<std::string>{"open"});
}

// The first sound of the process, asked for while the device is still being
// opened, is played once it is open; one that has waited longer than
// maxWait is dropped rather than played late. Of more requests than the
// queue holds, the newest are kept.
TEST_F(SoundPlayerTest, SoundsAskedForWhileTheDeviceOpensArePlayedUnlessTooOld) {
    const struct {
        const char* pszCase;
        std::chrono::milliseconds maxWait;
        std::chrono::milliseconds openAfter;
        std::vector<int> asked;
        std::vector<int> played;
    } cases[] = {
        {"in time", 10s, 5ms, {150}, {150}},
        {"too old", 200ms, 300ms, {150}, {}},
        {"queue full",
         10s,
         5ms,
         {150, 150, 153, 153, 153, 153, 153, 153, 153, 153},
         {153, 153, 153, 153, 153, 153, 153, 153}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        m_pLog = std::make_shared<SoundLog>();
        m_pLog->HoldOpen(true);
        SoundPlayerOptions options;
        options.maxWait = c.maxWait;
        options.minSlice = 1ms;
        CSoundPlayer player(std::make_unique<RecordingSoundOutput>(m_pLog), options);
        EXPECT_EQ(player.AddClip(150, Silence(30)), WavError::kNone);
        EXPECT_EQ(player.AddClip(153, Silence(30)), WavError::kNone);
        EXPECT_EQ(player.AddClip(155, Silence(30)), WavError::kNone);
        for (const int nID : c.asked) player.Play(nID);
        std::this_thread::sleep_for(c.openAfter);
        m_pLog->HoldOpen(false);
        ASSERT_TRUE(m_pLog->WaitFor("open"));
        if (!c.played.empty()) {
            const auto nTimes = std::count(c.played.begin(), c.played.end(), c.played.back());
            ASSERT_TRUE(m_pLog->WaitFor(Start(c.played.back()), static_cast<int>(nTimes)));
        }
        // A sound asked for once the device is open comes after the rest.
        player.Play(155);
        ASSERT_TRUE(m_pLog->WaitFor(Start(155)));
        player.Shutdown();
        std::vector<int> expected = c.played;
        expected.push_back(155);
        EXPECT_EQ(m_pLog->Started(), expected);
    }
}

// A sound server that accepts the connection and never answers: Open never
// returns. Play and Shutdown still return, the worker is left behind, and
// when the device call finally returns the worker closes it and ends.
TEST_F(SoundPlayerTest, AHungDeviceNeverHoldsTheCaller) {
    m_pLog->HoldOpen(true);
    SoundPlayerOptions options;
    options.shutdownWait = 20ms;
    {
        CSoundPlayer player(std::make_unique<RecordingSoundOutput>(m_pLog), options);
        EXPECT_EQ(player.AddClip(150, Silence(30)), WavError::kNone);
        for (int i = 0; i < 100; ++i) player.Play(150);
        player.Shutdown();
    }
    EXPECT_TRUE(m_pLog->Calls().empty());
    m_pLog->HoldOpen(false);
    ASSERT_TRUE(m_pLog->WaitFor("close"));
    EXPECT_EQ(m_pLog->Calls(), (std::vector<std::string>{"open", "close"}));
}

}  // namespace
