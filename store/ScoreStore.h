// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/HighScoreTable.h"
#include "store/CodePage.h"

class CRegistry;
struct RegValue;

// The stored form of a board's score table: one 396-byte value per board
// size and speed, named "Scores (<width>x<height>/<ms>)", holding the rows
// scrambled byte by byte and a checksum of the plain bytes.

std::string ScoreValueName(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
std::vector<uint8_t> EncodeScoreTable(const std::vector<ScoreEntry>& rows);
// Decodes up to 396 bytes (missing bytes read as zero); a checksum mismatch
// gives ten empty rows.
std::vector<ScoreEntry> DecodeScoreTable(const uint8_t* p, size_t n);
// The same, but nothing when the checksum does not match.
std::optional<std::vector<ScoreEntry>> DecodeScoreTableChecked(const uint8_t* p, size_t n);
int32_t ScoreChecksum(const uint8_t* p, size_t n);

// A row's name as text: its bytes read in the players' code page.
std::string RowName(const ScoreEntry& row, CodePage cp);
// Sets a row's name from UTF-8 text: at most 31 letters, in the code page
// (letters it cannot hold are left out).
void SetRowName(ScoreEntry& row, std::string_view text, CodePage cp);

// Replaces the table's rows with the stored table for this board and speed
// (0 rows when nothing can be read, else exactly 10).
void LoadScoreTable(HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
// Writes the rows as the stored table for this board and speed; a failure
// leaves the rows in memory as they are.
void SaveScoreTable(const HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);

// Whether a stored value cannot give back its table: longer than 396 bytes,
// or failing the checksum.
bool IsDamagedScoreValue(const RegValue& value);

// Enters a finished game's row into the stored table of its board and speed:
// the stored table is read again, the row placed by rank and the table
// written, all under the store's lock, so that a row another copy of the game
// entered meanwhile is kept. A damaged stored value is kept aside by the store
// before it is replaced; a store held by another program takes the row as
// soon as it is free. The table given becomes the stored one with the new
// row, even when it could not be written. Returns the row's index, or -1 when
// the stored table has no place for it.
int EnterScore(HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath, int32_t nWidth,
               int32_t nHeight, int32_t nSpeedMs, const ScoreEntry& row);
// Where EnterScore would place a score in the stored table of its board and
// speed as it is now: the row's index, or -1 when it has no place. Nothing
// is written.
int StoredRowForScore(CRegistry& reg, const std::string& strKeyPath, int32_t nWidth,
                      int32_t nHeight, int32_t nSpeedMs, int32_t nScore);
