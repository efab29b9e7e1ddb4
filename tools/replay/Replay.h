// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "game/GameControl.h"
#include "game/HighScoreTable.h"
#include "game/Limits.h"
#include "store/CoilixDoc.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/Registry.h"

class TranscriptHost;

// The headless driver: sets up or opens a game exactly as the program does,
// feeds it a script of keys, Pause and New commands and timer periods, and
// writes one line per hand-over to the window ("sound N", "cell X Y",
// "pane N TEXT").
namespace replay {

// Exit codes of the driver.
constexpr int kExitOk = 0;
constexpr int kExitFileError = 1;
constexpr int kExitBadArguments = 2;

// Runs the driver on the command-line arguments that follow the program name.
// Transcript lines go to `out`, usage and error messages to `err` (usage for
// --help goes to `out`). Returns the exit code.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string Usage();

// Whether ch is one of the script's events.
bool IsEvent(char ch);

// What the driver plays on: the game document as the program holds it, on a
// settings store in memory (a custom board with sounds on, and the board's
// score table), and the rules' control around a transcript host. A new high
// score is stored in that store, as the program stores it once the name is
// asked, so a later game of the same run must beat it.
class Session {
public:
    struct Setup {
        int32_t nWidth = SizePresets[kSizeSmall].nWidth;
        int32_t nHeight = SizePresets[kSizeSmall].nHeight;
        int32_t nSpeedIndex = kSpeedNormal;
        // The first game's seed; each later new game takes the next number,
        // as the program's clock would have moved on.
        uint32_t nSeed = 1;
    };

    Session(const Setup& setup, TranscriptHost& host);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The program's new-game command (F2): a new game with the current
    // settings, then the view's initial update and status texts.
    bool NewGame();
    // Opens a saved game (paused) as the program's Open does, with the same
    // update; false when it could not be opened.
    bool Open(const std::string& strPath);
    // One event of the script: L R U D arrow keys, K another key, P Pause,
    // N the new-game command, '.' one period of the game timer (a tick only
    // while the timer runs). False only when a new game could not be set up.
    bool Apply(char chEvent);

    CCoilixDoc& Doc() { return m_doc; }
    GameControl& Control() { return m_control; }
    GameSettings& Settings() { return m_settings; }
    HighScoreTable& ScoreTable() { return m_scoreTable; }
    CProfile& Profile() { return m_profile; }
    void SetNextSeed(uint32_t nSeed) { m_nNextSeed = nSeed; }

private:
    CMemoryRegistry m_registry;
    CProfile m_profile;
    GameSettings m_settings;
    HighScoreTable m_scoreTable;
    CCoilixDoc m_doc;
    TranscriptHost& m_host;
    GameControl m_control;
    uint32_t m_nNextSeed;
    uint32_t m_nSeed = 0;  // of the game being set up
};

}  // namespace replay
