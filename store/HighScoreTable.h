#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Registry.h"

// One row of a score table: 36 bytes, the same in memory and in the store.
struct ScoreEntry {
    int32_t nScore = 0;
    char szName[32] = {};  // zero-terminated, at most 31 bytes of UTF-8

    ScoreEntry() = default;
    // Copies at most 31 bytes of the name, never cutting a UTF-8 character.
    ScoreEntry(const std::string& strName, int32_t nNewScore);
    void SetName(const std::string& strName);
    std::string Name() const;
};
static_assert(sizeof(ScoreEntry) == 36);

// Cuts a UTF-8 text to at most nMaxBytes bytes at a character boundary.
std::string TruncateUtf8(const std::string& s, size_t nMaxBytes);

// The ten best scores of one board size and speed.
class HighScoreTable {
public:
    virtual ~HighScoreTable() = default;

    std::vector<ScoreEntry> m_aScores;  // rank order, best first

    // Replaces the rows with the stored table for this board and speed
    // (0 rows when nothing can be read, else exactly 10).
    void Load(CRegistry& reg, const std::string& strKeyPath, int32_t nWidth, int32_t nHeight,
              int32_t nSpeedMs);
    void Save(CRegistry& reg, const std::string& strKeyPath, int32_t nWidth, int32_t nHeight,
              int32_t nSpeedMs) const;

    int32_t GetScoreToBeat(int nRows) const;
    int InsertScore(int32_t nScore, int nMaxRows);

    int GetCount() const { return static_cast<int>(m_aScores.size()); }
    ScoreEntry& GetRow(int i) { return m_aScores[static_cast<size_t>(i)]; }
    const ScoreEntry& GetRow(int i) const { return m_aScores[static_cast<size_t>(i)]; }

    // "Scores (%ldx%ld/%ld)"
    static std::string ValueName(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
    // The 396-byte stored form and its decoding (scrambled rows + checksum).
    static std::vector<uint8_t> Encode(const std::vector<ScoreEntry>& rows);
    // Decodes up to 396 bytes (missing bytes read as zero); a checksum
    // mismatch gives ten empty rows.
    static std::vector<ScoreEntry> Decode(const uint8_t* p, size_t n);
    static int32_t Checksum(const uint8_t* p, size_t n);
};
