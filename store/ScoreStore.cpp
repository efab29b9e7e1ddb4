// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ScoreStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "game/GameRandom.h"
#include "store/Endian.h"
#include "store/Profile.h"

namespace {

constexpr size_t kRecordSize = sizeof(ScoreEntry);  // 36
constexpr size_t kRows = kScoreTableRows;
constexpr size_t kScrambledSize = kRows * kRecordSize;  // 360
constexpr size_t kStoredSize = 396;                     // 11 records
constexpr size_t kChecksumOffset = kScrambledSize;

// The scrambling sequence: a generator of its own, seeded with 4721 for each
// pass, so the game's sequence is never touched. Each byte moves by 0..256.
constexpr uint32_t kScrambleSeed = 4721;

// One step of the checksum, in signed 32-bit arithmetic that wraps.
uint32_t ChecksumStep(uint32_t sum, uint8_t byte) {
    const int32_t b = static_cast<int8_t>(byte);
    sum += static_cast<uint32_t>(b);
    sum *= static_cast<uint32_t>(b + 1);
    return sum;
}

void PutRecord(uint8_t* p, const ScoreEntry& e) {
    PutInt32LE(p, e.nScore);
    std::memcpy(p + 4, e.szName, sizeof e.szName);
}

ScoreEntry GetRecord(const uint8_t* p) {
    ScoreEntry e;
    e.nScore = GetInt32LE(p);
    std::memcpy(e.szName, p + 4, sizeof e.szName);
    // A stored name without a terminator would be read past its end; cut it
    // at 31 bytes. (The checksum passed, so this only follows a hand-made
    // value; the program itself always writes a terminator.)
    if (std::memchr(e.szName, 0, sizeof e.szName) == nullptr) e.szName[sizeof e.szName - 1] = 0;
    return e;
}

}  // namespace

std::string ScoreValueName(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Scores (%ldx%ld/%ld)", static_cast<long>(nWidth),
                  static_cast<long>(nHeight), static_cast<long>(nSpeedMs));
    return buf;
}

int32_t ScoreChecksum(const uint8_t* p, size_t n) {
    uint32_t sum = 0;
    for (size_t i = 0; i < n; ++i) sum = ChecksumStep(sum, p[i]);
    return static_cast<int32_t>(sum);
}

std::vector<uint8_t> EncodeScoreTable(const std::vector<ScoreEntry>& rows) {
    // Eleven default records: score 0, empty name, zero bytes after it.
    std::vector<uint8_t> buf(kStoredSize, 0);
    const size_t n = std::min(rows.size(), kRows);
    for (size_t i = 0; i < n; ++i) PutRecord(buf.data() + i * kRecordSize, rows[i]);

    GameRandom seq(kScrambleSeed);
    uint32_t sum = 0;
    for (size_t i = 0; i < kScrambledSize; ++i) {
        sum = ChecksumStep(sum, buf[i]);
        buf[i] = static_cast<uint8_t>(buf[i] + seq.Draw(256));
    }
    PutInt32LE(buf.data() + kChecksumOffset, static_cast<int32_t>(sum));
    // Bytes 364..395 stay zero.
    return buf;
}

std::optional<std::vector<ScoreEntry>> DecodeScoreTableChecked(const uint8_t* p, size_t n) {
    // Missing bytes read as zero; bytes beyond the 396 are not looked at (the
    // store's read refuses a longer value before it gets here).
    std::vector<uint8_t> buf(kStoredSize, 0);
    if (p != nullptr) std::memcpy(buf.data(), p, std::min(n, kStoredSize));

    GameRandom seq(kScrambleSeed);
    uint32_t sum = 0;
    for (size_t i = 0; i < kScrambledSize; ++i) {
        buf[i] = static_cast<uint8_t>(buf[i] - seq.Draw(256));
        sum = ChecksumStep(sum, buf[i]);
    }
    if (static_cast<int32_t>(sum) != GetInt32LE(buf.data() + kChecksumOffset)) {
        return std::nullopt;
    }

    std::vector<ScoreEntry> rows;
    rows.reserve(kRows + 1);
    for (size_t i = 0; i < kRows; ++i) rows.push_back(GetRecord(buf.data() + i * kRecordSize));
    return rows;
}

std::vector<ScoreEntry> DecodeScoreTable(const uint8_t* p, size_t n) {
    if (auto rows = DecodeScoreTableChecked(p, n)) return std::move(*rows);
    return std::vector<ScoreEntry>(kRows);
}

std::string RowName(const ScoreEntry& row, CodePage cp) {
    return DecodeToUtf8(row.Name(), cp);
}

void SetRowName(ScoreEntry& row, std::string_view text, CodePage cp) {
    row.SetName(EncodeFromUtf8(text, cp, kMaxNameBytes));
}

namespace {

struct StoredRows {
    std::vector<ScoreEntry> rows;
    bool bDamaged = false;  // a value is there but not a table
};

// The rows a stored value gives: none when there is none or it is longer than
// 396 bytes (the type is ignored), ten empty ones when it fails the checksum.
StoredRows ReadStoredRows(const std::optional<RegValue>& value) {
    if (!value) return {};
    const std::optional<std::vector<uint8_t>> bytes = ValueBytes(*value, kStoredSize);
    if (!bytes) return {{}, true};
    if (auto rows = DecodeScoreTableChecked(bytes->data(), bytes->size())) {
        return {std::move(*rows), false};
    }
    return {std::vector<ScoreEntry>(kRows), true};
}

}  // namespace

void LoadScoreTable(HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    table.m_aScores =
        ReadStoredRows(reg.Query(strKeyPath, ScoreValueName(nWidth, nHeight, nSpeedMs))).rows;
}

bool IsDamagedScoreValue(const RegValue& value) {
    return ReadStoredRows(value).bDamaged;
}

namespace {

// A row placed by rank into a stored table.
struct PlacedRow {
    HighScoreTable table;
    int nRow = -1;
    bool bDamaged = false;  // the stored value was no table
    bool bPlaced = false;   // this was worked out at all
};

PlacedRow PlaceRow(const std::optional<RegValue>& stored, const ScoreEntry& row) {
    StoredRows read = ReadStoredRows(stored);
    PlacedRow placed;
    placed.table.m_aScores = std::move(read.rows);
    placed.nRow = placed.table.InsertScore(row.nScore, kScoreTableRows);
    if (placed.nRow >= 0) placed.table.GetRow(placed.nRow) = row;
    placed.bDamaged = read.bDamaged;
    placed.bPlaced = true;
    return placed;
}

}  // namespace

int EnterScore(HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath, int32_t nWidth,
               int32_t nHeight, int32_t nSpeedMs, const ScoreEntry& row) {
    // The update may be made later, when a store held by another program is
    // free again, so it owns what it needs; the last time it was worked out
    // here gives the table shown now.
    auto last = std::make_shared<PlacedRow>();
    const std::string strName = ScoreValueName(nWidth, nHeight, nSpeedMs);
    reg.Update(strKeyPath, strName, [row, last](const std::optional<RegValue>& stored) {
        *last = PlaceRow(stored, row);
        RegUpdate update;
        if (last->nRow < 0) return update;  // no place: nothing to write
        update.value = RegValue::Binary(EncodeScoreTable(last->table.m_aScores));
        update.bKeepOldAside = last->bDamaged;
        return update;
    });
    // Never worked out (the store could not be read or written at all): the
    // row stays in memory, in the table as it was read last.
    if (!last->bPlaced) *last = PlaceRow(reg.Query(strKeyPath, strName), row);
    table = std::move(last->table);
    return last->nRow;
}

int StoredRowForScore(CRegistry& reg, const std::string& strKeyPath, int32_t nWidth,
                      int32_t nHeight, int32_t nSpeedMs, int32_t nScore) {
    return PlaceRow(reg.Query(strKeyPath, ScoreValueName(nWidth, nHeight, nSpeedMs)),
                    ScoreEntry("", nScore))
        .nRow;
}

void SaveScoreTable(const HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    // Failures are ignored; the rows in memory stay as they are.
    reg.Set(strKeyPath, ScoreValueName(nWidth, nHeight, nSpeedMs),
            RegValue::Binary(EncodeScoreTable(table.m_aScores)));
}
