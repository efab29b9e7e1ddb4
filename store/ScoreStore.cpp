#include "store/ScoreStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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

std::vector<ScoreEntry> DecodeScoreTable(const uint8_t* p, size_t n) {
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
        std::fill(buf.begin(), buf.end(), 0);
    }

    std::vector<ScoreEntry> rows;
    rows.reserve(kRows + 1);
    for (size_t i = 0; i < kRows; ++i) rows.push_back(GetRecord(buf.data() + i * kRecordSize));
    return rows;
}

void LoadScoreTable(HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    table.m_aScores.clear();
    // The type is ignored; a value longer than 396 bytes cannot be read and
    // leaves the table empty.
    auto bytes =
        QueryBytes(reg, strKeyPath, ScoreValueName(nWidth, nHeight, nSpeedMs), kStoredSize);
    if (!bytes) return;
    table.m_aScores = DecodeScoreTable(bytes->data(), bytes->size());
}

void SaveScoreTable(const HighScoreTable& table, CRegistry& reg, const std::string& strKeyPath,
                    int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    // Failures are ignored; the rows in memory stay as they are.
    reg.Set(strKeyPath, ScoreValueName(nWidth, nHeight, nSpeedMs),
            RegValue::Binary(EncodeScoreTable(table.m_aScores)));
}
