// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
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

    // When set, games are seeded with this instead of the clock.
    std::optional<uint32_t> m_nSeedOverride;

    // The document cycle.
    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& strPath) override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

    HighScoreTable& ScoreTable() { return m_scoreTable; }

private:
    void SeedFromClock();
    void LoadScoreTable();
    // Checks a freshly read game for what could take play outside the board;
    // throws a format error when it finds any.
    void ValidateLoaded() const;

    GameSettings& m_settings;
    HighScoreTable& m_scoreTable;
    CProfile& m_profile;
};
