// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "game/GameControl.h"
#include "game/GameHost.h"

// The window side of the game without a window: every hand-over that a
// player would see or hear becomes one line of a transcript. "sound N" is a
// sound, "cell X Y" a repainted cell, "pane 0 TEXT" the message pane and
// "pane 1 Score: N" the score pane; sounds are switched on, so every sound
// of the rules is heard. Nobody is there to type a name for a new high
// score: the score keeper (when one is set) has the store place the row
// with an empty name, as the program does after asking.
class TranscriptHost : public GameHost {
public:
    // Each line goes to fnLine, without its line feed.
    explicit TranscriptHost(std::function<void(const std::string&)> fnLine)
        : m_fnLine(std::move(fnLine)) {}

    // Set-up and loading print nothing; the transcript starts with the events.
    void SetEchoing(bool bEcho) { m_bEcho = bEcho; }
    bool IsTimerRunning() const { return m_bTimerRunning; }
    void SetScoreKeeper(std::function<void()> fnKeep) { m_fnKeepScore = std::move(fnKeep); }

    // The transcript's words for the messages of the message pane.
    static const char* MessageText(GameMessage message) {
        switch (message) {
            case GameMessage::kReady:
                return "Ready";
            case GameMessage::kPlaying:
                return "Playing...";
            case GameMessage::kPause:
                return "Pause";
            case GameMessage::kGameOver:
                return "Game over";
            case GameMessage::kNewHighScore:
                return "New high score";
        }
        return "";
    }

    void SetMessage(GameMessage message) override {
        Line("pane 0 " + std::string(MessageText(message)));
    }
    void SetScore(int32_t nScore) override { Line("pane 1 Score: " + std::to_string(nScore)); }
    void PlaySound(int nSoundID) override { Line("sound " + std::to_string(nSoundID)); }
    void InvalidateCell(int32_t x, int32_t y) override {
        Line("cell " + std::to_string(x) + " " + std::to_string(y));
    }
    void KeepHeadInView() override {}
    bool StartTimer(int /*nIntervalMs*/) override {
        m_bTimerRunning = true;
        return true;
    }
    void KillTimer() override { m_bTimerRunning = false; }
    void HideCursor() override {}
    void ShowCursor() override {}
    void EnterNewScore() override {
        if (m_fnKeepScore) m_fnKeepScore();
    }

private:
    void Line(const std::string& strLine) {
        if (m_bEcho) m_fnLine(strLine);
    }

    std::function<void(const std::string&)> m_fnLine;
    std::function<void()> m_fnKeepScore;
    bool m_bEcho = false;
    bool m_bTimerRunning = false;
};
