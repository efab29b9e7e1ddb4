// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sound output for the tests: it plays nothing and writes down every call
// the player makes, with the time of each start. The tests hand it to the
// player (or to the application before InitInstance) in place of the sound
// server.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "devices/Sound.h"

// What the output saw, shared between a test and the player's worker thread;
// it outlives the player when a worker is left behind.
class SoundLog {
public:
    using Clock = std::chrono::steady_clock;

    // "open", "load 150", "start 150", "close", in the order they came.
    std::vector<std::string> Calls() const {
        std::lock_guard lock(m_mutex);
        return m_aCalls;
    }
    // The clips started, in order, and when each started.
    std::vector<int> Started() const {
        std::lock_guard lock(m_mutex);
        return m_aStarted;
    }
    // When each started clip was due, as the player said.
    std::vector<Clock::time_point> DueTimes() const {
        std::lock_guard lock(m_mutex);
        return m_aDueTimes;
    }
    std::vector<Clock::time_point> StartTimes() const {
        std::lock_guard lock(m_mutex);
        return m_aStartTimes;
    }
    // Waits until strCall has come nTimes times; false after nTimeoutMs.
    bool WaitFor(const std::string& strCall, int nTimes = 1, int nTimeoutMs = 5000) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(nTimeoutMs), [&] {
            return std::count(m_aCalls.begin(), m_aCalls.end(), strCall) >= nTimes;
        });
    }

    // The device: whether Open succeeds, and whether Open is held (a server
    // that does not answer) until the test lets it go.
    void SetOpenResult(bool bOpen) {
        std::lock_guard lock(m_mutex);
        m_bOpenResult = bOpen;
    }
    void HoldOpen(bool bHold) {
        std::lock_guard lock(m_mutex);
        m_bHoldOpen = bHold;
        m_changed.notify_all();
    }

private:
    friend class RecordingSoundOutput;

    void Add(const std::string& strCall) {
        std::lock_guard lock(m_mutex);
        m_aCalls.push_back(strCall);
        m_changed.notify_all();
    }
    void AddStart(int nID, Clock::time_point tDue) {
        std::lock_guard lock(m_mutex);
        m_aCalls.push_back("start " + std::to_string(nID));
        m_aStarted.push_back(nID);
        m_aStartTimes.push_back(Clock::now());
        m_aDueTimes.push_back(tDue);
        m_changed.notify_all();
    }
    bool Open() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_bHoldOpen; });
        m_aCalls.push_back("open");
        m_changed.notify_all();
        return m_bOpenResult;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_aCalls;
    std::vector<int> m_aStarted;
    std::vector<Clock::time_point> m_aStartTimes;
    std::vector<Clock::time_point> m_aDueTimes;
    bool m_bOpenResult = true;
    bool m_bHoldOpen = false;
};

class RecordingSoundOutput : public SoundOutput {
public:
    explicit RecordingSoundOutput(std::shared_ptr<SoundLog> pLog) : m_pLog(std::move(pLog)) {}

    bool Open() override { return m_pLog->Open(); }
    // Refuses stereo clips, as the sound server output refuses clips that
    // are not in its format.
    bool Load(int nID, const PcmClip& clip) override {
        m_pLog->Add("load " + std::to_string(nID));
        return clip.nChannels == 1;
    }
    void Start(int nID, std::chrono::steady_clock::time_point tDue) override {
        m_pLog->AddStart(nID, tDue);
    }
    void Close() override { m_pLog->Add("close"); }

private:
    std::shared_ptr<SoundLog> m_pLog;
};
