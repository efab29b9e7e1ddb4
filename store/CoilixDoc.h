// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "game/GameState.h"
#include "store/Document.h"

class GameSettings;
class HighScoreTable;
class CProfile;

// The game document: one game (the state the rules play on) in the document
// cycle of new, open, save and close. One document object is reused for every
// game of a run. Every new or opened game makes the score table of its board
// and speed the current one.
class CCoilixDoc : public CDocument, public GameState {
public:
    // The settings give a new game its size and speed; score tables are read
    // from the profile's application key.
    CCoilixDoc(GameSettings& settings, HighScoreTable& scoreTable, CProfile& profile);
    ~CCoilixDoc() override = default;

    // Where each new or opened game's seed comes from: the clock, unless
    // another source is given (a test or the headless driver wanting boards
    // known in advance).
    using SeedSource = std::function<uint32_t()>;
    void SetSeedSource(SeedSource source) { m_seedSource = std::move(source); }
    // The seed of the clock: the time in seconds.
    static uint32_t ClockSeed();

    // The document cycle.
    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& strPath) override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;
    void SetContentsAside() override;
    void EndContentsAside(bool bRestore) override;

    HighScoreTable& ScoreTable() { return m_scoreTable; }

private:
    void Reseed();
    void LoadScoreTable();
    // Checks a freshly read game for what could take play outside the board;
    // throws a format error when it finds any.
    void ValidateLoaded() const;

    GameSettings& m_settings;
    HighScoreTable& m_scoreTable;
    CProfile& m_profile;
    SeedSource m_seedSource = ClockSeed;
    // The game held while a file is read; moving keeps its cells in place, so
    // the links of the crawler and the items stay good.
    GameState m_aside;
};
