// SPDX-License-Identifier: GPL-3.0-or-later
// The saved-game image of a CCoilixDoc: tag, version, the twelve numbers of
// the game, the board cell by cell, then the crawler's and the items' records.

#include <initializer_list>
#include <new>
#include <string_view>

#include "game/Limits.h"
#include "store/Ascii.h"
#include "store/CoilixDoc.h"
#include "store/Endian.h"

namespace {

constexpr std::string_view kDocumentTag = "Coilix Game Document";
constexpr int32_t kFileVersion = 1;

// The game timer needs a positive interval; the game itself only uses
// 150..350 ms, so this leaves plenty of room.
constexpr int32_t kMinSpeedMs = 1;
constexpr int32_t kMaxSpeedMs = 60000;

// Play counts the countdowns and the items' lifetimes down to zero and adds
// points to the score; values outside these bounds (never reached in a real
// game) could only run the arithmetic past the range of an int32.
constexpr int32_t kMaxCountdown = 1000000000;
constexpr int32_t kMaxScoreMagnitude = 1000000000;

// Each record is nDir, x, y and four link bytes that carry nothing.
constexpr size_t kRecordBytes = 16;
constexpr size_t kCellBytes = 8;

[[noreturn]] void RefuseFormat() {
    throw CArchiveException(ArchiveError::kFormat);
}

bool IsCountdownAllowed(int32_t n) {
    return n >= 0 && n <= kMaxCountdown;
}

bool IsBoardSizeAllowed(int32_t nWidth, int32_t nHeight) {
    return IsBoardSideAllowed(nWidth) && IsBoardSideAllowed(nHeight);
}

// Upper bounds on the record counts that no real game reaches, so that a
// damaged count is refused before anything is allocated for it. The crawler
// covers distinct squares (one more after biting itself); items are placed at
// most about one per step and live a bounded number of steps.
size_t MaxBodyRecords(int32_t nWidth, int32_t nHeight) {
    return 2 * static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight);
}

size_t MaxItemRecords(int32_t nWidth, int32_t nHeight) {
    return 8 * static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight);
}

template <class Records>
void StoreRecords(CArchive& ar, const Records& records) {
    ar.WriteCount(static_cast<uint32_t>(records.size()));
    for (const CellRef& r : records) {
        ar << r.nDir << r.x << r.y << int32_t{0};
    }
}

// Reads a count and that many records. Records cut off by the end of the
// file stay all zero; the links are set later, once the records are checked.
template <class Records>
void LoadRecords(CArchive& ar, Records& records, size_t nMaxRecords) {
    const uint32_t nCount = ar.ReadCount();
    if (nCount > nMaxRecords) {
        RefuseFormat();
    }
    records.assign(nCount, CellRef{});
    for (CellRef& r : records) {
        uint8_t b[kRecordBytes] = {};
        ar.Read(b, sizeof b);
        r.nDir = GetInt32LE(b);
        r.x = GetInt32LE(b + 4);
        r.y = GetInt32LE(b + 8);
    }
}

}  // namespace

void CCoilixDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        if (!HasBoard()) {
            // Nothing to save; refusing is better than writing a file that
            // cannot be opened again.
            RefuseFormat();
        }
        ar.WriteString(std::string(kDocumentTag));
        ar << kFileVersion;
        ar << m_nWidth << m_nHeight << m_nHeadX << m_nHeadY << m_nScore << m_nSpeed
           << m_nSpawnCountdown << m_nBonusCountdown << m_nDropCountdown << m_nFrownCountdown
           << m_nLastDirection << m_nDirection;
        const size_t nCells = CellCount();
        for (size_t i = 0; i < nCells; ++i) {
            ar << m_pCells[i].nValue << m_pCells[i].nType;
        }
        StoreRecords(ar, m_aBody);
        StoreRecords(ar, m_aItems);
        return;
    }

    if (!EqualsNoCase(ar.ReadString(), kDocumentTag)) {
        RefuseFormat();
    }
    int32_t nVersion = 0;
    ar >> nVersion;
    if (nVersion != kFileVersion) {
        throw CArchiveException(ArchiveError::kVersion);
    }
    ar >> m_nWidth >> m_nHeight >> m_nHeadX >> m_nHeadY >> m_nScore >> m_nSpeed >>
        m_nSpawnCountdown >> m_nBonusCountdown >> m_nDropCountdown >> m_nFrownCountdown >>
        m_nLastDirection >> m_nDirection;

    // The size decides how much is allocated, so it is checked first.
    if (!IsBoardSizeAllowed(m_nWidth, m_nHeight)) {
        RefuseFormat();
    }
    const size_t nCells = static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight);
    try {
        m_pCells.reset(new Cell[nCells]);
    } catch (const std::bad_alloc&) {
        throw CArchiveException(ArchiveError::kMemory);
    }
    if (ar.BytesLeft() < nCells * kCellBytes) {
        RefuseFormat();
    }
    for (size_t i = 0; i < nCells; ++i) {
        uint8_t b[kCellBytes];
        ar.Read(b, sizeof b);
        m_pCells[i].nValue = GetInt32LE(b);
        m_pCells[i].nType = GetInt32LE(b + 4);
    }

    LoadRecords(ar, m_aBody, MaxBodyRecords(m_nWidth, m_nHeight));
    LoadRecords(ar, m_aItems, MaxItemRecords(m_nWidth, m_nHeight));
    // Whatever follows the item records is not part of the game.

    ValidateLoaded();
    for (CellRef& r : m_aBody) {
        r.pCell = CellPtr(r.x, r.y);
    }
    for (CellRef& r : m_aItems) {
        r.pCell = CellPtr(r.x, r.y);
    }
}

void CCoilixDoc::ValidateLoaded() const {
    if (!IsBoardSizeAllowed(m_nWidth, m_nHeight) || !HasBoard()) {
        RefuseFormat();
    }
    if (!IsOnBoard(m_nHeadX, m_nHeadY)) {
        RefuseFormat();
    }
    if (m_nSpeed < kMinSpeedMs || m_nSpeed > kMaxSpeedMs) {
        RefuseFormat();
    }
    if (m_nScore < -kMaxScoreMagnitude || m_nScore > kMaxScoreMagnitude) {
        RefuseFormat();
    }
    for (int32_t n : {m_nSpawnCountdown, m_nBonusCountdown, m_nDropCountdown, m_nFrownCountdown}) {
        if (!IsCountdownAllowed(n)) {
            RefuseFormat();
        }
    }
    if (m_aBody.size() > MaxBodyRecords(m_nWidth, m_nHeight) ||
        m_aItems.size() > MaxItemRecords(m_nWidth, m_nHeight)) {
        RefuseFormat();
    }
    for (const CellRef& r : m_aBody) {
        if (!IsOnBoard(r.x, r.y)) {
            RefuseFormat();
        }
    }
    for (const CellRef& r : m_aItems) {
        // The item's square carries the lifetime that the record counts down.
        if (!IsOnBoard(r.x, r.y) || CellAt(r.x, r.y).nValue < 0) {
            RefuseFormat();
        }
    }

    // A game that can still move must be one the step can move.
    if (m_nDirection == dirGameOver) {
        return;
    }
    if (CellAt(m_nHeadX, m_nHeadY).nType == ctStart) {
        // The first move enters a neighbour in any of the four directions,
        // so an unmoved crawler must not lie on the edge.
        if (m_nHeadX == 0 || m_nHeadY == 0 || m_nHeadX == m_nWidth - 1 ||
            m_nHeadY == m_nHeight - 1) {
            RefuseFormat();
        }
    } else if (m_aBody.size() < 2) {
        // A moved crawler has at least its tail and its head on record.
        RefuseFormat();
    }
    if (!m_aBody.empty() && (m_aBody.back().x != m_nHeadX || m_aBody.back().y != m_nHeadY)) {
        RefuseFormat();
    }
}
