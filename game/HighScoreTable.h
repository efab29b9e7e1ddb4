// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/Limits.h"

// One row of a score table: 36 bytes, the same in memory and in the store.
// The name is kept as bytes, one per letter in the player's single-byte code
// page (the store turns them into text and back).
struct ScoreEntry {
    int32_t nScore = 0;
    char szName[kMaxNameBytes + 1] = {};  // zero-terminated

    ScoreEntry() = default;
    // Copies at most kMaxNameBytes bytes of the name and clears the rest.
    ScoreEntry(const std::string& strNameBytes, int32_t nNewScore);
    void SetName(const std::string& strNameBytes);
    // The bytes before the terminator.
    std::string Name() const;
};
static_assert(sizeof(ScoreEntry) == 36);

// The best scores of one board size and speed, in rank order: highest first,
// and among equal scores the one that entered first.
class HighScoreTable {
public:
    virtual ~HighScoreTable() = default;

    std::vector<ScoreEntry> m_aScores;

    // 0 while the table holds fewer than nRows rows, else the last row's
    // score: a game must score more than this to enter.
    int32_t GetScoreToBeat(int nRows) const;
    // Places a row with nScore and an empty name by rank, keeping at most
    // nMaxRows rows; returns its index, or -1 when it did not get in.
    int InsertScore(int32_t nScore, int nMaxRows);

    int GetCount() const { return static_cast<int>(m_aScores.size()); }
    ScoreEntry& GetRow(int i) { return m_aScores[static_cast<size_t>(i)]; }
    const ScoreEntry& GetRow(int i) const { return m_aScores[static_cast<size_t>(i)]; }
};
