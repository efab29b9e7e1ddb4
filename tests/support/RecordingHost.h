// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "tools/replay/TranscriptHost.h"

// A GameHost that writes down every hand-over in the replay driver's
// transcript format ("sound N", "cell X Y", "pane N TEXT"), and keeps the
// timer, cursor and high-score calls as state and counters.
class RecordingHost : public TranscriptHost {
public:
    RecordingHost() : TranscriptHost([this](const std::string& s) { lines.push_back(s); }) {
        SetEchoing(true);
    }

    std::vector<std::string> lines;

    // Timer.
    bool bTimerRunning = false;
    int nStartTimerCalls = 0;
    int nKillTimerCalls = 0;
    int nLastInterval = 0;
    bool bRefuseTimer = false;  // StartTimer refuses while set

    // Cursor: hidden until shown, as the window keeps it.
    bool bCursorHidden = false;

    int nKeepHeadInViewCalls = 0;

    // How many finished games were handed over to enter the score table.
    int nNewScores = 0;

    void KeepHeadInView() override { ++nKeepHeadInViewCalls; }
    bool StartTimer(int nIntervalMs) override {
        ++nStartTimerCalls;
        nLastInterval = nIntervalMs;
        if (bRefuseTimer) return false;
        bTimerRunning = true;
        return true;
    }
    void KillTimer() override {
        ++nKillTimerCalls;
        bTimerRunning = false;
    }
    void HideCursor() override { bCursorHidden = true; }
    void ShowCursor() override { bCursorHidden = false; }
    void EnterNewScore() override { ++nNewScores; }

    // The lines recorded since the last call, which are then forgotten.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(lines);
        return taken;
    }
    // How many recorded lines start with `strPrefix`.
    int Count(const std::string& strPrefix) const {
        int n = 0;
        for (const std::string& s : lines) {
            if (s.rfind(strPrefix, 0) == 0) ++n;
        }
        return n;
    }
};
