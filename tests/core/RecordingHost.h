#pragma once
#include <optional>
#include <string>
#include <vector>

#include "res/Strings.h"
#include "view/GameHost.h"

// A GameHost that writes down every hand-over, in the replay driver's format:
// "sound N", "cell X Y", "pane N TEXT" (English texts). Timer and cursor calls
// are kept as state and counters, not as lines.
class RecordingHost : public GameHost {
public:
    std::vector<std::string> lines;

    // Timer.
    bool bTimerRunning = false;
    int nStartTimerCalls = 0;
    int nKillTimerCalls = 0;
    int nLastInterval = 0;
    bool bRefuseTimer = false;  // StartTimer returns 0 while set

    // Cursor: every hide must be matched by one show.
    int nHideCalls = 0;
    int nShowCalls = 0;
    int CursorBalance() const { return nHideCalls - nShowCalls; }

    int nKeepHeadInViewCalls = 0;

    // High-score entry: the answer to the name question (nothing = Cancel),
    // and what was asked.
    std::optional<std::string> nameAnswer;
    struct NameQuestion {
        int nRow;
        int nScore;
        std::string strProposed;
    };
    std::vector<NameQuestion> nameQuestions;
    int nShowHighScoresCalls = 0;

    void SetStatusText(int nPane, unsigned nStringID) override {
        SetStatusText(nPane, LoadString(nStringID, Language::kEnglish));
    }
    void SetStatusText(int nPane, const std::string& strText) override {
        lines.push_back("pane " + std::to_string(nPane) + " " + strText);
    }
    void PlaySound(int nSoundID) override { lines.push_back("sound " + std::to_string(nSoundID)); }
    void InvalidateCell(int x, int y) override {
        lines.push_back("cell " + std::to_string(x) + " " + std::to_string(y));
    }
    void KeepHeadInView() override { ++nKeepHeadInViewCalls; }
    unsigned StartTimer(int nIntervalMs) override {
        ++nStartTimerCalls;
        nLastInterval = nIntervalMs;
        if (bRefuseTimer) return 0;
        bTimerRunning = true;
        return 1;
    }
    void KillTimer() override {
        ++nKillTimerCalls;
        bTimerRunning = false;
    }
    void HideCursor() override { ++nHideCalls; }
    void ShowCursor() override { ++nShowCalls; }
    std::optional<std::string> AskHighScoreName(int nRow, int nScore,
                                                const std::string& strProposed) override {
        nameQuestions.push_back({nRow, nScore, strProposed});
        return nameAnswer;
    }
    void ShowHighScores() override { ++nShowHighScoresCalls; }

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
