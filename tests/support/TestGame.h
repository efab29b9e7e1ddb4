// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game as the program holds it, for the tests of the rules: the document on
// a settings store in memory (a custom board at normal speed, sounds on), the
// score table of its board, and the rules' control around a RecordingHost,
// which writes down every hand-over in the replay driver's transcript format.
// The same session the headless driver plays on, so the tests and the driver
// set up and start games alike.

#include <cstdint>
#include <string>
#include <vector>

#include "game/GameControl.h"
#include "game/HighScoreTable.h"
#include "store/CoilixDoc.h"
#include "store/GameSettings.h"
#include "support/Board.h"
#include "support/RecordingHost.h"
#include "tools/replay/Replay.h"

namespace testsupport {

using Lines = std::vector<std::string>;

struct TestGame {
    RecordingHost host;
    replay::Session session{replay::Session::Setup{}, host};
    CCoilixDoc& doc = session.Doc();
    GameControl& control = session.Control();
    GameSettings& settings = session.Settings();
    HighScoreTable& table = session.ScoreTable();

    // A new game of w x h cells seeded with nSeed, as the program starts one
    // (initial update and status texts included); the transcript so far is
    // dropped. False when the game could not be set up.
    bool NewGame(int32_t w, int32_t h, uint32_t nSeed) {
        settings.m_nArrayWidth = w;
        settings.m_nArrayHeight = h;
        session.SetNextSeed(nSeed);
        const bool bDone = session.NewGame();
        host.Take();
        return bDone;
    }

    // Hand-made boards (support/Board.h) on this game's document.
    void BlankBoard(int32_t w, int32_t h) { testsupport::BlankBoard(doc, w, h); }
    void LayCrawler(const std::vector<Pos>& cells) { testsupport::LayCrawler(doc, cells); }
    void PutItem(int32_t x, int32_t y, int32_t nType, int32_t nValue) {
        testsupport::PutItem(doc, x, y, nType, nValue);
    }

    // The key for the current direction, as the player would press it: it
    // starts the timer and hides the cursor. Its transcript is dropped.
    void PressCurrentDirection() {
        control.OnKeyDown(KeyFor(doc.m_nDirection));
        host.Take();
    }

    // One tick of play, and what it handed over.
    Lines Step() {
        control.GameStep();
        return host.Take();
    }

    int32_t Type(int32_t x, int32_t y) const { return doc.CellAt(x, y).nType; }
};

}  // namespace testsupport
