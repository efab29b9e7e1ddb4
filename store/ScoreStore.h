#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/HighScoreTable.h"

class CRegistry;

// The stored form of a board's score table: one 396-byte value per board
// size and speed, named "Scores (<width>x<height>/<ms>)", holding the rows
// scrambled byte by byte and a checksum of the plain bytes.

std::string ScoreValueName(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
std::vector<uint8_t> EncodeScoreTable(const std::vector<ScoreEntry>& rows);
// Decodes up to 396 bytes (missing bytes read as zero); a checksum mismatch
// gives ten empty rows.
std::vector<ScoreEntry> DecodeScoreTable(const uint8_t* p, size_t n);
int32_t ScoreChecksum(const uint8_t* p, size_t n);

// Replaces the table's rows with the stored table for this board and speed
// (0 rows when nothing can be read, else exactly 10).
void LoadScoreTable(HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
// Writes the rows as the stored table for this board and speed; a failure
// leaves the rows in memory as they are.
void SaveScoreTable(const HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
